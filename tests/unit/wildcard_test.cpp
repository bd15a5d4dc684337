// Frozen table of patterns and texts for the search dialog's wildcard matcher.
#include "maintenance/wildcard.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct MatchCase {
    const char* pattern;
    const char* text;
    int expected;
};

// Double-byte texts as the word book holds them: "亜" is 88 9F, "漢字" is 8A BF 8E 9A,
// the full-width space is 81 40 (its trail byte is '@').
const MatchCase kCases[] = {
    // Literal patterns match only the identical text, byte for byte.
    {"apple", "apple", 0},
    {"apple", "Apple", -1},
    {"apple", "apples", -1},
    {"apples", "apple", -1},
    // A trailing star takes any rest, none included.
    {"app*", "apple", 0},
    {"app*", "app", 0},
    {"a*", "a", 0},
    {"app*", "ap", -1},
    {"*", "apple", 0},
    {"*", "", 0},
    {"*le", "apple", 0},
    {"a*e", "apple", 0},
    {"*p*", "apple", 0},
    {"a*x", "apple", -1},
    {"a*e", "a", -1},
    // A question mark takes exactly one character.
    {"?pple", "apple", 0},
    {"a?", "a", -1},
    {"?", "", -1},
    {"?", "ab", -1},
    {"a??le", "apple", 0},
    {"b?n*", "banana", 0},
    // No backtracking: the star stops at the first byte equal to the next pattern byte.
    {"*an", "banana", -1},
    {"*a", "banana", -1},
    {"b*a", "banana", -1},
    {"*n", "banana", -1},
    {"*a", "ba", 0},
    {"*nana", "banana", 0},
    {"b*a*a*a", "banana", 0},
    // A wildcard right after a star is looked for as a plain byte.
    {"*?", "a?", 0},
    {"*?", "ab", -1},
    {"**", "a*", 0},
    {"**", "ab", -1},
    {"*?", "?", 0},
    // The empty pattern matches only the empty text.
    {"", "", 0},
    {"", "a", -1},
    // Double-byte characters.
    {"?", "\x88\x9F", 0},
    {"??", "\x88\x9F", -1},
    {"?", "\x8A\xBF\x8E\x9A", -1},
    {"\x8A\xBF?", "\x8A\xBF\x8E\x9A", 0},
    {"*\x8E\x9A", "\x8A\xBF\x8E\x9A", 0},
    {"\x8A\xBF*", "\x8A\xBF", 0},
    {"\x8A\xBF", "\x8a\xbf\x8e\x9a", -1},
    // The star moves by bytes: '@' is found as the trail byte of the full-width space.
    {"*@", "\x81\x40", 0},
    // ... and a lead byte is found inside another character, with no later try.
    {"*\x81\x40", "\x88\x81\x81\x40", -1},
    // A wildcard byte right after a lead byte belongs to that character.
    {"\x81?", "\x81?", 0},
    {"\x81?", "\x81" "a", -1},
    {"\x81*", "\x81" "abc", -1},
    {"\x81*", "\x81*", 0},
    // A lead byte as the last byte counts alone, in the text and in the pattern.
    {"?", "\x81", 0},
    {"a?", "a\x81", 0},
    {"?x", "\x81", -1},
    {"a??", "a\x81", -1},
    {"\x81", "\x81", 0},
    {"a\x81", "a\x81", 0},
    {"*\x81", "ab\x81", 0},
    {"?\x81", "a", -1},
};

TEST(WildcardMatch, FrozenTable)
{
    for (const MatchCase& c : kCases) {
        SCOPED_TRACE(std::string("pattern \"") + c.pattern + "\" text \"" + c.text + "\"");
        EXPECT_EQ(WildcardMatch(c.pattern, c.text), c.expected);
    }
}

TEST(WildcardMatch, MissingArgumentsNeverMatch)
{
    EXPECT_EQ(WildcardMatch(nullptr, "apple"), -1);
    EXPECT_EQ(WildcardMatch("*", nullptr), -1);
    EXPECT_EQ(WildcardMatch(nullptr, nullptr), -1);
}

// Patterns longer than any the search dialog passes are matched whole, not cut.
TEST(WildcardMatch, LongPatternsAreMatchedWhole)
{
    std::string text(300, 'x');
    text += "end";
    EXPECT_EQ(WildcardMatch(text.c_str(), text.c_str()), 0);

    std::string differsAtEnd = text;
    differsAtEnd.back() = 'D';
    EXPECT_EQ(WildcardMatch(differsAtEnd.c_str(), text.c_str()), -1);

    std::string starAtEnd(250, 'x');
    starAtEnd += "*d";
    EXPECT_EQ(WildcardMatch(starAtEnd.c_str(), text.c_str()), 0);
    starAtEnd.back() = 'q';
    EXPECT_EQ(WildcardMatch(starAtEnd.c_str(), text.c_str()), -1);
}

} // namespace
