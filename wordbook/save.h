// Saving the word book behind a one-step backup, switching word files, and the start-up
// check against the remembered word count.
#pragma once

// The word file's backup path: its extension replaced by ".bak" (a static buffer, valid
// until the next call).
const char* MakeBackupName(const char* path);

// Writes the settings, copies the word file to its backup (when the book holds words) and
// writes the book to the word file. Returns SaveAllRecord's result; on failure the last
// error text holds the message and the book is unchanged.
int SaveWordBookFiles();

// Loads `fileName` in place of the current book. With `savePath`, the old book is first
// written there. Returns the count loaded, or a negative failure code, in which case the
// book is exactly as it was.
int ReloadWordFile(const char* fileName, const char* savePath);

// The questions the start-up check asks. `stringId` is the message's string-table entry:
// 14 (continue with fewer words? the argument is the count), 31 (continue from the
// backup?) and 32 (the word file may have lost words; the argument is its name; only
// shown, the answer is ignored). Returns true for Yes.
using StartupAskFn = bool (*)(int stringId, const char* argument);

// Compares the count just loaded with DataCount and may reload from the backup. Returns
// true to go on, with the count to go on with in `*count`; false to end the program.
bool RunStartupCheck(int loaded, int dataCount, const char* dataFileName, StartupAskFn ask,
                     int* count);
