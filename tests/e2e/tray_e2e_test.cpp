// The tray window seen from outside: the question timer and pause, an empty word book, the
// two progress reports, the word list in another program and the about box.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/e2e/drill_e2e_support.h"
#include "tests/e2e/harness.h"

#include <psapi.h>

namespace {

using namespace drill_e2e;

// ---- The listing program of the ListingApp tests ----

const wchar_t kListerName[] = L"lister.exe";
const wchar_t kListerOutput[] = L"lister-command-line.txt";

// A copy of this test program named lister.exe is the listing program that vokaru.exe
// starts: it writes down the command line it was given, beside itself, and ends at once.
bool RunAsListingProgram()
{
    wchar_t path[MAX_PATH] = L"";
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring self(path, length);
    std::size_t slash = self.find_last_of(L"\\/");
    if (slash == std::wstring::npos || lstrcmpiW(self.c_str() + slash + 1, kListerName) != 0)
        return false;
    std::wstring output = self.substr(0, slash + 1) + kListerOutput;
    std::wstring part = output + L".part";
    e2e::WriteBytes(part, e2e::Utf8FromWide(GetCommandLineW()));
    MoveFileExW(part.c_str(), output.c_str(), MOVEFILE_REPLACE_EXISTING);
    ExitProcess(0);
}

const bool g_runAsListingProgram = RunAsListingProgram();

class TrayE2E : public ProgramFixture {
protected:
    // The question dialog opened by the timer or the icon, answered right.
    void AnswerRight(HWND dialog, const std::string& word)
    {
        ASSERT_NE(dialog, nullptr);
        TypeAnswer(dialog, word, word);
        ASSERT_TRUE(Press(dialog, IDOK));
        EXPECT_TRUE(e2e::WaitUntilGone(dialog));
    }

    // How many question dialogs show at once, at most, during `ms`.
    int MostQuestionsAtOnce(DWORD ms)
    {
        int most = 0;
        DWORD start = GetTickCount();
        while (GetTickCount() - start < ms) {
            int now = 0;
            for (HWND window : VisibleDialogs(program_.info.dwProcessId))
                now += IsQuestionCaption(e2e::WindowText(window)) ? 1 : 0;
            most = now > most ? now : most;
            Sleep(100);
        }
        return most;
    }
};

Word Banana()
{
    Word w;
    w.word = "banana";
    w.explain1 = "バナナ";
    return w;
}

// ---- The question timer ----

TEST_F(TrayE2E, TimerAsksByItselfAndRestartsAFullIntervalAfterTheAnswer)
{
    Word banana = Banana();
    StartWith({banana}, {{L"Status", L"0"}, {L"TimerInterval", L"1500"}});

    HWND dialog = WaitForQuestion(program_, 10000);
    ASSERT_NE(dialog, nullptr) << "no question within 10 s at an interval of 1.5 s";
    EXPECT_TRUE(CaptionIs(e2e::WindowText(dialog), false, 0, 0, {"New", "Rnd"}));
    // The timer stands still while the question waits for its answer.
    EXPECT_EQ(MostQuestionsAtOnce(4000), 1);
    AnswerRight(dialog, "banana");
    DWORD answered = GetTickCount();

    dialog = WaitForQuestion(program_, 10000);
    DWORD elapsed = GetTickCount() - answered;
    ASSERT_NE(dialog, nullptr) << "the timer did not start again after the answer";
    EXPECT_GE(elapsed, 1300u) << "the next question came before a full interval";
    EXPECT_TRUE(CaptionIs(e2e::WindowText(dialog), false, 1, 0, {"New", "Rnd"}));
    AnswerRight(dialog, "banana");

    ASSERT_TRUE(e2e::PostCommand(tray_, 2)); // pause, so that the exit meets no question
    Exit();
    banana.right = 2;
    ExpectWordFile({banana});
}

TEST_F(TrayE2E, PausedTimerAsksNothingButTheIconAndResumingDo)
{
    Word banana = Banana();
    StartWith({banana}, {{L"Status", L"1"}, {L"TimerInterval", L"1500"}});

    EXPECT_TRUE(NoQuestionFor(program_, 5000)) << "a question came while paused";
    AnswerRight(DoubleClick(), "banana");
    EXPECT_TRUE(NoQuestionFor(program_, 4000)) << "the double-click started the timer";

    // Resuming starts a full interval.
    ASSERT_TRUE(e2e::PostCommand(tray_, 2));
    DWORD resumed = GetTickCount();
    HWND dialog = WaitForQuestion(program_, 10000);
    DWORD elapsed = GetTickCount() - resumed;
    ASSERT_NE(dialog, nullptr) << "no question after resuming";
    EXPECT_GE(elapsed, 1300u);
    AnswerRight(dialog, "banana");

    ASSERT_TRUE(e2e::PostCommand(tray_, 2));
    EXPECT_TRUE(NoQuestionFor(program_, 3000)) << "paused again";
    Exit();
    banana.right = 2;
    ExpectWordFile({banana});
    EXPECT_EQ(U8(e2e::ReadStoredSetting(L"Status").text), "1");
}

TEST_F(TrayE2E, EmptyBookSaysSoAtEveryTickAndEveryDoubleClick)
{
    StartWith({}, {{L"Status", L"0"}, {L"TimerInterval", L"1500"}});
    const std::string noWords = "出題するデータがありません。";

    // Two ticks, each with its own box.
    for (int tick = 1; tick <= 2; ++tick) {
        SCOPED_TRACE("tick " + std::to_string(tick));
        HWND box = e2e::WaitForDialog(program_, L"エラー", 10000);
        ASSERT_NE(box, nullptr);
        if (tick == 1) {
            EXPECT_EQ(WaitForIconLook(box), IconLook::Red) << "the stop icon";
        }
        ExpectTrayBox(L"エラー", noWords, true);
    }

    // Pause; the boxes that the ticks have opened meanwhile say the same.
    ASSERT_TRUE(e2e::PostCommand(tray_, 2));
    int more = 0;
    while (HWND box = e2e::WaitForDialog(program_, L"エラー", 3000)) {
        EXPECT_EQ(U8(e2e::ControlText(box, e2e::kMessageBoxTextId)), noWords);
        ASSERT_TRUE(e2e::ClickButton(box, IDOK));
        EXPECT_TRUE(e2e::WaitUntilGone(box));
        ASSERT_LT(++more, 20) << "the boxes keep coming while paused";
    }

    // The double-click is never locked out by an empty book.
    for (int click = 1; click <= 2; ++click) {
        SCOPED_TRACE("double-click " + std::to_string(click));
        ASSERT_TRUE(e2e::PostTrayMouse(tray_, WM_LBUTTONDBLCLK));
        ExpectTrayBox(L"エラー", noWords, true);
    }
    EXPECT_TRUE(NoDialogFor(program_, 2000));
    Exit();
    EXPECT_FALSE(e2e::FileExists(wordFile_)) << "an empty book is saved nowhere";
}

// ---- Reports ----

TEST_F(TrayE2E, ReportsCountTheBookAndThisRun)
{
    // One word of each kind: well answered, badly answered (twice), never asked (twice, one
    // of them check-only: the flag plays no part), checked only.
    std::vector<Word> words(6);
    const char* spellings[] = {"orange", "peach", "grape", "plum", "mango", "lime"};
    const int counts[6][4] = {{3, 1, 0, 0}, {1, 1, 5, 0}, {0, 2, 0, 0},
                              {0, 0, 0, 0}, {0, 0, 2, 0}, {0, 0, 0, 1}};
    std::map<std::string, std::string> wordOfMeaning;
    for (int i = 0; i < 6; ++i) {
        words[i].word = spellings[i];
        words[i].explain1 = "意味" + std::to_string(i + 1);
        words[i].right = counts[i][0];
        words[i].wrong = counts[i][1];
        words[i].check = counts[i][2];
        words[i].checkOnly = counts[i][3];
        wordOfMeaning[words[i].explain1] = spellings[i];
    }
    StartWith(words, {});

    ASSERT_TRUE(e2e::PostCommand(tray_, 40004));
    HWND report = Dialog(L"問題の状況");
    ASSERT_NE(report, nullptr);
    Shot(L"report-book");
    // While a report is open the icon takes no double-click.
    ASSERT_TRUE(e2e::PostTrayMouse(tray_, WM_LBUTTONDBLCLK));
    EXPECT_TRUE(NoQuestionFor(program_, 1500));
    ExpectTrayBox(L"問題の状況",
                  "問題状況\n　全問題数：6\n　正解率の良い問題数：1\n　正解率の悪い問題数：2\n"
                  "　未出題の問題数：2\n　確認のみ行った問題数：1",
                  false);
    EXPECT_TRUE(NoQuestionFor(program_, 1000)) << "the refused double-click came later";
    ExpectTodayReport(0, 0, 0, 0);

    // Three questions: a right answer, a wrong one (or check mode when the check-only word
    // comes), then check mode through 問題表示のみ.
    int right = 0, wrong = 0, check = 0;
    for (int n = 1; n <= 3; ++n) {
        SCOPED_TRACE("question " + std::to_string(n));
        if (n == 3) {
            ASSERT_TRUE(e2e::PostCommand(tray_, 3));
        }
        HWND dialog = DoubleClick();
        ASSERT_NE(dialog, nullptr);
        if (StartsWith(e2e::WindowText(dialog), kCheckCaptionStart)) {
            ASSERT_TRUE(Press(dialog, IDOK));
            ++check;
        } else {
            ASSERT_NE(n, 3) << "問題表示のみ asks in question mode";
            std::string meaning = U8(e2e::ControlText(dialog, 1001));
            ASSERT_EQ(wordOfMeaning.count(meaning), 1u) << meaning;
            if (n == 1) {
                TypeAnswer(dialog, wordOfMeaning[meaning], wordOfMeaning[meaning]);
                ASSERT_TRUE(Press(dialog, IDOK));
                ++right;
            } else {
                std::string wrongWord(wordOfMeaning[meaning].size(), 'z');
                TypeAnswer(dialog, wrongWord, wrongWord);
                ASSERT_TRUE(Press(dialog, IDOK));
                HWND box = Dialog(L"不正解");
                ASSERT_NE(box, nullptr);
                ASSERT_TRUE(e2e::ClickButton(box, IDOK));
                ++wrong;
            }
        }
        EXPECT_TRUE(e2e::WaitUntilGone(dialog));
    }
    ExpectTodayReport(3, right, wrong, check);
    Exit();
}

// ---- The word list in another program ----

// A word file whose path holds a blank: it still goes unquoted after one space.
void UseWordFolderWithBlank(const std::wstring& folder, std::wstring* wordFile)
{
    std::wstring words = e2e::JoinPath(folder, L"my words");
    ASSERT_TRUE(CreateDirectoryW(words.c_str(), nullptr));
    *wordFile = e2e::JoinPath(words, L"words.csv");
}

TEST_F(TrayE2E, ListingAppGetsProgramSpaceWordFileAndTheFileStaysReadOnly)
{
    UseWordFolderWithBlank(folder_, &wordFile_);
    wchar_t self[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring lister = e2e::JoinPath(folder_, kListerName);
    ASSERT_TRUE(CopyFileW(self, lister.c_str(), FALSE));
    std::wstring output = e2e::JoinPath(folder_, kListerOutput);

    // Asked once already, so that the save has something new to write.
    Word banana = Banana();
    StartWith({banana}, {{L"ListingApp", lister}});
    AnswerRight(DoubleClick(), "banana");
    EXPECT_TRUE(e2e::IsReadOnly(wordFile_));

    ASSERT_TRUE(e2e::PostCommand(tray_, 40005));
    ASSERT_TRUE(PollUntil(e2e::kWaitMs, [&] { return e2e::FileExists(output); }))
        << "the listing program was not started";
    EXPECT_EQ(e2e::ReadBytes(output), U8(lister + L" " + wordFile_));
    banana.right = 1;
    EXPECT_EQ(e2e::ReadBytes(wordFile_), Lines({banana})) << "saved before the listing";
    EXPECT_TRUE(e2e::IsReadOnly(wordFile_)) << "read-only again after the save";
    EXPECT_TRUE(NoDialogFor(program_, 1000));

    // The tray goes on: the icon still asks.
    AnswerRight(DoubleClick(), "banana");
    Exit();
    banana.right = 2;
    ExpectWordFile({banana});
}

TEST_F(TrayE2E, ListingAppThatCannotStartSaysSoAfterTheSave)
{
    UseWordFolderWithBlank(folder_, &wordFile_);
    Word banana = Banana();
    StartWith({banana}, {{L"ListingApp", e2e::JoinPath(folder_, L"missing.exe")}});
    AnswerRight(DoubleClick(), "banana");

    ASSERT_TRUE(e2e::PostCommand(tray_, 40005));
    HWND box = Dialog(L"エラー");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WaitForIconLook(box), IconLook::Red);
    banana.right = 1;
    EXPECT_EQ(e2e::ReadBytes(wordFile_), Lines({banana})) << "saved before the attempt";
    EXPECT_TRUE(e2e::IsReadOnly(wordFile_));
    ExpectTrayBox(L"エラー", "関連するアプリケーションが起動できません。", true);
    Exit();
}

// ---- The about box ----

std::vector<std::string> ChildTexts(HWND dialog)
{
    std::vector<HWND> children;
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM data) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    std::vector<std::string> texts;
    for (HWND child : children)
        texts.push_back(U8(e2e::WindowText(child)));
    return texts;
}

bool HasIconControl(HWND dialog)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
            Ask(child, STM_GETICON) != 0)
            return true;
    }
    return false;
}

TEST_F(TrayE2E, AboutBoxShowsTheProgramAndHoldsTheIconUntilClosed)
{
    StartWith({Banana()}, {});
    ASSERT_TRUE(e2e::PostCommand(tray_, 10));
    HWND about = e2e::WaitForDialog(program_, nullptr);
    ASSERT_NE(about, nullptr);
    Shot(L"about-box");
    EXPECT_EQ(GetWindow(about, GW_OWNER), tray_);
    std::vector<std::string> texts = ChildTexts(about);
    auto has = [&](const std::string& text) {
        for (const std::string& t : texts) {
            if (t == text)
                return true;
        }
        return false;
    };
    EXPECT_TRUE(has("ヴォカドリル「ボカるん」"));
    EXPECT_TRUE(has("Version 2.1.0.0"));
    EXPECT_TRUE(has("ご利用ありがとうございます。\nボカるんで英語力Ｕｐ目指してください。") ||
                has("ご利用ありがとうございます。\r\nボカるんで英語力Ｕｐ目指してください。"));
    EXPECT_TRUE(HasIconControl(about)) << "the program icon";

    ASSERT_TRUE(e2e::PostTrayMouse(tray_, WM_LBUTTONDBLCLK));
    EXPECT_TRUE(NoQuestionFor(program_, 1500)) << "the icon is busy while the about box shows";
    ASSERT_TRUE(e2e::ClickButton(about, IDOK));
    EXPECT_TRUE(e2e::WaitUntilGone(about));
    AnswerRight(DoubleClick(), "banana");
    Exit();
}

// The full path of the common controls library the process has loaded, or "" for none.
std::wstring LoadedCommonControls(HANDLE process)
{
    HMODULE modules[512];
    DWORD bytes = 0;
    if (!EnumProcessModulesEx(process, modules, sizeof modules, &bytes, LIST_MODULES_ALL))
        return L"?";
    for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 512; ++i) {
        wchar_t path[MAX_PATH] = L"";
        DWORD length = GetModuleFileNameExW(process, modules[i], path, MAX_PATH);
        std::wstring name(path, length);
        std::size_t slash = name.find_last_of(L"\\/");
        if (lstrcmpiW(name.c_str() + (slash == std::wstring::npos ? 0 : slash + 1),
                      L"comctl32.dll") == 0)
            return name;
    }
    return L"";
}

// The tray alone needs no common controls; the dialogs get the current version (the one
// from the side-by-side store, not the old one of the system folder).
TEST_F(TrayE2E, DialogsGetTheCurrentCommonControlsWhichTheIdleTrayDoesNotLoad)
{
    StartWith({Banana()}, {});
    Sleep(1000);
    EXPECT_EQ(U8(LoadedCommonControls(program_.info.hProcess)), "") << "loaded while idle";

    ASSERT_TRUE(e2e::PostCommand(tray_, 10));
    HWND about = e2e::WaitForDialog(program_, nullptr);
    ASSERT_NE(about, nullptr);
    std::wstring controls = LoadedCommonControls(program_.info.hProcess);
    CharLowerW(&controls[0]);
    EXPECT_NE(controls.find(L"\\winsxs\\"), std::wstring::npos) << U8(controls);
    ASSERT_TRUE(e2e::ClickButton(about, IDOK));
    EXPECT_TRUE(e2e::WaitUntilGone(about));

    Exit();
}

} // namespace
