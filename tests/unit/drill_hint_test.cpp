// The answer hint per pattern, and the run counters with the wrong-word list.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "drill/hint.h"
#include "drill/random.h"
#include "drill/run_record.h"

namespace {

const std::string kStar = "\x81\x96";  // full-width asterisk

} // namespace

TEST(DrillHint, ShapesPerPattern)
{
    struct Case {
        const char* word;
        int pattern;
        std::string hint;
    };
    const Case cases[] = {
        {"apple", 3, "*****"},
        {"apple", 2, "a****"},
        {"apple", 0, "a****"},
        {"apple", -7, "a****"},
        {"apple", 4, "*****"},
        {"apple", 99, "*****"},
        {"Apple", 2, "A****"},
        {"have a cold", 3, "**** a ****"},
        {"have a cold", 2, "h*** a ****"},
        {"a", 3, "*"},
        {"a", 2, "a"},
        {"a b", 3, "* b"},
        {"a lot of", 3, "* *** **"},
        {"cook a", 3, "**** a"},
        {"give a.", 3, "**** *."},
        {"a  b", 3, "*  b"},
        {"x-ray", 3, "*-***"},
        {"it's", 3, "**'*"},
        {"7-up", 2, "7-**"},
        {"", 1, ""},
        {"", 2, ""},
        {"\xb1\xb2", 3, "\xb1\xb2"},                  // half-width katakana stays
        {"\x81\x40\x81\x5b", 3, "\x81\x40\x81\x5b"},  // punctuation and symbols
        {"\x84\x40\x87\x40", 3, "\x84\x40\x87\x40"},
        {"\x83\xa0\x83\xdf", 3, "\x83\xa0\x83\xdf"},
        {"\x83\x9f", 3, kStar},
        {"\x83\xe0", 3, kStar},
        {"\x82\xa0x", 2, kStar + "*"},                 // no letter to show first
        {"\x88\x9f\x84\x9f", 3, kStar + "\x84\x9f"},
        {"ab\x82", 3, "**\x82"},                       // a lead byte at the end
        {"\x82", 2, "\x82"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(MakeHint(c.word, c.pattern)), c.hint)
            << c.word << " pattern " << c.pattern;
}

TEST(DrillHint, OnlyPatternOneDraws)
{
    for (int pattern : {0, 2, 3, 4}) {
        SeedRandom(50);
        MakeHint("substantial", pattern);
        EXPECT_EQ(RandomState(), 50u) << pattern;
    }
    SeedRandom(50);
    MakeHint("substantial", 1);
    EXPECT_NE(RandomState(), 50u);
    // Too short to show more than the first letter: nothing is drawn.
    for (const char* word : {"", "a", "ab"}) {
        SeedRandom(50);
        MakeHint(word, 1);
        EXPECT_EQ(RandomState(), 50u) << word;
    }
}

TEST(DrillHint, PatternOneShowsSomeLetters)
{
    // A word of letters alone never shows whole: the first letter and at most
    // length - 2 drawn ones. Spaces and double-byte characters leave fewer to hide.
    struct Case {
        const char* word;
        bool neverWhole;
    };
    const Case cases[] = {{"apple", true}, {"extraordinary", true}, {"have a cold", false},
                          {"\x82\xa0\x82\xa2\x82\xa4x", false}};
    for (const Case& c : cases) {
        std::size_t length = std::strlen(c.word);
        std::string plain = MakeHint(c.word, 3);
        int mostShown = 0;
        for (std::uint32_t seed = 0; seed < 500; ++seed) {
            SeedRandom(seed);
            std::string hint = MakeHint(c.word, 1);
            ASSERT_EQ(hint.size(), length) << c.word;
            int shown = 0;
            std::size_t at = 0;
            while (at < length) {
                std::size_t step = static_cast<unsigned char>(c.word[at]) >= 0x81 ? 2 : 1;
                std::string original(c.word + at, step);
                std::string got = hint.substr(at, step);
                // Each character is either the word's own or its plain hidden form.
                ASSERT_TRUE(got == original || got == plain.substr(at, step))
                    << c.word << " seed " << seed;
                if (got != plain.substr(at, step))
                    ++shown;
                at += step;
            }
            mostShown = std::max(mostShown, shown);
            if (static_cast<unsigned char>(c.word[0]) < 0x80)
                ASSERT_EQ(hint[0], c.word[0]);
            if (c.neverWhole)
                ASSERT_NE(hint, std::string(c.word)) << "seed " << seed;
        }
        EXPECT_GE(mostShown, 2) << c.word;
    }
}

TEST(DrillHint, BufferIsClearedAndBounded)
{
    std::string longWord(200, 'z');
    const char* hint = MakeHint(longWord.c_str(), 3);
    EXPECT_EQ(std::strlen(hint), kHintSize - 1);
    hint = MakeHint("ab", 3);
    for (std::size_t i = 2; i < kHintSize; ++i)
        ASSERT_EQ(hint[i], '\0') << i;
    EXPECT_STREQ(MakeHint(nullptr, 1), "");
}

class DrillRunRecord : public ::testing::Test {
protected:
    void SetUp() override { ResetRunRecord(); }
    void TearDown() override { ResetRunRecord(); }
};

TEST_F(DrillRunRecord, WrongWordsKeepFirstOrderAndCount)
{
    AddWrongWord("apple");
    AddWrongWord("be afraid of");
    AddWrongWord("apple");
    AddWrongWord("Apple");  // case matters
    ASSERT_EQ(g_wrongWords.count, 3);
    EXPECT_STREQ(g_wrongWords.entries[0].Word, "apple");
    EXPECT_EQ(g_wrongWords.entries[0].Count, 2);
    EXPECT_STREQ(g_wrongWords.entries[1].Word, "be afraid of");
    EXPECT_EQ(g_wrongWords.entries[1].Count, 1);
    EXPECT_STREQ(g_wrongWords.entries[2].Word, "Apple");
    EXPECT_EQ(WrongWordCount("apple"), 2);
    EXPECT_EQ(WrongWordCount("pear"), 0);
}

TEST_F(DrillRunRecord, FiftyEntriesAtMost)
{
    for (int i = 0; i < 50; ++i)
        AddWrongWord(("word" + std::to_string(i)).c_str());
    ASSERT_EQ(g_wrongWords.count, kWrongWordLimit);
    AddWrongWord("word50");
    EXPECT_EQ(g_wrongWords.count, 50);
    EXPECT_EQ(WrongWordCount("word50"), 0);
    AddWrongWord("word49");
    AddWrongWord("word0");
    EXPECT_EQ(WrongWordCount("word49"), 2);
    EXPECT_EQ(WrongWordCount("word0"), 2);
    EXPECT_STREQ(g_wrongWords.entries[49].Word, "word49");
}

TEST_F(DrillRunRecord, OverlongWordKeepsOneEntry)
{
    std::string word(100, 'w');
    AddWrongWord(word.c_str());
    AddWrongWord(word.c_str());
    ASSERT_EQ(g_wrongWords.count, 1);
    EXPECT_EQ(std::strlen(g_wrongWords.entries[0].Word), kWordSize - 1);
    EXPECT_EQ(g_wrongWords.entries[0].Count, 2);
    AddWrongWord(nullptr);
    EXPECT_EQ(g_wrongWords.count, 1);
}

TEST_F(DrillRunRecord, CountersWrap)
{
    g_runCounters.wrong = 65534;
    BumpRunCounter(&g_runCounters.wrong);
    EXPECT_EQ(g_runCounters.wrong, 65535);
    BumpRunCounter(&g_runCounters.wrong);
    EXPECT_EQ(g_runCounters.wrong, 0);
    BumpRunCounter(&g_runCounters.asked);
    EXPECT_EQ(g_runCounters.asked, 1);
    ResetRunRecord();
    EXPECT_EQ(g_runCounters.asked, 0);
    EXPECT_EQ(g_wrongWords.count, 0);
}
