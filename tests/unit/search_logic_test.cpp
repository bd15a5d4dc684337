// The search dialog's rules: which records a search lists, the status line of a word and
// what Modify stores when a field is too long.
#include "maintenance/search_logic.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "drill/run_record.h"
#include "tests/unit/test_helpers.h"
#include "wordbook/remarks_history.h"

namespace {

// ---- the search ----

std::vector<std::string> Listed(const char* wordPattern, const char* meaningPattern)
{
    std::vector<std::string> words;
    for (WordRecord* r = NextSearchMatch(nullptr, wordPattern, meaningPattern); r != nullptr;
         r = NextSearchMatch(r, wordPattern, meaningPattern))
        words.push_back(r->Word);
    return words;
}

class SearchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetWorld();
        AddWord("apple", "fruit red", "tree", "food");
        AddWord("banana", "fruit yellow", "", "");
        AddWord("cherry", "small", "red", "apple pie");
        AddWord("grape", "", "", "");
        AddWord("apple", "duplicate", "", "");
    }
    void TearDown() override { ResetWorld(); }
};

struct SearchCase {
    const char* name;
    const char* wordPattern;
    const char* meaningPattern;
    std::vector<std::string> expected;
};

TEST_F(SearchTest, ListsMatchingRecordsInBookOrderOnce)
{
    const SearchCase cases[] = {
        {"word pattern alone", "*e", "", {"apple", "grape", "apple"}},
        {"word pattern, literal", "banana", "", {"banana"}},
        {"meaning star lists every record", "", "*", {"apple", "banana", "cherry", "grape", "apple"}},
        {"meaning matches the first meaning", "", "fruit*", {"apple", "banana"}},
        {"meaning matches the second meaning", "", "red", {"cherry"}},
        {"meaning matches the remark", "", "apple*", {"cherry"}},
        {"both patterns: OR, each record once", "apple", "fruit*", {"apple", "banana", "apple"}},
        {"both patterns match the same record", "cherry", "small", {"cherry"}},
        {"nothing matches", "kiwi", "sour", {}},
        {"both empty list nothing", "", "", {}},
        {"null patterns list nothing", nullptr, nullptr, {}},
    };
    for (const SearchCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Listed(c.wordPattern, c.meaningPattern), c.expected);
    }
}

TEST_F(SearchTest, EmptyWordPatternLeavesTheSearchToTheMeanings)
{
    // "*" as a word pattern would list everything; empty, it takes no part.
    EXPECT_TRUE(Listed("", "tree") == std::vector<std::string>{"apple"});
    EXPECT_FALSE(MatchesSearch(g_wordBook.first->next, "", "tree"));
    EXPECT_FALSE(MatchesSearch(nullptr, "*", "*"));
}

TEST(SearchEmptyBook, ListsNothing)
{
    ResetWorld();
    EXPECT_EQ(NextSearchMatch(nullptr, "*", "*"), nullptr);
}

// ---- the status line ----

// Pieces of the status line format in CP932: 正解数 ： 　 不正解数 （ 正解率 ％ ） 確認数
// and 本日の不正解数.
const std::string kRight = "\x90\xb3\x89\xf0\x90\x94";
const std::string kColon = "\x81\x46";
const std::string kGap = "\x81\x40";
const std::string kWrong = "\x95\x73\x90\xb3\x89\xf0\x90\x94";
const std::string kOpen = "\x81\x69";
const std::string kRate = "\x90\xb3\x89\xf0\x97\xa6";
const std::string kPercent = "\x81\x93";
const std::string kClose = "\x81\x6a";
const std::string kCheck = "\x8a\x6d\x94\x46\x90\x94";
const std::string kToday = "\x96\x7b\x93\xfa\x82\xcc\x95\x73\x90\xb3\x89\xf0\x90\x94";

const std::string kStatusFormat = kRight + kColon + "%d" + kGap + kWrong + kColon + "%d" + kOpen +
                                  kRate + "%.2f" + kPercent + kClose + kGap + kCheck + kColon +
                                  "%d\n" + kToday + kColon + "%d";

std::string StatusLine(const char* right, const char* wrong, const char* rate, const char* check,
                       const char* today)
{
    return kRight + kColon + right + kGap + kWrong + kColon + wrong + kOpen + kRate + rate +
           kPercent + kClose + kGap + kCheck + kColon + check + "\n" + kToday + kColon + today;
}

struct StatusCase {
    const char* name;
    unsigned right, wrong, check;
    int wrongToday;  // wrong answers recorded for the word since start-up
    const char* rate;
};

TEST(StatusLine, FillsCountsRateAndTodaysWrongCount)
{
    const StatusCase cases[] = {
        {"one right two wrong", 1, 2, 0, 0, "33.33"},
        {"no answers", 0, 0, 7, 0, "0.00"},
        {"only right", 4, 0, 0, 0, "100.00"},
        {"rounds up", 2, 1, 3, 2, "66.67"},
        {"only wrong", 0, 5, 0, 5, "0.00"},
        {"largest counters", 65535, 65535, 65535, 1, "50.00"},
    };
    for (const StatusCase& c : cases) {
        SCOPED_TRACE(c.name);
        ResetWorld();
        ResetRunRecord();
        AddWrongWord("other");
        for (int i = 0; i < c.wrongToday; ++i)
            AddWrongWord("word");
        AddWord("word", "", "", "", c.right, c.wrong, c.check);
        std::string line = FormatStatusLine(kStatusFormat.c_str(), g_wordBook.first);
        EXPECT_EQ(line, StatusLine(std::to_string(c.right).c_str(), std::to_string(c.wrong).c_str(),
                                   c.rate, std::to_string(c.check).c_str(),
                                   std::to_string(c.wrongToday).c_str()));
    }
    ResetWorld();
    ResetRunRecord();
}

TEST(StatusLine, TodaysCountComparesTheWordExactly)
{
    ResetWorld();
    ResetRunRecord();
    AddWrongWord("Word");
    AddWrongWord("words");
    AddWord("word");
    EXPECT_EQ(FormatStatusLine("%d %d %.2f %d %d", g_wordBook.first), std::string("0 0 0.00 0 0"));
    ResetWorld();
    ResetRunRecord();
}

// ---- Modify ----

class ModifyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetWorld();
        AddWord("old", "old one", "old two", "old remark", 3, 4, 5, 0, "oUld");
        record_ = g_wordBook.first;
        // The dialog has read the remarks history (creating it) before any Modify.
        GetComboString(0);
    }
    void TearDown() override { ResetWorld(); }

    ModifyForm Form(const std::string& word, const std::string& e1, const std::string& e2,
                    const std::string& remark)
    {
        texts_[0] = word;
        texts_[1] = e1;
        texts_[2] = e2;
        texts_[3] = remark;
        return ModifyForm{texts_[0].c_str(), texts_[1].c_str(), texts_[2].c_str(),
                          texts_[3].c_str(), "nju:", true};
    }

    void ExpectUntouchedStatistics()
    {
        EXPECT_EQ(record_->RightCount, 3);
        EXPECT_EQ(record_->WrongCount, 4);
        EXPECT_EQ(record_->CheckCount, 5);
    }

    WordRecord* record_ = nullptr;
    std::string texts_[4];
};

TEST_F(ModifyTest, StoresEveryFieldWhenAllFit)
{
    // Each text at its longest: one byte less than its field can hold.
    std::string word(62, 'w'), e1(126, 'a'), e2(126, 'b'), remark(62, 'r');
    ASSERT_TRUE(ModifyRecord(record_, Form(word, e1, e2, remark)));
    EXPECT_EQ(std::string(record_->Word), word);
    EXPECT_EQ(std::string(record_->Explain1), e1);
    EXPECT_EQ(std::string(record_->Explain2), e2);
    EXPECT_EQ(std::string(record_->Explain3), remark);
    EXPECT_STREQ(record_->Pronunce, "nju:");
    EXPECT_EQ(record_->CheckOnly, 1);
    ExpectUntouchedStatistics();
    EXPECT_EQ(std::string(GetComboString(0)), remark);
}

TEST_F(ModifyTest, ClearsCheckOnlyAndAcceptsEmptyTexts)
{
    record_->CheckOnly = 1;
    ModifyForm form = Form("", "", "", "");
    form.checkOnly = false;
    form.pronunce = "";
    ASSERT_TRUE(ModifyRecord(record_, form));
    EXPECT_STREQ(record_->Word, "");
    EXPECT_STREQ(record_->Explain3, "");
    EXPECT_STREQ(record_->Pronunce, "");
    EXPECT_EQ(record_->CheckOnly, 0);
    EXPECT_STREQ(GetComboString(0), "") << "an empty remark is not remembered";
}

struct TooLongCase {
    const char* name;
    std::size_t word, e1, e2, remark;  // text lengths
    int storedFields;                  // how many texts were stored before the refusal
};

TEST_F(ModifyTest, StopsAtTheFirstTooLongFieldKeepingWhatCameBefore)
{
    const TooLongCase cases[] = {
        {"word of 63 bytes", 63, 1, 1, 1, 0},
        {"first meaning of 127 bytes", 5, 127, 1, 1, 1},
        {"second meaning of 127 bytes", 5, 6, 127, 1, 2},
        {"remark of 63 bytes", 5, 6, 7, 63, 3},
        {"all too long", 200, 200, 200, 200, 0},
    };
    const char* before[] = {"old", "old one", "old two", "old remark"};
    for (const TooLongCase& c : cases) {
        SCOPED_TRACE(c.name);
        ResetWorld();
        AddWord("old", "old one", "old two", "old remark", 3, 4, 5, 0, "oUld");
        record_ = g_wordBook.first;
        GetComboString(0);
        ModifyForm form = Form(std::string(c.word, 'w'), std::string(c.e1, 'a'),
                               std::string(c.e2, 'b'), std::string(c.remark, 'r'));
        EXPECT_FALSE(ModifyRecord(record_, form));
        const char* fields[] = {record_->Word, record_->Explain1, record_->Explain2,
                                record_->Explain3};
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE(i);
            if (i < c.storedFields)
                EXPECT_EQ(std::string(fields[i]), texts_[i]);
            else
                EXPECT_STREQ(fields[i], before[i]);
        }
        EXPECT_STREQ(record_->Pronunce, "oUld");
        EXPECT_EQ(record_->CheckOnly, 0);
        ExpectUntouchedStatistics();
        EXPECT_STREQ(GetComboString(0), "") << "nothing reaches the remarks history";
    }
}

TEST_F(ModifyTest, TooLongCountsBytesOfDoubleByteText)
{
    // 31 double-byte characters and one letter are 63 bytes: one too many for the word.
    std::string word;
    for (int i = 0; i < 31; ++i)
        word += "\x88\x9f";
    EXPECT_TRUE(ModifyRecord(record_, Form(word, "", "", "")));
    EXPECT_FALSE(ModifyRecord(record_, Form(word + "x", "", "", "")));
    EXPECT_EQ(std::string(record_->Word), word);
}

} // namespace
