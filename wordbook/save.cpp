// Saving, backup, reloading and the start-up check.
#include "wordbook/save.h"

#include <cstdio>
#include <cstring>

#include "app/settings.h"
#include "platform/platform.h"
#include "wordbook/text.h"
#include "wordbook/word_book.h"
#include "wordbook/word_file.h"

const char* MakeBackupName(const char* path)
{
    static char buffer[kSettingTextSize + 8];
    std::snprintf(buffer, sizeof buffer, "%s", path);
    // Only a dot in the file's own name starts an extension; a dot in a folder name
    // would otherwise cut the path there.
    char* name = const_cast<char*>(FindLastBackslash(buffer));
    char* slash = std::strrchr(buffer, '/');
    if (slash != nullptr && (name == nullptr || slash > name))
        name = slash;
    char* dot = std::strrchr(name ? name : buffer, '.');
    std::size_t keep = dot ? static_cast<std::size_t>(dot - buffer) : std::strlen(buffer);
    std::snprintf(buffer + keep, sizeof buffer - keep, ".bak");
    return buffer;
}

int SaveWordBookFiles()
{
    SaveSettings();
    const char* fileName = g_settings.DataFileName;
    const char* backup = MakeBackupName(fileName);
    if (std::strcmp(backup, fileName) != 0 && CountRecords() > 0) {
        // A failed copy is not reported; the save goes on.
        PlatCopyFile(fileName, backup);
        PlatSetNormal(backup);
    }
    return SaveAllRecord(fileName);
}

int ReloadWordFile(const char* fileName, const char* savePath)
{
    WordBook old = g_wordBook;
    g_wordBook = WordBook{nullptr, nullptr};
    int result = LoadCSVFile(fileName);
    if (result < 0) {
        FreeWordBook(&g_wordBook);
        g_wordBook = old;
        g_wordBook.hint = nullptr;
        return result;
    }
    WordBook loaded = g_wordBook;
    if (savePath != nullptr) {
        g_wordBook = old;
        SaveAllRecord(savePath);
    }
    FreeWordBook(&old);
    g_wordBook = loaded;
    return result;
}

bool RunStartupCheck(int loaded, int dataCount, const char* dataFileName, StartupAskFn ask,
                     int* count)
{
    *count = loaded;
    if (loaded >= dataCount)
        return true;
    char number[16];
    std::snprintf(number, sizeof number, "%d", loaded);
    if (ask(14, number))
        return true;
    int restored = ReloadWordFile(MakeBackupName(dataFileName), nullptr);
    if (restored < dataCount) {
        ask(32, dataFileName);
        return false;
    }
    if (!ask(31, nullptr))
        return false;
    *count = restored;
    return true;
}
