// The word book's list operations.
#include <gtest/gtest.h>

#include <string>

#include "tests/unit/test_helpers.h"
#include "wordbook/word_book.h"

namespace {

std::string Words()
{
    std::string all;
    for (const WordRecord* r = g_wordBook.first; r; r = r->next)
        all += std::string(r->Word) + " ";
    return all;
}

class WordBookTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetWorld();
        for (const char* w : {"one", "two", "three", "four"})
            AddWord(w);
    }
    void TearDown() override { ResetWorld(); }
};

TEST_F(WordBookTest, RemovingKeepsTheListWholeAndAppendsGoToTheEnd)
{
    RemoveRecord(FindRecord("two"));
    EXPECT_EQ(Words(), "one three four ");
    EXPECT_EQ(g_wordBook.hint, nullptr);
    AddWord("five");
    EXPECT_EQ(Words(), "one three four five ");

    RemoveRecord(FindRecord("five"));  // the last record
    AddWord("six");
    EXPECT_EQ(Words(), "one three four six ");

    RemoveRecord(FindRecord("one"));  // the first record
    AddWord("seven");
    EXPECT_EQ(Words(), "three four six seven ");
    EXPECT_EQ(CountRecords(), 4);
}

TEST_F(WordBookTest, FindIsExactAndReturnsTheFirst)
{
    AddWord("two", "second copy");
    EXPECT_STREQ(FindRecord("two")->Explain1, "");
    EXPECT_EQ(FindRecord("Two"), nullptr);
    EXPECT_EQ(FindRecord("tw"), nullptr);
    EXPECT_EQ(FindRecord(nullptr), nullptr);
}

TEST_F(WordBookTest, RemovingNothingOrAStrangerChangesNothing)
{
    WordRecord stranger;
    ClearRecord(&stranger);
    RemoveRecord(nullptr);
    RemoveRecord(&stranger);
    EXPECT_EQ(Words(), "one two three four ");
}

TEST_F(WordBookTest, AppendCopiesTheWholeRecordAndNullOnlyClearsTheHint)
{
    WordRecord r;
    ClearRecord(&r);
    CopyField(r.Word, sizeof r.Word, "copy");
    r.WrongCount = 9;
    ASSERT_EQ(AppendRecord(&r), 0);
    r.WrongCount = 1;
    EXPECT_EQ(FindRecord("copy")->WrongCount, 9);

    EXPECT_EQ(AppendRecord(nullptr), 0);
    EXPECT_EQ(g_wordBook.hint, nullptr);
    AddWord("after");
    EXPECT_EQ(Words(), "one two three four copy after ");

    SetRecordAllocationLimit(0);
    EXPECT_EQ(AppendRecord(&r), -1);
    EXPECT_EQ(CountRecords(), 6);
}

TEST(CopyFieldTest, CutsOnACharacterBoundary)
{
    char field[5];
    EXPECT_TRUE(CopyField(field, sizeof field, "abcd"));
    EXPECT_STREQ(field, "abcd");
    EXPECT_FALSE(CopyField(field, sizeof field, "abcde"));
    EXPECT_STREQ(field, "abcd");
    EXPECT_FALSE(CopyField(field, sizeof field, "abc\x82\xa0"));
    EXPECT_STREQ(field, "abc");
}

} // namespace
