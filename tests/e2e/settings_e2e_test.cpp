// The settings dialog of vokaru.exe seen from outside: opened from the tray, its fields
// filled from the registry's settings, OK with its refusals and the word file switch,
// Cancel and the close box, and what reaches the registry at exit.
#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace {

using e2e::Cp932FromUtf8;

constexpr UINT kSettingsCommand = 1;
constexpr UINT kExitCommand = 99;
const wchar_t kCaption[] = L"環境設定";

// Controls of the dialog.
constexpr int kDataFile = 1007;
constexpr int kInterval = 1008;
constexpr int kSound = 1009;
constexpr int kCorrectSound = 1010;
constexpr int kWrongSound = 1014;
constexpr int kListingApp = 1021;
constexpr int kPopup = 1004;
constexpr int kCorrectDialog = 1017;
constexpr int kPatternSome = 1024;
constexpr int kPatternFirst = 1025;
constexpr int kPatternNone = 1026;
constexpr int kTrendNew = 1018;
constexpr int kTrendWrong = 1019;
constexpr int kTrendRandom = 1020;
constexpr int kContinue = 1023;

const char kCannotLoad[] = "ファイルが読み込めません。";
const char kBadInterval[] = "出題間隔は１分以上でなければいけません。";
const char kIntervalTooLong[] = "出題間隔は７１５８２分以下でなければいけません。";
const char kTooLong[] = "データが長すぎます。";

std::string Cp932(const char* utf8) { return Cp932FromUtf8(utf8); }

// The word book the program starts with, LF-ended so that any rewrite (CR LF) shows.
const char kWords[] = "apple,りんご,,,1,0,0,0,\npen,ペン,,,0,2,0,0,\n";
const char kWordsSaved[] = "apple,りんご,,,1,0,0,0,\r\npen,ペン,,,0,2,0,0,\r\n";
const char kOtherWords[] = "cat,猫,,,0,0,0,0,\ndog,犬,,,4,1,0,0,\nbird,鳥,,,0,0,3,1,\n";
const char kOtherWordsSaved[] =
    "cat,猫,,,0,0,0,0,\r\ndog,犬,,,4,1,0,0,\r\nbird,鳥,,,0,0,3,1,\r\n";

struct SettingText {
    const wchar_t* name;
    std::wstring text;
};

std::vector<SettingText> WithSetting(std::vector<SettingText> settings, const wchar_t* name,
                                     const std::wstring& text)
{
    for (SettingText& setting : settings) {
        if (std::wstring(setting.name) == name)
            setting.text = text;
    }
    return settings;
}

class SettingsE2E : public ::testing::Test {
protected:
    void SetUp() override
    {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        name_ = e2e::WideFromUtf8(std::string(info->test_suite_name()) + "." + info->name());
        folder_ = e2e::MakeScratchFolder(e2e::WideFromUtf8(info->name()));
        exe_ = e2e::JoinPath(folder_, L"vokaru.exe");
        wordFile_ = e2e::JoinPath(folder_, L"words.csv");
        otherFile_ = e2e::JoinPath(folder_, L"other.csv");
        std::wstring program = e2e::ProgramUnderTest();
        ASSERT_TRUE(CopyFileW(program.c_str(), exe_.c_str(), FALSE))
            << "cannot copy the program under test " << e2e::Utf8FromWide(program);
        e2e::ClearSettings();
        ASSERT_TRUE(e2e::WriteBytes(wordFile_, Cp932(kWords)));
        settings_ = {
            {L"DataFileName", wordFile_},
            {L"TimerInterval", L"600000"},
            {L"SoundFileName", L"C:\\sounds\\ask.wav"},
            {L"Popup", L"0"},
            {L"DataCount", L"0"}, // start-up stores 2, the count it loads
            {L"Status", L"1"}, // paused: no question can pop up during a test
            {L"CorrectDialog", L"1"},
            {L"CorrectSoundFileName", L"C:\\sounds\\right.wav"},
            {L"WrongSoundFileName", L"C:\\sounds\\wrong.wav"},
            {L"ProblemPattern", L"2"},
            {L"ProblemTrend", L"3"},
            {L"ProblemContinue", L"5"},
            {L"ListingApp", L"notepad.exe"},
        };
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

    // Stores the settings, starts the program and waits for its tray window.
    void Start()
    {
        for (const SettingText& setting : settings_)
            ASSERT_TRUE(e2e::PutSetting(setting.name, setting.text));
        ASSERT_TRUE(e2e::StartProgram(&program_, exe_, folder_));
        tray_ = e2e::WaitForTrayWindow(program_);
        ASSERT_NE(tray_, nullptr) << "no window of class Vokaru";
        // Start-up has stored the count it loaded; from here on every change is the dialog's.
        ASSERT_TRUE(e2e::WaitForSetting(L"DataCount", L"2"));
        settings_ = WithSetting(settings_, L"DataCount", L"2");
    }

    HWND OpenDialog()
    {
        EXPECT_TRUE(e2e::PostCommand(tray_, kSettingsCommand));
        HWND dialog = e2e::WaitForDialog(program_, kCaption);
        EXPECT_NE(dialog, nullptr) << "tray command 1 opened no dialog captioned 環境設定";
        return dialog;
    }

    // OK that closes the dialog.
    void PressOk(HWND dialog)
    {
        ASSERT_TRUE(e2e::PostCommand(dialog, IDOK));
        ASSERT_TRUE(e2e::WaitUntilGone(dialog)) << "OK left the dialog open";
    }

    void Cancel(HWND dialog)
    {
        ASSERT_TRUE(e2e::PostCommand(dialog, IDCANCEL));
        ASSERT_TRUE(e2e::WaitUntilGone(dialog)) << "Cancel left the dialog open";
    }

    // OK that is refused: the error box owned by the dialog says `text`; after its OK the
    // dialog is still open with the focus on `focus`.
    void ExpectRefusedOk(HWND dialog, const std::string& text, int focus, bool shot = false)
    {
        ASSERT_TRUE(e2e::PostCommand(dialog, IDOK));
        HWND box = e2e::WaitForDialog(program_, L"エラー");
        ASSERT_NE(box, nullptr) << "no error box";
        if (shot)
            Shot();
        e2e::MessageBoxView view = e2e::ReadMessageBox(box);
        EXPECT_EQ(e2e::Utf8FromWide(view.text), text);
        EXPECT_EQ(view.buttons, std::vector<int>{IDOK});
        EXPECT_TRUE(view.hasIcon);
        EXPECT_EQ(view.owner, dialog) << "the box belongs to the settings dialog";
        ASSERT_TRUE(e2e::ClickButton(box, IDOK));
        ASSERT_TRUE(e2e::WaitUntilGone(box));
        EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog stays open";
        EXPECT_TRUE(WaitForFocus(GetDlgItem(dialog, focus))) << "focus not on control " << focus;
    }

    bool WaitForFocus(HWND control)
    {
        for (int i = 0; i < 100; ++i) {
            GUITHREADINFO gui = {};
            gui.cbSize = sizeof gui;
            if (GetGUIThreadInfo(program_.info.dwThreadId, &gui) && gui.hwndFocus == control)
                return true;
            Sleep(50);
        }
        return false;
    }

    void SetText(HWND dialog, int id, const std::wstring& text)
    {
        DWORD_PTR result = 0;
        ASSERT_TRUE(SendMessageTimeoutW(GetDlgItem(dialog, id), WM_SETTEXT, 0,
                                        reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                                        5000, &result));
    }

    std::string Text(HWND dialog, int id) { return e2e::Utf8FromWide(e2e::ControlText(dialog, id)); }

    bool Checked(HWND dialog, int id)
    {
        return SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }

    void SetChecked(HWND dialog, int id, bool checked)
    {
        if (Checked(dialog, id) != checked) {
            ASSERT_TRUE(e2e::ClickButton(dialog, id));
        }
        ASSERT_EQ(Checked(dialog, id), checked);
    }

    LRESULT SelectedEntry(HWND dialog)
    {
        return SendMessageW(GetDlgItem(dialog, kContinue), CB_GETCURSEL, 0, 0);
    }

    void SelectEntry(HWND dialog, int entry)
    {
        SendMessageW(GetDlgItem(dialog, kContinue), CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
        ASSERT_EQ(SelectedEntry(dialog), entry);
    }

    void Shot()
    {
        Sleep(500);
        std::wstring shot = e2e::SaveRunShot(name_);
        if (!shot.empty())
            std::printf("screenshot: %s\n", e2e::Utf8FromWide(shot).c_str());
    }

    void Exit()
    {
        ASSERT_TRUE(e2e::PostCommand(tray_, kExitCommand));
        DWORD code = 0;
        ASSERT_TRUE(e2e::WaitForExit(&program_, e2e::kWaitMs, &code)) << "the program still runs";
        EXPECT_EQ(code, 0u);
    }

    void ExpectSettings(const std::vector<SettingText>& settings)
    {
        for (const SettingText& expected : settings) {
            SCOPED_TRACE(e2e::Utf8FromWide(expected.name));
            e2e::StoredSetting stored = e2e::ReadStoredSetting(expected.name);
            ASSERT_TRUE(stored.hasUnnamedValue);
            EXPECT_EQ(stored.type, static_cast<DWORD>(REG_SZ));
            EXPECT_EQ(e2e::Utf8FromWide(stored.text), e2e::Utf8FromWide(expected.text));
        }
    }

    std::wstring name_;
    std::wstring folder_;
    std::wstring exe_;
    std::wstring wordFile_;
    std::wstring otherFile_;
    std::vector<SettingText> settings_;
    e2e::Program program_;
    HWND tray_ = nullptr;
};

// ---- opening ----

TEST_F(SettingsE2E, OpensWithEveryFieldFromTheSettings)
{
    Start();
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    Shot();
    EXPECT_EQ(Text(dialog, kDataFile), e2e::Utf8FromWide(wordFile_));
    EXPECT_EQ(Text(dialog, kInterval), "10") << "600000 ms";
    EXPECT_EQ(Text(dialog, kSound), "C:\\sounds\\ask.wav");
    EXPECT_EQ(Text(dialog, kCorrectSound), "C:\\sounds\\right.wav");
    EXPECT_EQ(Text(dialog, kWrongSound), "C:\\sounds\\wrong.wav");
    EXPECT_EQ(Text(dialog, kListingApp), "notepad.exe");
    EXPECT_FALSE(Checked(dialog, kPopup));
    EXPECT_TRUE(Checked(dialog, kCorrectDialog));
    EXPECT_FALSE(Checked(dialog, kPatternSome));
    EXPECT_TRUE(Checked(dialog, kPatternFirst));
    EXPECT_FALSE(Checked(dialog, kPatternNone));
    EXPECT_FALSE(Checked(dialog, kTrendNew));
    EXPECT_FALSE(Checked(dialog, kTrendWrong));
    EXPECT_TRUE(Checked(dialog, kTrendRandom));
    HWND list = GetDlgItem(dialog, kContinue);
    EXPECT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), 6);
    EXPECT_EQ(SelectedEntry(dialog), 2);
    EXPECT_EQ(Text(dialog, kContinue), " 5問");
    EXPECT_TRUE(WaitForFocus(GetDlgItem(dialog, kDataFile))) << "the first tab stop has the focus";

    // Tab order of the template. The button control itself makes the checked radio button
    // of each group a tab stop, so radio buttons are left out of the walk.
    const std::vector<int> tabOrder = {1007, 1005, 1008, 1009, 1006, 1010, 1012, 1014, 1015,
                                       1017, 1004, 1023, 1021, 1022, IDOK, IDCANCEL, 3, 1007};
    auto isRadio = [](int id) { return (id >= 1018 && id <= 1020) || (id >= 1024 && id <= 1026); };
    std::vector<int> walked = {kDataFile};
    HWND control = GetDlgItem(dialog, kDataFile);
    for (int step = 0; step < 40 && walked.size() < tabOrder.size() && control != nullptr; ++step) {
        control = GetNextDlgTabItem(dialog, control, FALSE);
        int id = control != nullptr ? GetDlgCtrlID(control) : 0;
        if (!isRadio(id))
            walked.push_back(id);
    }
    EXPECT_EQ(walked, tabOrder);
    Cancel(dialog);
    Exit();
}

// One and a half minutes shows as 1; OK stores exactly one minute.
TEST_F(SettingsE2E, IntervalIsShownInWholeMinutesAndStoredAsTyped)
{
    settings_ = WithSetting(settings_, L"TimerInterval", L"90000");
    Start();
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Text(dialog, kInterval), "1");
    PressOk(dialog);
    Exit();
    ExpectSettings(WithSetting(settings_, L"TimerInterval", L"60000"));
}

// Values that the dialog does not offer show as its first or last choice.
TEST_F(SettingsE2E, ValuesNotOfferedShowAsTheDialogsChoices)
{
    settings_ = WithSetting(settings_, L"ProblemContinue", L"7");
    settings_ = WithSetting(settings_, L"ProblemPattern", L"0");
    Start();
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(SelectedEntry(dialog), 0);
    EXPECT_EQ(Text(dialog, kContinue), " 1問");
    EXPECT_TRUE(Checked(dialog, kPatternNone));
    PressOk(dialog);
    Exit();
    ExpectSettings(WithSetting(WithSetting(settings_, L"ProblemContinue", L"1"),
                               L"ProblemPattern", L"3"));
}

// ---- OK stores everything; the registry has it after the exit ----

TEST_F(SettingsE2E, OkChangesEverySettingAndTheExitStoresThem)
{
    Start();
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    SetText(dialog, kInterval, L"25");
    SetText(dialog, kSound, L"C:\\新しい\\ask2.wav");
    SetText(dialog, kCorrectSound, L"");
    SetText(dialog, kWrongSound, L"C:\\sounds\\boo.wav");
    SetText(dialog, kListingApp, L"C:\\tools\\list.exe");
    SetChecked(dialog, kPopup, true);
    SetChecked(dialog, kCorrectDialog, false);
    ASSERT_TRUE(e2e::ClickButton(dialog, kPatternNone));
    ASSERT_TRUE(e2e::ClickButton(dialog, kTrendNew));
    EXPECT_FALSE(Checked(dialog, kPatternFirst)) << "a radio button group has one choice";
    EXPECT_FALSE(Checked(dialog, kTrendRandom));
    SelectEntry(dialog, 4);
    EXPECT_EQ(Text(dialog, kContinue), "15問");
    Shot();
    PressOk(dialog);

    // In memory only until the next save.
    EXPECT_EQ(e2e::ReadStoredSetting(L"TimerInterval").text, L"600000");

    // The next opening shows the new values.
    dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Text(dialog, kInterval), "25");
    EXPECT_EQ(Text(dialog, kSound), "C:\\新しい\\ask2.wav");
    EXPECT_EQ(SelectedEntry(dialog), 4);
    Cancel(dialog);
    Exit();

    ExpectSettings({
        {L"DataFileName", wordFile_},
        {L"TimerInterval", L"1500000"},
        {L"SoundFileName", L"C:\\新しい\\ask2.wav"},
        {L"Popup", L"1"},
        {L"DataCount", L"2"},
        {L"Status", L"1"},
        {L"CorrectDialog", L"0"},
        {L"CorrectSoundFileName", L""},
        {L"WrongSoundFileName", L"C:\\sounds\\boo.wav"},
        {L"ProblemPattern", L"3"},
        {L"ProblemTrend", L"1"},
        {L"ProblemContinue", L"15"},
        {L"ListingApp", L"C:\\tools\\list.exe"},
    });
}

// ---- refusals ----

struct RefusalCase {
    const char* label;
    int control;
    std::wstring text;
    const char* message;
};

void PrintTo(const RefusalCase& refusal, std::ostream* out) { *out << refusal.label; }

std::vector<RefusalCase> RefusalCases()
{
    return {
        {"IntervalOfZero", kInterval, L"0", kBadInterval},
        {"EmptyInterval", kInterval, L"", kBadInterval},
        {"IntervalTooLongForMilliseconds", kInterval, L"71583", kIntervalTooLong},
        {"BlankFileName", kDataFile, L"   ", kCannotLoad},
        {"EmptyFileName", kDataFile, L"", kCannotLoad},
        {"FileNameLongerThanTheSetting", kDataFile, L"C:\\" + std::wstring(125, L'n'), kCannotLoad},
        {"SoundNameLongerThanTheSetting", kSound, L"C:\\" + std::wstring(63, L'音'), kTooLong},
        {"ProgramNameLongerThanTheSetting", kListingApp, std::wstring(128, L'x'), kTooLong},
    };
}

class SettingsRefusalE2E : public SettingsE2E,
                           public ::testing::WithParamInterface<RefusalCase> {};

// A refused OK keeps the dialog open with the field as typed; Cancel then stores nothing,
// and no word file is loaded or written.
TEST_P(SettingsRefusalE2E, ShowsItsMessageAndKeepsTheDialogOpen)
{
    const RefusalCase& refusal = GetParam();
    Start();
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    SetText(dialog, kInterval, L"3");      // a change that must not be stored
    SetText(dialog, refusal.control, refusal.text);
    ExpectRefusedOk(dialog, refusal.message, refusal.control);
    EXPECT_EQ(e2e::ControlText(dialog, refusal.control), refusal.text) << "the field keeps its text";
    EXPECT_EQ(e2e::ReadBytes(wordFile_), Cp932(kWords)) << "the word file is not written";
    EXPECT_EQ(e2e::ReadStoredSetting(L"DataCount").text, L"2");
    Cancel(dialog);
    Exit();
    EXPECT_EQ(e2e::ReadBytes(wordFile_), Cp932(kWordsSaved)) << "the same book saved at exit";
    ExpectSettings(settings_);
}

INSTANTIATE_TEST_SUITE_P(Fields, SettingsRefusalE2E, ::testing::ValuesIn(RefusalCases()),
                         [](const ::testing::TestParamInfo<RefusalCase>& info) {
                             return std::string(info.param.label);
                         });

// ---- the word file ----

// The switch happens at OK's first step and stands although the interval is refused.
TEST_F(SettingsE2E, NewWordFileSwitchesAtOnceEvenWhenALaterFieldIsRefused)
{
    ASSERT_TRUE(e2e::WriteBytes(otherFile_, Cp932(kOtherWords)));
    Start();
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    SetText(dialog, kDataFile, otherFile_);
    SetText(dialog, kInterval, L"0");
    SetText(dialog, kSound, L"C:\\never.wav");
    ExpectRefusedOk(dialog, kBadInterval, kInterval, true);

    EXPECT_EQ(e2e::ReadStoredSetting(L"DataCount").text, L"3") << "the new file's count";
    EXPECT_EQ(e2e::ReadBytes(wordFile_), Cp932(kWordsSaved)) << "the old book went to the old file";
    EXPECT_FALSE(e2e::IsReadOnly(wordFile_));
    EXPECT_TRUE(e2e::IsReadOnly(otherFile_)) << "the new file is loaded";
    Cancel(dialog);

    dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Text(dialog, kDataFile), e2e::Utf8FromWide(otherFile_));
    EXPECT_EQ(Text(dialog, kInterval), "10") << "the refused OK stored nothing else";
    EXPECT_EQ(Text(dialog, kSound), "C:\\sounds\\ask.wav");
    Cancel(dialog);
    Exit();

    EXPECT_EQ(e2e::ReadBytes(otherFile_), Cp932(kOtherWordsSaved)) << "the new book is in use";
    EXPECT_EQ(e2e::ReadBytes(wordFile_), Cp932(kWordsSaved));
    ExpectSettings(WithSetting(WithSetting(settings_, L"DataFileName", otherFile_), L"DataCount",
                               L"3"));
}

TEST_F(SettingsE2E, UnreadableWordFileKeepsTheBook)
{
    const std::string bad = Cp932("cat,猫,,,0,0,0,0,\n") + std::string(64, 'x') + ",long,,,0,0,0,0,\n";
    ASSERT_TRUE(e2e::WriteBytes(otherFile_, bad));
    Start();
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    SetText(dialog, kDataFile, otherFile_);
    ExpectRefusedOk(dialog, kCannotLoad, kDataFile);
    EXPECT_EQ(e2e::ReadBytes(wordFile_), Cp932(kWords));
    EXPECT_EQ(e2e::ReadStoredSetting(L"DataCount").text, L"2");
    SetText(dialog, kDataFile, wordFile_);
    PressOk(dialog);
    Exit();
    EXPECT_EQ(e2e::ReadBytes(otherFile_), bad);
    EXPECT_EQ(e2e::ReadBytes(wordFile_), Cp932(kWordsSaved));
    ExpectSettings(settings_);
}

// OK with the current name neither reloads nor writes DataCount: the value put into the
// registry behind the program's back survives.
TEST_F(SettingsE2E, SameWordFileIsNotReloaded)
{
    Start();
    ASSERT_TRUE(e2e::PutSetting(L"DataCount", L"77"));
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    PressOk(dialog);
    Sleep(300);
    EXPECT_EQ(e2e::ReadStoredSetting(L"DataCount").text, L"77");
    EXPECT_EQ(e2e::ReadBytes(wordFile_), Cp932(kWords)) << "the old book was not written";
    EXPECT_TRUE(e2e::IsReadOnly(wordFile_));
    Exit();
    ExpectSettings(WithSetting(settings_, L"DataCount", L"77"));
}

// ---- browsing ----

// A visible window owned by `owner` (the open-file dialog), or nullptr after the wait.
HWND WaitForOwnedWindow(HWND owner)
{
    struct Search {
        HWND owner;
        HWND found;
    };
    for (int i = 0; i < 200; ++i) {
        Search search{owner, nullptr};
        EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<Search*>(data);
                if (GetWindow(window, GW_OWNER) == s->owner && IsWindowVisible(window)) {
                    s->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr)
            return search.found;
        Sleep(50);
    }
    return nullptr;
}

std::string DescribeChildren(HWND window)
{
    std::string text;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
            auto* out = reinterpret_cast<std::string*>(data);
            wchar_t name[64] = L"";
            GetClassNameW(child, name, 64);
            char line[160];
            std::snprintf(line, sizeof line, "\n  id %d class %s text ", GetDlgCtrlID(child),
                          e2e::Utf8FromWide(name).c_str());
            *out += line + e2e::Utf8FromWide(e2e::WindowText(child));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&text));
    return text;
}

constexpr int kFileNameBox = 0x47C;    // cmb13, the file name of the open-file dialog
constexpr int kFileTypeList = 0x470;   // cmb1, the filter's descriptions

// The picked path lands in the button's field with the focus; nothing is stored until OK,
// and a cancelled open-file dialog changes nothing.
TEST_F(SettingsE2E, BrowsingFillsTheFieldButStoresNothingUntilOk)
{
    const std::wstring sound = e2e::JoinPath(folder_, L"ding.wav");
    ASSERT_TRUE(e2e::WriteBytes(sound, "RIFF"));
    Start();
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);

    ASSERT_TRUE(e2e::PostCommand(dialog, 1006));
    HWND open = WaitForOwnedWindow(dialog);
    ASSERT_NE(open, nullptr) << "no open-file dialog owned by the settings dialog";
    Shot();
    EXPECT_EQ(e2e::Utf8FromWide(e2e::ControlText(open, kFileTypeList)), "WAV files(*.wav)")
        << DescribeChildren(open);
    SetText(open, kFileNameBox, sound);
    ASSERT_TRUE(e2e::PostCommand(open, IDOK));
    ASSERT_TRUE(e2e::WaitUntilGone(open));
    EXPECT_TRUE(e2e::WaitForText(GetDlgItem(dialog, kSound), sound));
    EXPECT_TRUE(WaitForFocus(GetDlgItem(dialog, kSound)));

    ASSERT_TRUE(e2e::PostCommand(dialog, 1005));
    open = WaitForOwnedWindow(dialog);
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(e2e::Utf8FromWide(e2e::ControlText(open, kFileTypeList)), "CSV files(*.csv)");
    ASSERT_TRUE(e2e::PostCommand(open, IDCANCEL));
    ASSERT_TRUE(e2e::WaitUntilGone(open));
    EXPECT_EQ(Text(dialog, kDataFile), e2e::Utf8FromWide(wordFile_));

    ASSERT_TRUE(e2e::PostCommand(dialog, 1022));
    open = WaitForOwnedWindow(dialog);
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(e2e::Utf8FromWide(e2e::ControlText(open, kFileTypeList)), "EXE files(*.exe)");
    ASSERT_TRUE(e2e::PostCommand(open, IDCANCEL));
    ASSERT_TRUE(e2e::WaitUntilGone(open));
    EXPECT_EQ(Text(dialog, kListingApp), "notepad.exe");

    Cancel(dialog);
    Exit();
    ExpectSettings(settings_);
}

// ---- Cancel and the close box ----

class SettingsCloseE2E : public SettingsE2E, public ::testing::WithParamInterface<bool> {};

TEST_P(SettingsCloseE2E, ChangesNothing)
{
    const bool closeBox = GetParam();
    ASSERT_TRUE(e2e::WriteBytes(otherFile_, Cp932(kOtherWords)));
    Start();
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    SetText(dialog, kDataFile, otherFile_);
    SetText(dialog, kInterval, L"3");
    SetText(dialog, kSound, L"");
    SetText(dialog, kListingApp, L"other.exe");
    SetChecked(dialog, kPopup, true);
    SetChecked(dialog, kCorrectDialog, false);
    ASSERT_TRUE(e2e::ClickButton(dialog, kPatternSome));
    ASSERT_TRUE(e2e::ClickButton(dialog, kTrendWrong));
    SelectEntry(dialog, 5);
    if (closeBox)
        ASSERT_TRUE(PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0));
    else
        ASSERT_TRUE(e2e::PostCommand(dialog, IDCANCEL));
    ASSERT_TRUE(e2e::WaitUntilGone(dialog));
    EXPECT_FALSE(e2e::IsReadOnly(otherFile_)) << "the other file was not loaded";

    dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Text(dialog, kDataFile), e2e::Utf8FromWide(wordFile_));
    EXPECT_EQ(Text(dialog, kInterval), "10");
    EXPECT_EQ(SelectedEntry(dialog), 2);
    Cancel(dialog);
    Exit();
    EXPECT_EQ(e2e::ReadBytes(otherFile_), Cp932(kOtherWords));
    ExpectSettings(settings_);
}

INSTANTIATE_TEST_SUITE_P(Ways, SettingsCloseE2E, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "CloseBox" : "CancelButton");
                         });

} // namespace
