// What happened in the drill since start-up: the run counters and the wrong-word list.
#pragma once

#include <cstdint>

#include "wordbook/word_book.h"

// Counts since start-up; unsigned 16-bit, so they wrap to 0 after 65535.
struct RunCounters {
    std::uint16_t asked;
    std::uint16_t right;
    std::uint16_t wrong;
    std::uint16_t checkMode;
};

extern RunCounters g_runCounters;

// Adds 1 to one run counter, wrapping after 65535.
inline void BumpRunCounter(std::uint16_t* counter)
{
    *counter = static_cast<std::uint16_t>(*counter + 1);
}

constexpr int kWrongWordLimit = 50;

// One word answered wrongly since start-up, with how often.
struct WrongWordEntry {
    char Word[kWordSize];
    int Count;
};

// In the order in which each word was first answered wrongly.
struct WrongWordList {
    WrongWordEntry entries[kWrongWordLimit];
    int count;
};

extern WrongWordList g_wrongWords;

// Counts one wrong answer for `word` (cut to 63 bytes): one more for its entry, or a
// new entry with count 1 while fewer than 50 exist; otherwise it is not recorded.
void AddWrongWord(const char* word);

// Wrong answers recorded for `word` since start-up (0 when it has no entry).
int WrongWordCount(const char* word);

// Zeroes the counters and empties the list, as at start-up.
void ResetRunRecord();
