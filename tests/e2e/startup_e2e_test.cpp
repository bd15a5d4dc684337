// vokaru.exe's start-up and shutdown seen from outside: settings created in the registry,
// the word file written back behind its backup at exit, load failures, and the start-up
// check against DataCount with its offer to go on from the backup.
#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace {

using e2e::Cp932FromUtf8;

std::string Cp932(const char* utf8) { return Cp932FromUtf8(utf8); }

std::string Repeat(const std::string& piece, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

// A record with every text field at its longest: the line is far longer than 400 bytes.
std::string LongRecord()
{
    return Repeat("w", 63) + "," + Cp932(Repeat("意", 63).c_str()) + "a," +
           Cp932(Repeat("味", 63).c_str()) + "b," + Cp932(Repeat("備", 31).c_str()) + "c," +
           "1,2,3,0," + Repeat("aI", 31) + "Z";
}

struct SettingText {
    const wchar_t* name;
    std::wstring text;
};

// Every setting of the program with a value other than its default.
std::vector<SettingText> LearnerSettings(const std::wstring& dataFile, const wchar_t* dataCount)
{
    return {
        {L"DataFileName", dataFile},
        {L"TimerInterval", L"123456"},
        {L"SoundFileName", L"C:\\sounds\\ask.wav"},
        {L"Popup", L"0"},
        {L"DataCount", dataCount},
        {L"Status", L"1"}, // paused: no question can pop up during a test
        {L"CorrectDialog", L"0"},
        {L"CorrectSoundFileName", L"C:\\sounds\\right.wav"},
        {L"WrongSoundFileName", L"C:\\sounds\\wrong.wav"},
        {L"ProblemPattern", L"2"},
        {L"ProblemTrend", L"3"},
        {L"ProblemContinue", L"5"},
        {L"ListingApp", L"notepad.exe"},
    };
}

std::vector<SettingText> WithSetting(std::vector<SettingText> settings, const wchar_t* name,
                                     const std::wstring& text)
{
    for (SettingText& setting : settings) {
        if (std::wstring(setting.name) == name)
            setting.text = text;
    }
    return settings;
}

class StartupE2E : public ::testing::Test {
protected:
    void SetUp() override
    {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        name_ = e2e::WideFromUtf8(std::string(info->test_suite_name()) + "." + info->name());
        folder_ = e2e::MakeScratchFolder(e2e::WideFromUtf8(info->name()));
        exe_ = e2e::JoinPath(folder_, L"vokaru.exe");
        wordFile_ = e2e::JoinPath(folder_, L"words.csv");
        backupFile_ = e2e::JoinPath(folder_, L"words.bak");
        // The program runs from its own copy, so its folder (and the default word file
        // beside it) belongs to this test alone.
        std::wstring program = e2e::ProgramUnderTest();
        ASSERT_TRUE(CopyFileW(program.c_str(), exe_.c_str(), FALSE))
            << "cannot copy the program under test " << e2e::Utf8FromWide(program);
        e2e::ClearSettings();
    }

    void TearDown() override
    {
        if (HasFailure()) {
            std::printf("%s\n", e2e::DescribeWindows(program_).c_str());
            std::wstring shot = e2e::SaveFailureShot(name_);
            if (!shot.empty())
                std::printf("screenshot of the failure: %s\n", e2e::Utf8FromWide(shot).c_str());
        }
        e2e::StopProgram(&program_);
    }

    void PutSettings(const std::vector<SettingText>& settings)
    {
        for (const SettingText& setting : settings)
            ASSERT_TRUE(e2e::PutSetting(setting.name, setting.text));
    }

    // Each setting holds exactly the given text, stored the program's way.
    void ExpectSettings(const std::vector<SettingText>& settings)
    {
        for (const SettingText& expected : settings) {
            SCOPED_TRACE(e2e::Utf8FromWide(expected.name));
            e2e::StoredSetting stored = e2e::ReadStoredSetting(expected.name);
            ASSERT_TRUE(stored.keyExists);
            ASSERT_TRUE(stored.hasUnnamedValue);
            EXPECT_EQ(stored.type, static_cast<DWORD>(REG_SZ));
            EXPECT_EQ(e2e::Utf8FromWide(stored.text), e2e::Utf8FromWide(expected.text));
            EXPECT_EQ(stored.valueCount, 1u) << "the key holds its unnamed value only";
        }
    }

    void Start() { ASSERT_TRUE(e2e::StartProgram(&program_, exe_, folder_)); }

    HWND Tray()
    {
        HWND tray = e2e::WaitForTrayWindow(program_);
        EXPECT_NE(tray, nullptr) << "no window of class Vokaru";
        return tray;
    }

    HWND Dialog(const wchar_t* caption)
    {
        HWND dialog = e2e::WaitForDialog(program_, caption);
        EXPECT_NE(dialog, nullptr) << "no dialog captioned " << e2e::Utf8FromWide(caption);
        return dialog;
    }

    void Shot()
    {
        Sleep(500); // let the desktop draw the icon or the box
        std::wstring shot = e2e::SaveRunShot(name_);
        if (!shot.empty())
            std::printf("screenshot: %s\n", e2e::Utf8FromWide(shot).c_str());
    }

    // The program ends by itself (after a button press) with exit code 0.
    void ExpectExitZero()
    {
        DWORD code = 0;
        ASSERT_TRUE(e2e::WaitForExit(&program_, e2e::kWaitMs, &code)) << "the program still runs";
        EXPECT_EQ(code, 0u);
    }

    // The menu command 終了 (99) ends the program with exit code 0.
    void EndFromTray(HWND tray)
    {
        ASSERT_TRUE(e2e::PostCommand(tray, 99));
        ExpectExitZero();
    }

    void ExpectMessageBox(HWND box, const char* caption, const std::string& text,
                          std::vector<int> buttons, int defaultButton)
    {
        e2e::MessageBoxView view = e2e::ReadMessageBox(box);
        EXPECT_EQ(e2e::Utf8FromWide(view.caption), caption);
        EXPECT_EQ(e2e::Utf8FromWide(view.text), text);
        EXPECT_EQ(view.buttons, buttons);
        EXPECT_EQ(view.defaultButton, defaultButton);
        EXPECT_TRUE(view.hasIcon);
        EXPECT_EQ(view.owner, e2e::FindTrayWindow(program_)) << "owned by the tray window";
    }

    void ExpectFolderHolds(std::vector<std::wstring> names)
    {
        std::vector<std::string> actual;
        for (const std::wstring& name : e2e::FolderNames(folder_))
            actual.push_back(e2e::Utf8FromWide(name));
        std::vector<std::string> expected;
        for (const std::wstring& name : names)
            expected.push_back(e2e::Utf8FromWide(name));
        EXPECT_EQ(actual, expected);
    }

    std::wstring name_;
    std::wstring folder_;
    std::wstring exe_;
    std::wstring wordFile_;
    std::wstring backupFile_;
    e2e::Program program_;
};

// ---- First run ----

TEST_F(StartupE2E, FirstRunCreatesEverySettingWithItsDefault)
{
    Start();
    HWND tray = Tray();
    ASSERT_NE(tray, nullptr);
    Shot();
    EXPECT_TRUE(e2e::WaitForSetting(L"DataCount", L"0"));
    EndFromTray(tray);

    ExpectSettings({
        {L"DataFileName", e2e::JoinPath(folder_, L"tango.csv")},
        {L"TimerInterval", L"600000"},
        {L"SoundFileName", L""},
        {L"Popup", L"1"},
        {L"DataCount", L"0"},
        {L"Status", L"0"},
        {L"CorrectDialog", L"1"},
        {L"CorrectSoundFileName", L""},
        {L"WrongSoundFileName", L""},
        {L"ProblemPattern", L"1"},
        {L"ProblemTrend", L"1"},
        {L"ProblemContinue", L"1"},
        {L"ListingApp", L""},
    });
    // An empty word book is saved nowhere: no word file, no backup.
    ExpectFolderHolds({L"vokaru.exe"});
}

// ---- Word file round trip at exit ----

// A learner's file: LF line ends, quoting and numbers that the writer puts in its own form.
std::string RoundTripInput()
{
    return Cp932("apple,りんご,リンゴの木,果物,3,1,0,0,'apl\n") +
           Cp932("\"pen, ink\",ペン,\"say \"\"hi\"\"\",,0,0,2,1,\n") +
           Cp932("表示,ソフト,\"\",備考,70000,-1,abc,1,dis'plei\n") + LongRecord() + "\n";
}

std::string RoundTripOutput()
{
    return Cp932("apple,りんご,リンゴの木,果物,3,1,0,0,'apl\r\n") +
           Cp932("\"pen, ink\",ペン,\"say \"\"hi\"\"\",,0,0,2,1,\r\n") +
           Cp932("表示,ソフト,,備考,4464,65535,0,1,dis'plei\r\n") + LongRecord() + "\r\n";
}

TEST_F(StartupE2E, WordFileIsWrittenBackBehindItsBackupAtExit)
{
    const std::string input = RoundTripInput();
    ASSERT_TRUE(e2e::WriteBytes(wordFile_, input));
    ASSERT_TRUE(e2e::WriteBytes(backupFile_, "an older backup\r\n"));
    // More words than last time (some were added): nothing is asked, the count is stored.
    std::vector<SettingText> settings = LearnerSettings(wordFile_, L"2");
    PutSettings(settings);

    Start();
    HWND tray = Tray();
    ASSERT_NE(tray, nullptr);
    Shot();
    EXPECT_TRUE(e2e::WaitForSetting(L"DataCount", L"4"));
    EXPECT_EQ(e2e::FindDialog(program_, nullptr), nullptr) << "no question at start-up";
    EXPECT_TRUE(e2e::IsReadOnly(wordFile_)) << "the word file is read-only while loaded";
    EXPECT_EQ(e2e::ReadBytes(wordFile_), input) << "nothing is written before the exit";
    EndFromTray(tray);

    EXPECT_EQ(e2e::ReadBytes(wordFile_), RoundTripOutput());
    EXPECT_EQ(e2e::ReadBytes(backupFile_), input) << "the backup holds the previous bytes";
    EXPECT_FALSE(e2e::IsReadOnly(wordFile_)) << "the word file is writable after the save";
    EXPECT_FALSE(e2e::IsReadOnly(backupFile_));
    ExpectFolderHolds({L"vokaru.exe", L"words.bak", L"words.csv"});
    // Written back unchanged, DataCount as counted at start-up.
    ExpectSettings(WithSetting(settings, L"DataCount", L"4"));
}

// ---- Load failures ----

struct LoadFailureCase {
    const char* label;
    std::string lines;
    const char* message;
};

void PrintTo(const LoadFailureCase& failure, std::ostream* out) { *out << failure.label; }

std::vector<LoadFailureCase> LoadFailureCases()
{
    const std::string apple = Cp932("apple,りんご,,,0,0,0,0,\n");
    return {
        {"WordOf64BytesAfterALongLine",
         apple + LongRecord() + "\n" + Repeat("x", 64) + Cp932(",長すぎる,,,0,0,0,0,\n") + apple,
         "LoadCSVFile:Word too long at line 3."},
        {"Explain3Of64Bytes",
         Cp932("apple,りんご,,,0,0,0,0,\r\npen,ペン,,") + Cp932(Repeat("備", 32).c_str()) +
             ",0,0,0,0,\r\n",
         "LoadCSVFile:Explain3 too long at line 2."},
        {"PronunceOf64Bytes", Cp932("cat,猫,,,0,0,0,0,") + Repeat("k", 64) + "\n" + apple,
         "LoadCSVFile:Pronunce too long data at line 1."},
        {"MeaningOf128Bytes", apple + apple + "dog," + Cp932(Repeat("犬", 64).c_str()) +
                                  ",,,0,0,0,0,\n",
         "LoadCSVFile:Illegual data at line 3."},
    };
}

class StartupLoadFailureE2E : public StartupE2E,
                              public ::testing::WithParamInterface<LoadFailureCase> {};

TEST_P(StartupLoadFailureE2E, ShowsTheReadersMessageAndChangesNothing)
{
    const LoadFailureCase& failure = GetParam();
    ASSERT_TRUE(e2e::WriteBytes(wordFile_, failure.lines));
    std::vector<SettingText> settings = LearnerSettings(wordFile_, L"2");
    PutSettings(settings);

    Start();
    HWND box = Dialog(L"エラー");
    ASSERT_NE(box, nullptr);
    Shot();
    ExpectMessageBox(box, "エラー", failure.message, {IDOK}, IDOK);
    ASSERT_TRUE(e2e::ClickButton(box, IDOK));
    ExpectExitZero();

    EXPECT_EQ(e2e::ReadBytes(wordFile_), failure.lines);
    EXPECT_FALSE(e2e::IsReadOnly(wordFile_)) << "the word file keeps its attributes";
    ExpectFolderHolds({L"vokaru.exe", L"words.csv"});
    ExpectSettings(settings);
}

INSTANTIATE_TEST_SUITE_P(Lines, StartupLoadFailureE2E, ::testing::ValuesIn(LoadFailureCases()),
                         [](const ::testing::TestParamInfo<LoadFailureCase>& info) {
                             return std::string(info.param.label);
                         });

// ---- The start-up check against DataCount ----

// The word file lost three of the five words that DataCount remembers; the backup has them.
const char kShortWordFile[] = "apple,りんご,,,1,0,0,0,\npen,ペン,,,0,2,0,0,\n";
const char kShortWordFileSaved[] = "apple,りんご,,,1,0,0,0,\r\npen,ペン,,,0,2,0,0,\r\n";
const char kFullBackup[] = "apple,りんご,,,1,0,0,0,\npen,ペン,,,0,2,0,0,\ncat,猫,,,0,0,0,0,\n"
                           "dog,犬,,,4,1,0,0,\nbird,鳥,,,0,0,3,1,b3:d\n";
const char kFullBackupSaved[] =
    "apple,りんご,,,1,0,0,0,\r\npen,ペン,,,0,2,0,0,\r\ncat,猫,,,0,0,0,0,\r\n"
    "dog,犬,,,4,1,0,0,\r\nbird,鳥,,,0,0,3,1,b3:d\r\n";
const char kFewerWordsText[] =
    "単語登録数が前回より小さくなっています(2件)。このまま続けますか？";
const char kUseBackupText[] =
    "バックアップファイルが存在します。このファイルを利用して処理を継続しますか？";

class StartupCheckE2E : public StartupE2E {
protected:
    void SetUp() override
    {
        StartupE2E::SetUp();
        if (HasFatalFailure())
            return;
        settings_ = LearnerSettings(wordFile_, L"5");
        PutSettings(settings_);
        ASSERT_TRUE(e2e::WriteBytes(wordFile_, Cp932(kShortWordFile)));
    }

    // Answers the question about the smaller word count.
    void AnswerFewerWords(int answer)
    {
        HWND box = Dialog(L"エラー");
        ASSERT_NE(box, nullptr);
        Shot();
        ExpectMessageBox(box, "エラー", kFewerWordsText, {IDYES, IDNO}, IDNO);
        ASSERT_TRUE(e2e::ClickButton(box, answer));
        EXPECT_TRUE(e2e::WaitUntilGone(box));
    }

    void AnswerUseBackup(int answer)
    {
        HWND box = Dialog(L"展開確認");
        ASSERT_NE(box, nullptr);
        ExpectMessageBox(box, "展開確認", kUseBackupText, {IDYES, IDNO}, IDYES);
        ASSERT_TRUE(e2e::ClickButton(box, answer));
    }

    std::vector<SettingText> settings_;
};

TEST_F(StartupCheckE2E, YesGoesOnWithTheWordsLoaded)
{
    ASSERT_TRUE(e2e::WriteBytes(backupFile_, Cp932(kFullBackup)));
    Start();
    AnswerFewerWords(IDYES);
    HWND tray = Tray();
    ASSERT_NE(tray, nullptr);
    EXPECT_TRUE(e2e::WaitForSetting(L"DataCount", L"2")) << "DataCount takes the new count";
    EXPECT_EQ(e2e::FindDialog(program_, nullptr), nullptr) << "nothing more is asked";
    EXPECT_TRUE(e2e::IsReadOnly(wordFile_));
    EndFromTray(tray);

    EXPECT_EQ(e2e::ReadBytes(wordFile_), Cp932(kShortWordFileSaved));
    EXPECT_EQ(e2e::ReadBytes(backupFile_), Cp932(kShortWordFile));
    EXPECT_FALSE(e2e::IsReadOnly(wordFile_));
    ExpectSettings(WithSetting(settings_, L"DataCount", L"2"));
}

TEST_F(StartupCheckE2E, NoThenYesGoesOnWithTheBackupsWords)
{
    ASSERT_TRUE(e2e::WriteBytes(backupFile_, Cp932(kFullBackup)));
    Start();
    AnswerFewerWords(IDNO);
    AnswerUseBackup(IDYES);
    HWND tray = Tray();
    ASSERT_NE(tray, nullptr);
    EXPECT_TRUE(e2e::WaitForSetting(L"DataCount", L"5"));
    EXPECT_EQ(e2e::FindDialog(program_, nullptr), nullptr);
    EXPECT_TRUE(e2e::IsReadOnly(wordFile_)) << "the word file is read-only while in use";
    EXPECT_EQ(e2e::ReadBytes(wordFile_), Cp932(kShortWordFile)) << "not rewritten by the check";
    EndFromTray(tray);

    EXPECT_EQ(e2e::ReadBytes(wordFile_), Cp932(kFullBackupSaved)) << "the backup's words saved";
    // The save first copies the short word file onto the backup. Windows refuses to copy
    // onto the backup while it carries the read-only mark of its load, so the backup may
    // keep its own words; either way it holds one whole earlier state and ends writable.
    std::string backup = e2e::ReadBytes(backupFile_);
    EXPECT_TRUE(backup == Cp932(kFullBackup) || backup == Cp932(kShortWordFile))
        << "backup bytes: " << e2e::Utf8FromCp932(backup);
    EXPECT_FALSE(e2e::IsReadOnly(backupFile_));
    EXPECT_FALSE(e2e::IsReadOnly(wordFile_));
    ExpectFolderHolds({L"vokaru.exe", L"words.bak", L"words.csv"});
    ExpectSettings(settings_);
}

TEST_F(StartupCheckE2E, NoThenNoEndsWithoutSavingAnything)
{
    ASSERT_TRUE(e2e::WriteBytes(backupFile_, Cp932(kFullBackup)));
    Start();
    AnswerFewerWords(IDNO);
    AnswerUseBackup(IDNO);
    ExpectExitZero();

    EXPECT_EQ(e2e::ReadBytes(wordFile_), Cp932(kShortWordFile));
    EXPECT_EQ(e2e::ReadBytes(backupFile_), Cp932(kFullBackup));
    ExpectFolderHolds({L"vokaru.exe", L"words.bak", L"words.csv"});
    ExpectSettings(settings_);
}

TEST_F(StartupCheckE2E, NoWithoutABackupSaysTheContentMayBeLost)
{
    Start();
    AnswerFewerWords(IDNO);
    HWND box = Dialog(L"エラー");
    ASSERT_NE(box, nullptr);
    Shot();
    std::string lost = "ファイル(" + e2e::Utf8FromWide(wordFile_) +
                       ")の内容が失われている可能性があります。\nメモ帳などで、内容を確認してください。";
    ExpectMessageBox(box, "エラー", lost, {IDOK}, IDOK);
    ASSERT_TRUE(e2e::ClickButton(box, IDOK));
    ExpectExitZero();

    EXPECT_EQ(e2e::ReadBytes(wordFile_), Cp932(kShortWordFile));
    ExpectFolderHolds({L"vokaru.exe", L"words.csv"});
    ExpectSettings(settings_);
}

} // namespace
