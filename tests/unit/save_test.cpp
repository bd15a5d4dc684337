// Saving behind a backup, switching word files, and the start-up check.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/settings.h"
#include "platform/platform.h"
#include "tests/unit/test_helpers.h"
#include "wordbook/save.h"
#include "wordbook/word_book.h"
#include "wordbook/word_file.h"

namespace {

std::string Words()
{
    std::string all;
    for (const WordRecord* r = g_wordBook.first; r; r = r->next)
        all += std::string(r->Word) + " ";
    return all;
}

TEST(MakeBackupNameTest, ReplacesTheExtensionOfTheFileName)
{
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"C:\\data\\tango.csv", "C:\\data\\tango.bak"},
        {"tango", "tango.bak"},
        {"tango.bak", "tango.bak"},
        {"a.b.c", "a.b.bak"},
        {"C:\\my.words\\tango", "C:\\my.words\\tango.bak"},
        {"/tmp/x.y/list", "/tmp/x.y/list.bak"},
        {"", ".bak"},
        // The second byte of ソ (0x83 0x5C) is no folder separator.
        {"C:\\f\\a.b\x83\x5c", "C:\\f\\a.bak"},
    };
    for (const auto& [path, backup] : cases)
        EXPECT_STREQ(MakeBackupName(path), backup) << path;
    // A path at the setting's limit still gets its whole backup name.
    std::string longPath(123, 'a');
    EXPECT_EQ(std::string(MakeBackupName(longPath.c_str())), longPath + ".bak");
}

class SaveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetWorld();
        file_ = dir_.Path("tango.csv");
        backup_ = dir_.Path("tango.bak");
        std::snprintf(g_settings.DataFileName, sizeof g_settings.DataFileName, "%s",
                      file_.c_str());
    }
    void TearDown() override { ResetWorld(); }

    void LoadFile(const std::string& bytes)
    {
        WriteBytes(file_, bytes);
        ASSERT_GE(LoadCSVFile(file_.c_str()), 0);
    }

    ScratchDir dir_;
    std::string file_;
    std::string backup_;
};

TEST_F(SaveTest, BackupHoldsThePreviousFileAndBothEndWritable)
{
    LoadFile("old,1\r\n");
    ASSERT_TRUE(PlatIsReadOnly(file_.c_str()));
    AddWord("new");
    EXPECT_EQ(SaveWordBookFiles(), 0);
    EXPECT_EQ(ReadBytes(backup_), "old,1\r\n");
    EXPECT_EQ(ReadBytes(file_), "old,1,,,0,0,0,0,\r\nnew,,,,0,0,0,0,\r\n");
    EXPECT_FALSE(PlatIsReadOnly(file_.c_str()));
    EXPECT_FALSE(PlatIsReadOnly(backup_.c_str()));
}

TEST_F(SaveTest, ARestoredBackupMarkedReadOnlyIsStillRefreshed)
{
    // After a recovery the loader leaves the backup read-only: the first copy onto it
    // is refused, the attribute is reset, and the next save refreshes it.
    WriteBytes(file_, "short\r\n");
    WriteBytes(backup_, "a\r\nb\r\n");
    ASSERT_EQ(ReloadWordFile(backup_.c_str(), nullptr), 2);
    ASSERT_TRUE(PlatIsReadOnly(backup_.c_str()));
    EXPECT_EQ(SaveWordBookFiles(), 0);
    EXPECT_EQ(ReadBytes(backup_), "a\r\nb\r\n");
    EXPECT_EQ(ReadBytes(file_), "a,,,,0,0,0,0,\r\nb,,,,0,0,0,0,\r\n");
    EXPECT_EQ(SaveWordBookFiles(), 0);
    EXPECT_EQ(ReadBytes(backup_), "a,,,,0,0,0,0,\r\nb,,,,0,0,0,0,\r\n");
}

TEST_F(SaveTest, AnEmptyBookMakesNoBackup)
{
    WriteBytes(backup_, "precious\r\n");
    EXPECT_EQ(SaveWordBookFiles(), 0);
    EXPECT_FALSE(PlatPathExists(file_.c_str()));
    EXPECT_EQ(ReadBytes(backup_), "precious\r\n");

    WriteBytes(file_, "x\r\n");
    EXPECT_EQ(SaveWordBookFiles(), 0);
    EXPECT_EQ(ReadBytes(file_), "");
    EXPECT_EQ(ReadBytes(backup_), "precious\r\n");
}

TEST_F(SaveTest, AFailedSaveKeepsTheBookForALaterOne)
{
    LoadFile("w\r\n");
    AddWord("added");
    StandinFail().writeBytesLeft = 3;
    EXPECT_EQ(SaveWordBookFiles(), -2);
    EXPECT_EQ(ReadBytes(file_), "w\r\n");
    StandinFail().writeBytesLeft = -1;
    EXPECT_EQ(SaveWordBookFiles(), 0);
    EXPECT_EQ(ReadBytes(file_), "w,,,,0,0,0,0,\r\nadded,,,,0,0,0,0,\r\n");
}

TEST_F(SaveTest, SaveWritesTheSettingsFirst)
{
    LoadSettings();
    g_settings.ProblemTrend = 3;
    SaveWordBookFiles();
    EXPECT_EQ(StandinRegistryData()["Software\\VOKARU\\ProblemTrend"][""], "3");
}

TEST_F(SaveTest, AFailedReloadLeavesTheBookExactlyAsItWas)
{
    AddWord("a");
    AddWord("b");
    WordRecord* first = g_wordBook.first;
    WordRecord* hint = g_wordBook.hint;
    std::string bad = dir_.Path("bad.csv");
    WriteBytes(bad, "x\ny\n" + std::string(70, 'z') + "\n");
    EXPECT_EQ(ReloadWordFile(bad.c_str(), file_.c_str()), -3);
    EXPECT_EQ(g_wordBook.first, first);
    EXPECT_EQ(Words(), "a b ");
    EXPECT_FALSE(PlatPathExists(file_.c_str()));  // nothing written on failure
    (void)hint;
    // Appending afterwards still goes to the true end.
    AddWord("c");
    EXPECT_EQ(Words(), "a b c ");
}

TEST_F(SaveTest, ReloadWritesTheOldBookToTheSavePath)
{
    AddWord("old");
    std::string other = dir_.Path("other.csv");
    WriteBytes(other, "n1\r\nn2\r\n");
    EXPECT_EQ(ReloadWordFile(other.c_str(), file_.c_str()), 2);
    EXPECT_EQ(Words(), "n1 n2 ");
    EXPECT_EQ(ReadBytes(file_), "old,,,,0,0,0,0,\r\n");
    AddWord("n3");
    EXPECT_EQ(Words(), "n1 n2 n3 ");

    // A file that does not exist yet starts an empty book.
    EXPECT_EQ(ReloadWordFile(dir_.Path("fresh.csv").c_str(), other.c_str()), 0);
    EXPECT_EQ(CountRecords(), 0);
    EXPECT_EQ(ReadBytes(other), "n1,,,,0,0,0,0,\r\nn2,,,,0,0,0,0,\r\nn3,,,,0,0,0,0,\r\n");
}

// A scripted learner for the start-up check's questions.
struct Answers {
    bool fewer = false;
    bool useBackup = false;
    std::vector<std::pair<int, std::string>> asked;
};
Answers* g_answers = nullptr;

bool Ask(int id, const char* argument)
{
    g_answers->asked.emplace_back(id, argument ? argument : "");
    if (id == 14)
        return g_answers->fewer;
    if (id == 31)
        return g_answers->useBackup;
    return false;
}

TEST_F(SaveTest, StartupCheckOutcomes)
{
    struct Case {
        const char* name;
        int dataCount;
        bool hasBackup;
        bool fewer, useBackup;
        bool goesOn;
        int count;
        std::vector<int> asked;
        const char* words;
    };
    const std::vector<Case> cases = {
        {"first start", 0, false, false, false, true, 1, {}, "short "},
        {"more words than before", 1, false, false, false, true, 1, {}, "short "},
        {"fewer, go on", 5, true, true, false, true, 1, {14}, "short "},
        {"fewer, backup used", 3, true, false, true, true, 3, {14, 31}, "b1 b2 b3 "},
        {"fewer, backup refused", 3, true, false, false, false, 3, {14, 31}, "b1 b2 b3 "},
        {"fewer, backup short too", 5, true, false, true, false, 3, {14, 32}, "b1 b2 b3 "},
        // A missing backup loads as an empty book, still short of the count.
        {"fewer, no backup", 5, false, false, true, false, 1, {14, 32}, ""},
    };
    for (const Case& c : cases) {
        ResetWorld();
        std::filesystem::remove(backup_);
        if (c.hasBackup)
            WriteBytes(backup_, "b1\r\nb2\r\nb3\r\n");
        if (PlatPathExists(file_.c_str()))
            PlatSetNormal(file_.c_str());
        WriteBytes(file_, "short\r\n");
        int loaded = LoadCSVFile(file_.c_str());
        Answers answers;
        answers.fewer = c.fewer;
        answers.useBackup = c.useBackup;
        g_answers = &answers;
        int count = -1;
        EXPECT_EQ(RunStartupCheck(loaded, c.dataCount, file_.c_str(), Ask, &count), c.goesOn)
            << c.name;
        if (c.goesOn)
            EXPECT_EQ(count, c.count) << c.name;
        std::vector<int> ids;
        for (auto& [id, argument] : answers.asked)
            ids.push_back(id);
        EXPECT_EQ(ids, c.asked) << c.name;
        EXPECT_EQ(Words(), c.words) << c.name;
        if (!ids.empty())
            EXPECT_EQ(answers.asked[0].second, "1") << c.name;
        if (ids.size() > 1 && ids[1] == 32)
            EXPECT_EQ(answers.asked[1].second, file_) << c.name;
        // The check never rewrites the word file.
        EXPECT_EQ(ReadBytes(file_), "short\r\n") << c.name;
    }
}

} // namespace
