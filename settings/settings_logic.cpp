// Settings dialog conversions: interval minutes, continuous count, radio groups, names.
#include "settings/settings_logic.h"

namespace {

// Any number of minutes beyond this is refused the same way, so parsing may stop growing.
constexpr long long kMinutesCeiling = 1000000000000LL;

int RadioIndexForValue(int value)
{
    if (value == 1)
        return 0;
    if (value == 2)
        return 1;
    return 2;
}

int ValueFromRadios(bool first, bool second)
{
    if (first)
        return 1;
    if (second)
        return 2;
    return 3;
}

} // namespace

unsigned IntervalToMinutes(std::uint32_t interval)
{
    return interval / kMillisecondsPerMinute;
}

long long ParseMinutesText(const char* text)
{
    if (text == nullptr)
        return 0;
    const char* p = text;
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\v' || *p == '\f')
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = (*p == '-');
        ++p;
    }
    long long value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (value < kMinutesCeiling)
            value = value * 10 + (*p - '0');
    }
    return negative ? -value : value;
}

IntervalResult MinutesToInterval(long long minutes, std::uint32_t* interval)
{
    if (minutes < 1)
        return kIntervalTooShort;
    if (minutes > kMaxIntervalMinutes)
        return kIntervalTooLong;
    *interval = static_cast<std::uint32_t>(minutes) * kMillisecondsPerMinute;
    return kIntervalOk;
}

int ContinueEntryForCount(int problemContinue)
{
    for (int index = 0; index < kContinueEntryCount; ++index) {
        if (kContinueCounts[index] == problemContinue)
            return index;
    }
    return 0;
}

int ContinueCountForEntry(int index)
{
    if (index < 0 || index >= kContinueEntryCount)
        return kContinueCounts[0];
    return kContinueCounts[index];
}

int PatternRadioIndex(int problemPattern) { return RadioIndexForValue(problemPattern); }
int TrendRadioIndex(int problemTrend) { return RadioIndexForValue(problemTrend); }
int PatternFromRadios(bool first, bool second) { return ValueFromRadios(first, second); }
int TrendFromRadios(bool first, bool second) { return ValueFromRadios(first, second); }

bool IsBlankFileName(const char* name)
{
    if (name == nullptr)
        return true;
    for (const char* p = name; *p != '\0'; ++p) {
        if (*p != ' ')
            return false;
    }
    return true;
}
