// The conversions behind the settings dialog's fields, free of any window.
#pragma once

#include <cstdint>

// ---- Question interval: milliseconds in the settings, whole minutes in the dialog ----

constexpr std::uint32_t kMillisecondsPerMinute = 60000;
// The most minutes whose milliseconds still fit the 32-bit interval.
constexpr long long kMaxIntervalMinutes = 71582;

// The interval shown in the dialog: whole minutes, rounded down.
unsigned IntervalToMinutes(std::uint32_t interval);

// The minutes field as a decimal number: leading blanks and a sign allowed, stops at the
// first non-digit, 0 without digits. Huge numbers stay huge (they do not wrap round into
// a small, acceptable value).
long long ParseMinutesText(const char* text);

enum IntervalResult {
    kIntervalOk = 0,
    kIntervalTooShort = -1,  // below one minute
    kIntervalTooLong = -2,   // does not fit the 32-bit millisecond value
};

// Minutes to the interval in milliseconds. `*interval` is set only when kIntervalOk.
IntervalResult MinutesToInterval(long long minutes, std::uint32_t* interval);

// ---- Words asked per opening of the question dialog ----

constexpr int kContinueEntryCount = 6;
// The counts offered, in the drop-down list's order.
constexpr int kContinueCounts[kContinueEntryCount] = {1, 3, 5, 10, 15, 20};

// The entry showing `problemContinue`; a count not offered selects the first entry.
int ContinueEntryForCount(int problemContinue);
// The count of entry `index`; an index outside the list gives the first entry's count.
int ContinueCountForEntry(int index);

// ---- Radio groups: hint style (ProblemPattern) and selection tendency (ProblemTrend) ----

// Which of the three buttons is checked: values 1 and 2 check the first and second,
// any other value the third.
int PatternRadioIndex(int problemPattern);
int TrendRadioIndex(int problemTrend);
// The value stored from the buttons' states: 1 when the first is checked, else 2 when
// the second is, else 3.
int PatternFromRadios(bool first, bool second);
int TrendFromRadios(bool first, bool second);

// ---- Word file name ----

// True when `name` is empty or only spaces: such a name is refused without a load.
bool IsBlankFileName(const char* name);
