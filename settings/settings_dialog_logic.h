// What the settings dialog's OK does with its fields, free of any window.
#pragma once

#include <cstddef>

#include "app/settings.h"

// ---- Why OK is refused, and at which field ----

enum SettingsRefusal {
    kRefuseNone = 0,
    kRefuseFileName,        // blank, too long or not loadable word file name (string 12)
    kRefuseIntervalShort,   // below one minute (string 13)
    kRefuseIntervalLong,    // more minutes than the millisecond interval holds
    kRefuseTextTooLong,     // a sound or program name longer than its setting (string 11)
};

enum SettingsField {
    kFieldNone = 0,
    kFieldDataFileName,
    kFieldInterval,
    kFieldSoundFileName,
    kFieldCorrectSoundFileName,
    kFieldWrongSoundFileName,
    kFieldListingApp,
};

struct SettingsCheck {
    SettingsRefusal refusal;
    SettingsField field;
};

// ---- Word file ----

// The name as typed must be usable before anything is loaded: not empty or blanks only,
// and short enough for the setting (a cut name would open some other file).
SettingsRefusal CheckWordFileName(const char* name);

enum WordFileSwitch {
    kWordFileSame,       // the name is the current one: nothing is loaded or written
    kWordFileSwitched,   // the new book is in force, the old one written to its file
    kWordFileNotLoaded,  // the book and DataFileName are as they were
};

// Loads the word file `name` in place of the current book when it names another file.
// On success the old book has been written to the old file, DataCount holds the count
// loaded (registry and memory) and DataFileName the new name.
WordFileSwitch SwitchWordFile(const char* name);

// ---- The other fields ----

// The dialog's fields after the word file, texts as typed (CP932, whole).
struct SettingsForm {
    const char* interval;
    const char* soundFileName;
    const char* correctSoundFileName;
    const char* wrongSoundFileName;
    const char* listingApp;
    bool popup;
    bool correctDialog;
    bool patternFirst;   // 何文字か見せる
    bool patternSecond;  // 先頭のみ見せる
    bool trendFirst;     // 未出題問題中心
    bool trendSecond;    // 不正解問題中心
    int continueEntry;   // selected entry of the count list, -1 for none
};

// Checks the interval and then the texts in the dialog's order; only when every field is
// acceptable are they all stored into `settings`. A refusal stores nothing.
SettingsCheck StoreSettingsForm(const SettingsForm& form, Settings* settings);

// ---- Help ----

// The help file beside the program: everything after the program path's last folder
// separator replaced by "vokaru.hlp". A "\" byte that is the second half of a double-byte
// character is not a separator. False when the result does not fit `size`.
bool MakeHelpFileName(const char* programPath, char* buffer, std::size_t size);
