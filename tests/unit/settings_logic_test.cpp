// The settings dialog's conversions: interval minutes, continuous count, radios, names.
#include "settings/settings_logic.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(SettingsLogic, IntervalShownInWholeMinutesRoundedDown)
{
    const struct {
        std::uint32_t interval;
        unsigned minutes;
    } cases[] = {
        {600000, 10}, {90000, 1}, {60000, 1}, {59999, 0}, {0, 0},
        {119999, 1}, {4294920000u, 71582}, {4294967295u, 71582},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.interval);
        EXPECT_EQ(IntervalToMinutes(c.interval), c.minutes);
    }
}

TEST(SettingsLogic, MinutesTextParsedAsDecimal)
{
    const struct {
        const char* text;
        long long minutes;
    } cases[] = {
        {"10", 10}, {"0", 0}, {"", 0}, {"abc", 0}, {"  7", 7}, {"+3", 3}, {"-5", -5},
        {"12min", 12}, {"007", 7}, {"71583", 71583},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseMinutesText(c.text), c.minutes);
    }
    EXPECT_EQ(ParseMinutesText(nullptr), 0);
}

// A number that overflows 32 bits must not wrap round into a small, accepted interval.
TEST(SettingsLogic, HugeMinutesTextStaysTooLong)
{
    for (const char* text : {"4294967297", "4294967296", "18446744073709551617",
                             "99999999999999999999999999999999"}) {
        SCOPED_TRACE(text);
        std::uint32_t interval = 12345;
        EXPECT_EQ(MinutesToInterval(ParseMinutesText(text), &interval), kIntervalTooLong);
        EXPECT_EQ(interval, 12345u);
    }
}

TEST(SettingsLogic, MinutesToIntervalAcceptsOneToTheLargestThatFits)
{
    const struct {
        long long minutes;
        IntervalResult result;
        std::uint32_t interval;
    } cases[] = {
        {1, kIntervalOk, 60000},
        {10, kIntervalOk, 600000},
        {71582, kIntervalOk, 4294920000u},
        {0, kIntervalTooShort, 0},
        {-1, kIntervalTooShort, 0},
        {71583, kIntervalTooLong, 0},
        {1000000, kIntervalTooLong, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.minutes);
        std::uint32_t interval = 777;
        EXPECT_EQ(MinutesToInterval(c.minutes, &interval), c.result);
        EXPECT_EQ(interval, c.result == kIntervalOk ? c.interval : 777u);
    }
}

TEST(SettingsLogic, ShownMinutesStoreBackRoundedDown)
{
    // One and a half minutes shows 1 and OK stores 60000.
    std::uint32_t interval = 0;
    ASSERT_EQ(MinutesToInterval(IntervalToMinutes(90000), &interval), kIntervalOk);
    EXPECT_EQ(interval, 60000u);
    // Below a minute shows 0, which OK refuses.
    EXPECT_EQ(MinutesToInterval(IntervalToMinutes(59999), &interval), kIntervalTooShort);
}

TEST(SettingsLogic, ContinueEntryForCount)
{
    const struct {
        int count;
        int entry;
    } cases[] = {
        {1, 0}, {3, 1}, {5, 2}, {10, 3}, {15, 4}, {20, 5},
        {7, 0}, {0, 0}, {-1, 0}, {2, 0}, {21, 0}, {100, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        EXPECT_EQ(ContinueEntryForCount(c.count), c.entry);
    }
}

TEST(SettingsLogic, ContinueCountForEntry)
{
    const int expected[] = {1, 3, 5, 10, 15, 20};
    for (int index = 0; index < 6; ++index)
        EXPECT_EQ(ContinueCountForEntry(index), expected[index]) << index;
    EXPECT_EQ(ContinueCountForEntry(-1), 1);
    EXPECT_EQ(ContinueCountForEntry(6), 1);
    // A count not offered goes through the first entry and is stored as 1.
    EXPECT_EQ(ContinueCountForEntry(ContinueEntryForCount(7)), 1);
}

TEST(SettingsLogic, RadioIndexForValue)
{
    const struct {
        int value;
        int index;
    } cases[] = {{1, 0}, {2, 1}, {3, 2}, {0, 2}, {4, 2}, {-1, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(PatternRadioIndex(c.value), c.index);
        EXPECT_EQ(TrendRadioIndex(c.value), c.index);
    }
}

TEST(SettingsLogic, ValueFromRadios)
{
    const struct {
        bool first;
        bool second;
        int value;
    } cases[] = {{true, false, 1}, {false, true, 2}, {false, false, 3}, {true, true, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.first << c.second);
        EXPECT_EQ(PatternFromRadios(c.first, c.second), c.value);
        EXPECT_EQ(TrendFromRadios(c.first, c.second), c.value);
    }
    // A ProblemPattern of 0 from the registry checks the third button, and OK stores 3.
    EXPECT_EQ(PatternFromRadios(PatternRadioIndex(0) == 0, PatternRadioIndex(0) == 1), 3);
}

TEST(SettingsLogic, BlankFileNames)
{
    const struct {
        const char* name;
        bool blank;
    } cases[] = {
        {"", true}, {" ", true}, {"     ", true}, {nullptr, true},
        {"tango.csv", false}, {"  a  ", false}, {" \t", false},
        {"\x81\x40", false},  // a full-width space is a character of the name
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name ? c.name : "(none)");
        EXPECT_EQ(IsBlankFileName(c.name), c.blank);
    }
}

} // namespace
