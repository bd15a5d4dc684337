// The program's settings: one registry key per setting, read once at start-up and
// written back with every save of the word book.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr std::size_t kSettingTextSize = 128;  // at most 127 bytes of text

struct Settings {
    char DataFileName[kSettingTextSize];
    std::uint32_t TimerInterval;  // milliseconds
    char SoundFileName[kSettingTextSize];
    int Popup;
    int DataCount;
    int Status;  // bit 0: questions paused; bit 1: show-only mode
    int CorrectDialog;
    char CorrectSoundFileName[kSettingTextSize];
    char WrongSoundFileName[kSettingTextSize];
    int ProblemPattern;
    int ProblemTrend;
    int ProblemContinue;
    char ListingApp[kSettingTextSize];
};

extern Settings g_settings;

constexpr std::uint32_t kDefaultTimerInterval = 600000;

// Reads every setting, creating missing ones with their defaults.
void LoadSettings();
// Writes every setting but DataCount.
void SaveSettings();

// The text of one setting (a static buffer, valid until the next call). A missing key is
// created with `defaultText`, which is then returned; a key without a readable value reads
// as the empty text. A stored text longer than a setting holds reads as the default.
const char* ReadSetting(const char* name, const char* defaultText);
// Writes one setting to an existing key; failures are silent.
void WriteSetting(const char* name, const char* text);
// Writes an integer setting as decimal text.
void WriteIntSetting(const char* name, int value);

// The default word file: "tango.csv" in the program's folder.
void MakeDefaultDataFileName(char* buffer, std::size_t size);

// The decimal conversion used for integer settings: leading blanks and a sign allowed,
// stops at the first non-digit, 0 when there are no digits. Never overflows.
long long ParseSettingNumber(const char* text);
