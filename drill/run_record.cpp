// The run counters and the wrong-word list, kept from start-up to exit.
#include "drill/run_record.h"

#include <climits>
#include <cstring>

RunCounters g_runCounters = {0, 0, 0, 0};
WrongWordList g_wrongWords = {};

namespace {

// The entry whose text equals `word` byte for byte, or null.
WrongWordEntry* FindWrongWord(const char* word)
{
    for (int i = 0; i < g_wrongWords.count; ++i) {
        if (std::strcmp(g_wrongWords.entries[i].Word, word) == 0)
            return &g_wrongWords.entries[i];
    }
    return nullptr;
}

} // namespace

void AddWrongWord(const char* word)
{
    if (word == nullptr)
        return;
    // Compare the text as an entry would hold it, so an over-long word keeps one entry.
    char stored[kWordSize];
    CopyField(stored, sizeof stored, word);
    if (WrongWordEntry* entry = FindWrongWord(stored)) {
        if (entry->Count < INT_MAX)
            ++entry->Count;
        return;
    }
    if (g_wrongWords.count >= kWrongWordLimit)
        return;
    WrongWordEntry& entry = g_wrongWords.entries[g_wrongWords.count++];
    std::memcpy(entry.Word, stored, sizeof entry.Word);
    entry.Count = 1;
}

int WrongWordCount(const char* word)
{
    if (word == nullptr)
        return 0;
    char stored[kWordSize];
    CopyField(stored, sizeof stored, word);
    const WrongWordEntry* entry = FindWrongWord(stored);
    return entry != nullptr ? entry->Count : 0;
}

void ResetRunRecord()
{
    std::memset(&g_runCounters, 0, sizeof g_runCounters);
    std::memset(&g_wrongWords, 0, sizeof g_wrongWords);
}
