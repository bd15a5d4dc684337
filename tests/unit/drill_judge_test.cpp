// Answer judging, the matching walk with its placeholders, and masking of meanings.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "drill/cp932_chars.h"
#include "drill/judge.h"
#include "drill/random.h"

namespace {

WordRecord MakeRecord(const char* word)
{
    WordRecord r;
    ClearRecord(&r);
    CopyField(r.Word, sizeof r.Word, word);
    return r;
}

const char* Name(Verdict v)
{
    switch (v) {
    case Verdict::Right:
        return "Right";
    case Verdict::OneLetterOff:
        return "OneLetterOff";
    default:
        return "Wrong";
    }
}

// CP932 samples: hiragana ringo, and a full-width X.
const char kRingo[] = "\x82\xe8\x82\xf1\x82\xb2";
const char kRinko[] = "\x82\xe8\x82\xf1\x82\xb1";
const char kWideX[] = "\x82\x77";

} // namespace

TEST(DrillJudge, Verdicts)
{
    struct Case {
        const char* word;
        const char* answer;
        int shortfall;  // -1: exact, judged before any counting
        Verdict verdict;
    };
    const std::string abXc = std::string("a") + kWideX + "c";
    const Case cases[] = {
        {"apple", "apple", -1, Verdict::Right},
        {"apple", "APPLE", 0, Verdict::Right},
        {"apple", "apole", 1, Verdict::OneLetterOff},
        {"apple", "apples", 1, Verdict::OneLetterOff},
        {"apple", "appe", 1, Verdict::OneLetterOff},
        {"apple", "aplpe", 2, Verdict::Wrong},
        {"apple", "aple", 2, Verdict::Wrong},
        {"apple", "app", 0, Verdict::Right},
        {"apple", "", 0, Verdict::Right},
        {"apple", "applesx", 2, Verdict::Wrong},
        {"be afraid of", "is afraid of", 0, Verdict::Right},
        {"be afraid of", "were afraid of", 0, Verdict::Right},
        {"be afraid of", "Am afraid of", 12, Verdict::Wrong},
        {"be afraid of", "be afraid of", -1, Verdict::Right},
        {"make up one's mind", "make up his mind", 0, Verdict::Right},
        {"make up one's mind", "make up their mind", 0, Verdict::Right},
        {"make up one's mind", "make up one's mind", -1, Verdict::Right},
        {"enjoy oneself", "enjoy myself", 0, Verdict::Right},
        {"enjoy oneself", "enjoy themselves", 10, Verdict::Wrong},
        {"enjoy oneself", "enjoy themself", 0, Verdict::Right},
        {kRingo, kRingo, -1, Verdict::Right},
        {kRingo, kRinko, 2, Verdict::Wrong},
        {"abc", abXc.c_str(), 2, Verdict::Wrong},
        {"", "", -1, Verdict::Right},
        {"", "a", 1, Verdict::OneLetterOff},
    };
    for (const Case& c : cases) {
        WordRecord r = MakeRecord(c.word);
        if (c.shortfall >= 0) {
            int counted = CountMatch(c.word, c.answer);
            EXPECT_EQ(static_cast<int>(std::strlen(c.answer)) - counted, c.shortfall)
                << c.word << " / " << c.answer;
        }
        EXPECT_STREQ(Name(JudgeAnswer(&r, c.answer)), Name(c.verdict))
            << c.word << " / " << c.answer;
    }
}

TEST(DrillJudge, MatchCounts)
{
    struct Case {
        const char* word;
        const char* text;
        int count;
    };
    const Case cases[] = {
        {"", "abc", 0},
        {"abc", "", 0},
        {"to be", "to is", 3},           // "be" at the end is no placeholder
        {"Be afraid", "is afraid", 7},   // nor with a capital
        {"maybe here", "mayis here", 8}, // nor inside a word
        {"to be here", "to am here", 10},
        {"one's", "their", 5},
        {"one's", "theirs", 5},
        {"one's", "ourself", 3},
        {"one's", "One's", 0},
        {"oneself", "herself", 7},
        {"oneself", "themselves", 0},
        {"oneself", "ourselves", 0},
        {"be ", "been ", 0},
        {"be ", "being ", 0},
        {"make up one's mind", "make up hers mind", 11},  // "her" taken before "hers"
        {"one's own", "her own", 7},
        {"one's own", "hers own", 3},
        {"oneself", "one", 0},          // form longer than what is left of the text
        {"be", "b", 1},
        {"ab", "abcdef", 2},            // nothing beyond the word's end counts
        {"a\x82", "a\x82", 2},          // a lead byte at the end stands alone
        {"a\x82", "a\x82\x60", 1},
        {"a\x82\x60", "a\x82", 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CountMatch(c.word, c.text), c.count) << c.word << " / " << c.text;
    EXPECT_EQ(CountMatch(nullptr, "a"), 0);
    EXPECT_EQ(CountMatch("a", nullptr), 0);
}

TEST(DrillJudge, CountNeverExceedsTheText)
{
    // Random words and texts drawn from letters, spaces, placeholder pieces and lead
    // bytes: the count can never pass the text's length.
    const char* pieces[] = {"be ", "one's", "oneself", "her", "a", "B", " ", "\x82",
                            "\x82\xa0", "\x81", "\xff", "is ", "my"};
    SeedRandom(5);
    for (int i = 0; i < 20000; ++i) {
        std::string word, text;
        for (int n = RandomRange(0, 6); n > 0; --n)
            word += pieces[RandomRange(0, 12)];
        for (int n = RandomRange(0, 6); n > 0; --n)
            text += pieces[RandomRange(0, 12)];
        int count = CountMatch(word.c_str(), text.c_str());
        ASSERT_GE(count, 0);
        ASSERT_LE(count, static_cast<int>(text.size())) << word << " / " << text;
    }
}

TEST(DrillJudge, WordWithoutTerminatorIsReadWithinItsField)
{
    WordRecord r;
    ClearRecord(&r);
    std::memset(r.Word, 'a', sizeof r.Word);  // 64 letters, no terminator
    std::string answer(64, 'A');
    EXPECT_EQ(JudgeAnswer(&r, answer.c_str()), Verdict::Right);
    EXPECT_EQ(JudgeAnswer(&r, (answer + "xy").c_str()), Verdict::Wrong);
}

TEST(DrillMask, Examples)
{
    struct Case {
        const char* word;
        const char* text;
        const char* masked;
    };
    const Case cases[] = {
        {"apple", "ample", "****e"},
        {"cat", "category", "***egory"},
        {"cat", "a cat.", "a ***."},
        {"cat", "cut", "cut"},
        {"apple", "Apple pie", "***** pie"},
        {"make up one's mind", "make up his mind", "**** ** *** ****"},
        {"4wd", "4wd car", "4** car"},
        {"well-off", "be well-off", "be ****-***"},
        {"apple", "\x82\xe8\x82\xf1\x82\xb2(apple)", "\x82\xe8\x82\xf1\x82\xb2(*****)"},
        {"\xb1\xb2\xb3", "\xb1\xb2\xb3\xb4", "***\xb4"},  // half-width katakana
        // Masking never starts on a double-byte character, but covers those it spans.
        {"\x83\x4a\x83\x74\x83\x46", "\x83\x4a\x83\x74\x83\x46", "\x83\x4a\x83\x74\x83\x46"},
        {"T\x83\x56\x83\x83\x83\x63", "T\x83\x56\x83\x83\x83\x63!", "*++++++!"},
        {"apple", "", ""},
        {"", "apple", "apple"},
        {"ab", "xab", "x**"},
        {"abcdefg", "a\x82\x77\x82\x78" "defg", "*++++" "defg"},
        // Five bytes match, the span ends on a lead byte: its character goes whole.
        {"abcdzgf", "abcd\x82\x77gg", "****++gg"},
    };
    for (const Case& c : cases) {
        WordRecord r = MakeRecord(c.word);
        EXPECT_STREQ(MaskWord(&r, c.text), c.masked) << c.word << " / " << c.text;
        EXPECT_STREQ(r.Word, c.word);
    }
}

TEST(DrillMask, CutsLongTextsAndLeavesTheSourceAlone)
{
    WordRecord r = MakeRecord("zz");
    std::string longText(300, 'q');
    const char* masked = MaskWord(&r, longText.c_str());
    EXPECT_EQ(std::strlen(masked), kMaskSize - 1);
    EXPECT_EQ(longText, std::string(300, 'q'));

    // A double-byte character across the cut is left out whole.
    std::string split(kMaskSize - 2, 'q');
    split += "\x82\xa0" "q";
    EXPECT_EQ(std::strlen(MaskWord(&r, split.c_str())), kMaskSize - 2);

    EXPECT_STREQ(MaskWord(&r, nullptr), "");
    EXPECT_STREQ(MaskWord(nullptr, "abc"), "abc");
}

TEST(DrillChars, FoldingAndAlphabeticClass)
{
    for (int c = 0; c < 256; ++c) {
        auto b = static_cast<unsigned char>(c);
        bool upper = c >= 'A' && c <= 'Z';
        bool lower = c >= 'a' && c <= 'z';
        bool kana = c >= 0xA6 && c <= 0xDF;
        EXPECT_EQ(LowerAnsiByte(b), upper ? c + 32 : c) << c;
        EXPECT_EQ(IsAnsiAlphaByte(b), upper || lower || kana) << c;
    }
}
