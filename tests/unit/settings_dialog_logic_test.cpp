// The settings dialog's OK without a window: word file name check and switch, the other
// fields stored all or nothing, and the help file's path.
#include "settings/settings_dialog_logic.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tests/unit/test_helpers.h"
#include "wordbook/word_book.h"
#include "wordbook/word_file.h"

namespace {

std::string& Stored(const std::string& name)
{
    return StandinRegistryData()["Software\\VOKARU\\" + name][""];
}

std::string Words()
{
    std::string all;
    for (const WordRecord* r = g_wordBook.first; r; r = r->next)
        all += std::string(r->Word) + " ";
    return all;
}

// Every field of the settings in one text, so that "nothing changed" compares them all.
std::string Describe(const Settings& s)
{
    char text[1024];
    std::snprintf(text, sizeof text, "%s|%u|%s|%d|%d|%d|%d|%s|%s|%d|%d|%d|%s", s.DataFileName,
                  s.TimerInterval, s.SoundFileName, s.Popup, s.DataCount, s.Status,
                  s.CorrectDialog, s.CorrectSoundFileName, s.WrongSoundFileName,
                  s.ProblemPattern, s.ProblemTrend, s.ProblemContinue, s.ListingApp);
    return text;
}

Settings LearnerSettings()
{
    Settings s = {};
    std::snprintf(s.DataFileName, sizeof s.DataFileName, "C:\\words\\tango.csv");
    s.TimerInterval = 123456;
    std::snprintf(s.SoundFileName, sizeof s.SoundFileName, "ask.wav");
    s.Popup = 1;
    s.DataCount = 4;
    s.Status = 2;
    s.CorrectDialog = 0;
    std::snprintf(s.CorrectSoundFileName, sizeof s.CorrectSoundFileName, "right.wav");
    std::snprintf(s.WrongSoundFileName, sizeof s.WrongSoundFileName, "wrong.wav");
    s.ProblemPattern = 2;
    s.ProblemTrend = 3;
    s.ProblemContinue = 5;
    std::snprintf(s.ListingApp, sizeof s.ListingApp, "notepad.exe");
    return s;
}

// ---- word file name ----

TEST(SettingsDialogLogic, WordFileNameMustBeSomethingThatFitsTheSetting)
{
    const std::string longest(127, 'n');
    const std::string tooLong(128, 'n');
    const struct {
        std::string name;
        SettingsRefusal refusal;
    } cases[] = {
        {"", kRefuseFileName},
        {" ", kRefuseFileName},
        {"     ", kRefuseFileName},
        {" a ", kRefuseNone},          // used as typed, blanks and all
        {"\t", kRefuseNone},           // only spaces count as blanks
        {"tango.csv", kRefuseNone},
        {longest, kRefuseNone},
        {tooLong, kRefuseFileName},
        {std::string(200, ' '), kRefuseFileName},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("[" + c.name + "]");
        EXPECT_EQ(CheckWordFileName(c.name.c_str()), c.refusal);
    }
}

class SwitchWordFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetWorld();
        g_settings = LearnerSettings();
        oldFile_ = dir_.Path("old.csv");
        newFile_ = dir_.Path("new.csv");
        std::snprintf(g_settings.DataFileName, sizeof g_settings.DataFileName, "%s",
                      oldFile_.c_str());
        Stored("DataCount") = "2";
        WriteBytes(oldFile_, "apple,1\r\npen,2\r\n");
        ASSERT_EQ(LoadCSVFile(oldFile_.c_str()), 2);
        AddWord("cat"); // a word added during the run, not yet saved
    }
    void TearDown() override { ResetWorld(); }

    void ExpectNothingChanged(const std::string& settingsBefore)
    {
        EXPECT_EQ(Words(), "apple pen cat ");
        EXPECT_EQ(Describe(g_settings), settingsBefore);
        EXPECT_EQ(Stored("DataCount"), "2");
        EXPECT_EQ(ReadBytes(oldFile_), "apple,1\r\npen,2\r\n") << "the old file is not written";
    }

    ScratchDir dir_;
    std::string oldFile_;
    std::string newFile_;
};

TEST_F(SwitchWordFileTest, TheSameNameNeitherLoadsNorWritesDataCount)
{
    std::string before = Describe(g_settings);
    std::string same = oldFile_;
    EXPECT_EQ(SwitchWordFile(same.c_str()), kWordFileSame);
    ExpectNothingChanged(before);
}

TEST_F(SwitchWordFileTest, ALoadableFileReplacesTheBookAfterTheOldOneIsWritten)
{
    WriteBytes(newFile_, "dog,1\r\nbird,2\r\nfish,3\r\n");
    EXPECT_EQ(SwitchWordFile(newFile_.c_str()), kWordFileSwitched);
    EXPECT_EQ(Words(), "dog bird fish ");
    EXPECT_STREQ(g_settings.DataFileName, newFile_.c_str());
    EXPECT_EQ(Stored("DataCount"), "3");
    EXPECT_EQ(g_settings.DataCount, 3);
    EXPECT_EQ(ReadBytes(oldFile_),
              "apple,1,,,0,0,0,0,\r\npen,2,,,0,0,0,0,\r\ncat,,,,0,0,0,0,\r\n")
        << "the old book, with the word added during the run, went to the old file";
    EXPECT_EQ(g_settings.TimerInterval, 123456u) << "only the word file changes";
}

TEST_F(SwitchWordFileTest, AMissingFileStartsAnEmptyBook)
{
    EXPECT_EQ(SwitchWordFile(newFile_.c_str()), kWordFileSwitched);
    EXPECT_EQ(Words(), "");
    EXPECT_STREQ(g_settings.DataFileName, newFile_.c_str());
    EXPECT_EQ(Stored("DataCount"), "0");
    EXPECT_NE(ReadBytes(oldFile_).find("cat,"), std::string::npos);
}

TEST_F(SwitchWordFileTest, RefusedNamesAndUnreadableFilesChangeNothing)
{
    WriteBytes(newFile_, "dog,1\r\n" + std::string(64, 'x') + ",too long\r\n");
    const std::string tooLong = dir_.Path(std::string(130, 'z') + ".csv");
    for (const std::string& name : {newFile_, std::string(""), std::string("   "), tooLong}) {
        SCOPED_TRACE(name);
        std::string before = Describe(g_settings);
        EXPECT_EQ(SwitchWordFile(name.c_str()), kWordFileNotLoaded);
        ExpectNothingChanged(before);
    }
}

// ---- the other fields ----

SettingsForm DefaultForm()
{
    SettingsForm form = {};
    form.interval = "10";
    form.soundFileName = "ask.wav";
    form.correctSoundFileName = "right.wav";
    form.wrongSoundFileName = "wrong.wav";
    form.listingApp = "notepad.exe";
    form.popup = true;
    form.patternFirst = true;
    form.trendFirst = true;
    form.continueEntry = 0;
    return form;
}

TEST(SettingsDialogLogic, EveryFieldIsStoredWhenAllAreAcceptable)
{
    Settings s = LearnerSettings();
    SettingsForm form = DefaultForm();
    form.interval = "45";
    form.soundFileName = "C:\\a.wav";
    form.correctSoundFileName = "";
    form.wrongSoundFileName = "C:\\w.wav";
    form.listingApp = "";
    form.popup = false;
    form.correctDialog = true;
    form.patternFirst = false;
    form.patternSecond = false;
    form.trendFirst = false;
    form.trendSecond = true;
    form.continueEntry = 3;
    SettingsCheck check = StoreSettingsForm(form, &s);
    EXPECT_EQ(check.refusal, kRefuseNone);
    EXPECT_EQ(check.field, kFieldNone);
    EXPECT_EQ(s.TimerInterval, 45u * 60000u);
    EXPECT_STREQ(s.SoundFileName, "C:\\a.wav");
    EXPECT_STREQ(s.CorrectSoundFileName, "");
    EXPECT_STREQ(s.WrongSoundFileName, "C:\\w.wav");
    EXPECT_STREQ(s.ListingApp, "");
    EXPECT_EQ(s.Popup, 0);
    EXPECT_EQ(s.CorrectDialog, 1);
    EXPECT_EQ(s.ProblemPattern, 3);
    EXPECT_EQ(s.ProblemTrend, 2);
    EXPECT_EQ(s.ProblemContinue, 10);
    // The word file, its count and the tray state are not the form's.
    EXPECT_STREQ(s.DataFileName, "C:\\words\\tango.csv");
    EXPECT_EQ(s.DataCount, 4);
    EXPECT_EQ(s.Status, 2);
}

TEST(SettingsDialogLogic, CountListEntriesAndRadiosBecomeTheirValues)
{
    const struct {
        int entry;
        int count;
    } entries[] = {{0, 1}, {1, 3}, {2, 5}, {3, 10}, {4, 15}, {5, 20}, {-1, 1}};
    for (const auto& e : entries) {
        SCOPED_TRACE(e.entry);
        Settings s = LearnerSettings();
        SettingsForm form = DefaultForm();
        form.continueEntry = e.entry;
        ASSERT_EQ(StoreSettingsForm(form, &s).refusal, kRefuseNone);
        EXPECT_EQ(s.ProblemContinue, e.count);
    }
    const struct {
        bool first, second;
        int value;
    } radios[] = {{true, false, 1}, {false, true, 2}, {false, false, 3}};
    for (const auto& r : radios) {
        SCOPED_TRACE(r.value);
        Settings s = LearnerSettings();
        SettingsForm form = DefaultForm();
        form.patternFirst = r.first;
        form.patternSecond = r.second;
        form.trendFirst = r.first;
        form.trendSecond = r.second;
        ASSERT_EQ(StoreSettingsForm(form, &s).refusal, kRefuseNone);
        EXPECT_EQ(s.ProblemPattern, r.value);
        EXPECT_EQ(s.ProblemTrend, r.value);
    }
}

TEST(SettingsDialogLogic, IntervalInMinutesBecomesMilliseconds)
{
    const struct {
        const char* text;
        SettingsRefusal refusal;
        std::uint32_t interval;
    } cases[] = {
        {"10", kRefuseNone, 600000},
        {"1", kRefuseNone, 60000},
        {"71582", kRefuseNone, 4294920000u},
        {"0", kRefuseIntervalShort, 0},
        {"", kRefuseIntervalShort, 0},
        {"-3", kRefuseIntervalShort, 0},
        {"71583", kRefuseIntervalLong, 0},
        {"4294967297", kRefuseIntervalLong, 0}, // would wrap round to 1 minute in 32 bits
        {"99999999999999999999999999", kRefuseIntervalLong, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Settings s = LearnerSettings();
        std::string before = Describe(s);
        SettingsForm form = DefaultForm();
        form.interval = c.text;
        SettingsCheck check = StoreSettingsForm(form, &s);
        EXPECT_EQ(check.refusal, c.refusal);
        if (c.refusal == kRefuseNone) {
            EXPECT_EQ(s.TimerInterval, c.interval);
        } else {
            EXPECT_EQ(check.field, kFieldInterval);
            EXPECT_EQ(Describe(s), before) << "a refused form stores nothing";
        }
    }
}

// A name longer than its setting is refused whole, never cut into another file's name.
TEST(SettingsDialogLogic, TextsLongerThanTheirSettingAreRefusedAtTheFirstOne)
{
    const std::string longest(127, 'a');
    const std::string tooLong(128, 'b');
    const struct {
        const char* SettingsForm::*form;
        char (Settings::*setting)[kSettingTextSize];
        SettingsField field;
    } texts[] = {
        {&SettingsForm::soundFileName, &Settings::SoundFileName, kFieldSoundFileName},
        {&SettingsForm::correctSoundFileName, &Settings::CorrectSoundFileName,
         kFieldCorrectSoundFileName},
        {&SettingsForm::wrongSoundFileName, &Settings::WrongSoundFileName,
         kFieldWrongSoundFileName},
        {&SettingsForm::listingApp, &Settings::ListingApp, kFieldListingApp},
    };
    for (const auto& t : texts) {
        SCOPED_TRACE(t.field);
        Settings s = LearnerSettings();
        SettingsForm form = DefaultForm();
        form.*t.form = longest.c_str();
        ASSERT_EQ(StoreSettingsForm(form, &s).refusal, kRefuseNone);
        EXPECT_EQ(std::string(s.*t.setting), longest);

        s = LearnerSettings();
        std::string before = Describe(s);
        form.*t.form = tooLong.c_str();
        SettingsCheck check = StoreSettingsForm(form, &s);
        EXPECT_EQ(check.refusal, kRefuseTextTooLong);
        EXPECT_EQ(check.field, t.field);
        EXPECT_EQ(Describe(s), before);
    }
    // Several too long: the first in the dialog's order is named; the interval comes first.
    Settings s = LearnerSettings();
    SettingsForm form = DefaultForm();
    form.wrongSoundFileName = tooLong.c_str();
    form.listingApp = tooLong.c_str();
    EXPECT_EQ(StoreSettingsForm(form, &s).field, kFieldWrongSoundFileName);
    form.interval = "0";
    EXPECT_EQ(StoreSettingsForm(form, &s).field, kFieldInterval);
}

// ---- help file ----

TEST(SettingsDialogLogic, HelpFileSitsBesideTheProgram)
{
    const struct {
        const char* program;
        const char* help;
    } cases[] = {
        {"C:\\Vokaru\\vokaru.exe", "C:\\Vokaru\\vokaru.hlp"},
        {"C:\\vokaru.exe", "C:\\vokaru.hlp"},
        {"vokaru.exe", "vokaru.hlp"},
        {"C:\\Vokaru\\", "C:\\Vokaru\\vokaru.hlp"},
        // "ソフト.exe": the second byte of "ソ" is 0x5C and is no separator.
        {"D:\\tools\\\x83\x5C\x83\x74\x83\x67.exe", "D:\\tools\\vokaru.hlp"},
        // "表\" folder: its own separator after a 0x5C second byte still counts.
        {"D:\\\x95\x5C\\v.exe", "D:\\\x95\x5C\\vokaru.hlp"},
        // A lead byte cut off at the end does not swallow the terminator.
        {"C:\\a\\\x83", "C:\\a\\vokaru.hlp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program);
        char help[128];
        ASSERT_TRUE(MakeHelpFileName(c.program, help, sizeof help));
        EXPECT_STREQ(help, c.help);
    }
}

TEST(SettingsDialogLogic, HelpFileNameThatDoesNotFitIsRefused)
{
    const char program[] = "C:\\dir\\vokaru.exe";  // help name: 7 + 10 bytes + NUL
    char help[18];
    std::memset(help, '#', sizeof help);
    EXPECT_TRUE(MakeHelpFileName(program, help, 18));
    EXPECT_STREQ(help, "C:\\dir\\vokaru.hlp");
    std::memset(help, '#', sizeof help);
    EXPECT_FALSE(MakeHelpFileName(program, help, 17));
    EXPECT_EQ(help[16], '#') << "nothing is written past the room given";
}

} // namespace
