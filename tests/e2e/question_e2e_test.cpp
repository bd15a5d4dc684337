// The question dialog seen from outside: asked from the tray icon, answered by typing over
// the hint as a learner does, judged with its boxes and counted into the word file; the
// correct notice; check mode; continuous questioning; the answer box editor.
#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "tests/e2e/drill_e2e_support.h"
#include "tests/e2e/harness.h"

namespace {

using namespace drill_e2e;

class QuestionE2E : public ProgramFixture {};

// apple: asked before (1 right, 2 wrong); its meanings name the word, in two cases.
Word Apple()
{
    Word w;
    w.word = "apple";
    w.explain1 = "りんご、apple pie のapple";
    w.explain2 = "Apple社";
    w.explain3 = "果物";
    w.right = 1;
    w.wrong = 2;
    return w;
}

TEST_F(QuestionE2E, DoubleClickAsksAndAnswersAreJudgedAndCounted)
{
    Word apple = Apple();
    StartWith({apple}, {});

    // The first question: counts before the answer, the word hidden everywhere.
    HWND dialog = DoubleClick();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(CaptionIs(e2e::WindowText(dialog), false, 1, 2));
    HWND answer = GetDlgItem(dialog, 1000);
    EXPECT_EQ(U8(e2e::WindowText(answer)), "*****") << "the hint has the word's length";
    EXPECT_TRUE(WaitForSelection(answer, 0, 1)) << "the first byte is selected";
    EXPECT_FALSE(IsReadOnlyEdit(dialog, 1000));
    EXPECT_EQ(U8(e2e::ControlText(dialog, 1001)), "りんご、***** pie の*****");
    EXPECT_EQ(U8(e2e::ControlText(dialog, 1002)), "*****社");
    EXPECT_EQ(U8(e2e::ControlText(dialog, 1003)), "果物");
    EXPECT_TRUE(IsShown(dialog, 1003));
    EXPECT_FALSE(IsShown(dialog, 1004));
    EXPECT_FALSE(IsShown(dialog, IDCANCEL));
    EXPECT_FALSE(IsShown(dialog, 1024));
    EXPECT_TRUE(IsShown(dialog, 1019));
    EXPECT_FALSE(IsChecked(dialog, 1019)) << "ProblemContinue 1 leaves 連続出題 unchecked";
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 1033))) << "no pronunciation";
    Shot(L"question-dialog");

    // Right, typed over the hint one character at a time: no box, the dialog closes.
    TypeAnswer(dialog, "apple", "apple");
    ASSERT_TRUE(Press(dialog, IDOK));
    EXPECT_TRUE(e2e::WaitUntilGone(dialog));
    EXPECT_TRUE(NoDialogFor(program_, 1000)) << "a right answer shows no box without the notice";

    // One letter off: the exclamation box, counted as wrong.
    dialog = DoubleClick();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(CaptionIs(e2e::WindowText(dialog), false, 2, 2));
    TypeAnswer(dialog, "apole", "apole");
    ASSERT_TRUE(Press(dialog, IDOK));
    ExpectVerdictBox(dialog, "おしい！一文字違い！\n正解は\"apple\"です。", IconLook::Yellow);
    EXPECT_TRUE(e2e::WaitUntilGone(dialog));

    // Wrong: the stop box.
    dialog = DoubleClick();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(CaptionIs(e2e::WindowText(dialog), false, 2, 3));
    TypeAnswer(dialog, "grape", "grape");
    ASSERT_TRUE(Press(dialog, IDOK));
    ExpectVerdictBox(dialog, "不正解！正解は\"apple\"です。", IconLook::Red);
    EXPECT_TRUE(e2e::WaitUntilGone(dialog));

    // The close box answers too: the untouched hint is judged wrong, then the dialog ends.
    dialog = DoubleClick();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(CaptionIs(e2e::WindowText(dialog), false, 2, 4));
    ASSERT_TRUE(PostClose(dialog));
    ExpectVerdictBox(dialog, "不正解！正解は\"apple\"です。", IconLook::Red);
    EXPECT_TRUE(e2e::WaitUntilGone(dialog));

    ExpectTodayReport(4, 1, 3, 0);
    EXPECT_EQ(e2e::ReadBytes(wordFile_), Lines({apple})) << "counts stay in memory until exit";
    Exit();
    apple.right = 2;
    apple.wrong = 5;
    ExpectWordFile({apple});
}

// ---- The correct notice ----

// Samples the notice's two bulbs for `ms`: true when exactly one shows at every sample and
// each of them showed at least once, with the picture changing more than once.
testing::AssertionResult BulbsBlink(HWND notice, DWORD ms)
{
    HWND unlit = GetDlgItem(notice, 1013), lit = GetDlgItem(notice, 1014);
    if (unlit == nullptr || lit == nullptr)
        return testing::AssertionFailure() << "icon 1013 or 1014 missing";
    int last = -1, changes = 0, seenUnlit = 0, seenLit = 0;
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        bool a = IsWindowVisible(unlit) != FALSE, b = IsWindowVisible(lit) != FALSE;
        if (!a && !b)
            return testing::AssertionFailure() << "neither bulb shows";
        if (a != b) {
            int now = a ? 0 : 1;
            (now == 0 ? seenUnlit : seenLit)++;
            if (last != -1 && now != last)
                ++changes;
            last = now;
        }
        Sleep(40);
    }
    if (seenUnlit == 0 || seenLit == 0 || changes < 2)
        return testing::AssertionFailure() << "unlit shown " << seenUnlit << " times, lit "
                                           << seenLit << " times, " << changes << " changes";
    return testing::AssertionSuccess();
}

TEST_F(QuestionE2E, CorrectNoticeBlinksUntilOkEnterOrTheCloseBox)
{
    Word apple = Apple();
    StartWith({apple}, {{L"CorrectDialog", L"1"}});

    struct Closing {
        const char* how;
        std::function<void(HWND)> close;
    };
    const std::vector<Closing> closings = {
        {"OK", [](HWND notice) { EXPECT_TRUE(e2e::ClickButton(notice, IDOK)); }},
        {"Enter",
         [](HWND notice) { EXPECT_TRUE(e2e::PressKey(GetDlgItem(notice, IDOK), VK_RETURN)); }},
        {"close box", [](HWND notice) { EXPECT_TRUE(PostClose(notice)); }},
    };
    int asked = 0;
    for (const Closing& closing : closings) {
        SCOPED_TRACE(closing.how);
        HWND dialog = DoubleClick();
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(CaptionIs(e2e::WindowText(dialog), false, 1 + asked, 2));
        TypeAnswer(dialog, "APPLE", "APPLE"); // case does not matter
        ASSERT_TRUE(Press(dialog, IDOK));
        HWND notice = Dialog(L"正解！");
        ASSERT_NE(notice, nullptr);
        EXPECT_EQ(GetWindow(notice, GW_OWNER), dialog) << "owned by the question dialog";
        EXPECT_TRUE(GetWindowLongW(notice, GWL_EXSTYLE) & WS_EX_TOPMOST);
        if (asked == 0)
            Shot(L"correct-notice");
        EXPECT_TRUE(BulbsBlink(notice, 2200));

        // Escape, as a command and as a key, leaves the notice open and blinking.
        ASSERT_TRUE(e2e::PostCommand(notice, IDCANCEL));
        ASSERT_TRUE(e2e::PressKey(GetDlgItem(notice, IDOK), VK_ESCAPE));
        EXPECT_TRUE(BulbsBlink(notice, 1300));
        EXPECT_TRUE(IsWindowVisible(notice));
        EXPECT_TRUE(IsWindowVisible(dialog)) << "the question waits for the notice";

        closing.close(notice);
        EXPECT_TRUE(e2e::WaitUntilGone(notice)) << "the notice stays after " << closing.how;
        EXPECT_TRUE(e2e::WaitUntilGone(dialog));
        ++asked;
    }
    ExpectTodayReport(3, 3, 0, 0);
    Exit();
    apple.right = 4;
    ExpectWordFile({apple});
}

// ---- Check mode ----

struct CheckCase {
    const char* label;
    int status;
    int checkOnly;
};

void PrintTo(const CheckCase& check, std::ostream* out) { *out << check.label; }

class QuestionCheckModeE2E : public QuestionE2E, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(QuestionCheckModeE2E, ShowsTheWordAndCountsCheckCountOnly)
{
    const CheckCase& param = GetParam();
    Word apple = Apple();
    apple.check = 4;
    apple.checkOnly = param.checkOnly;
    apple.pronunce = "'apl";
    StartWith({apple}, {{L"Status", std::to_wstring(param.status)}});

    HWND dialog = DoubleClick();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(CaptionIs(e2e::WindowText(dialog), true, 1, 2));
    EXPECT_EQ(U8(e2e::ControlText(dialog, 1000)), "apple");
    EXPECT_TRUE(IsReadOnlyEdit(dialog, 1000));
    EXPECT_EQ(U8(e2e::ControlText(dialog, 1001)), apple.explain1) << "not masked in check mode";
    EXPECT_EQ(U8(e2e::ControlText(dialog, 1002)), apple.explain2);
    EXPECT_EQ(U8(e2e::ControlText(dialog, 1003)), apple.explain3);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 1033))) << "the word has a pronunciation";
    ASSERT_TRUE(Press(dialog, IDOK));
    EXPECT_TRUE(e2e::WaitUntilGone(dialog));
    EXPECT_TRUE(NoDialogFor(program_, 1000)) << "nothing is judged in check mode";

    ExpectTodayReport(1, 0, 0, 1);
    Exit();
    apple.check = 5;
    ExpectWordFile({apple});
    e2e::StoredSetting status = e2e::ReadStoredSetting(L"Status");
    EXPECT_EQ(U8(status.text), std::to_string(param.status)) << "Status is put back";
}

INSTANTIATE_TEST_SUITE_P(
    QuestionE2E, QuestionCheckModeE2E,
    ::testing::Values(CheckCase{"ShowOnlyStatus2", 2, 0}, CheckCase{"CheckOnlyWordWhilePaused", 1, 1},
                      CheckCase{"CheckOnlyWordWhileRunning", 0, 1}),
    [](const ::testing::TestParamInfo<CheckCase>& info) { return std::string(info.param.label); });

// ---- Continuous questioning ----

TEST_F(QuestionE2E, ProblemContinueThreeAsksThreeWordsInOneOpening)
{
    std::vector<Word> words(3);
    const char* spellings[] = {"cherry", "lemon", "melon"};
    for (int i = 0; i < 3; ++i) {
        words[i].word = spellings[i];
        words[i].explain1 = "意味" + std::to_string(i + 1);
    }
    StartWith(words, {{L"ProblemContinue", L"3"}});

    std::map<std::string, int> byMeaning;
    for (int i = 0; i < 3; ++i)
        byMeaning[words[i].explain1] = i;
    HWND dialog = DoubleClick();
    ASSERT_NE(dialog, nullptr);
    HWND answer = GetDlgItem(dialog, 1000);
    std::vector<int> rights(3, 0);
    for (int n = 1; n <= 3; ++n) {
        SCOPED_TRACE("word " + std::to_string(n) + " of the opening");
        std::string meaning = U8(e2e::ControlText(dialog, 1001));
        ASSERT_EQ(byMeaning.count(meaning), 1u) << "unknown meaning " << meaning;
        const Word& word = words[byMeaning[meaning]];
        EXPECT_TRUE(CaptionIs(e2e::WindowText(dialog), false, rights[byMeaning[meaning]], 0));
        EXPECT_EQ(U8(e2e::WindowText(answer)), std::string(word.word.size(), '*'));
        EXPECT_TRUE(WaitForSelection(answer, 0, 1)) << "overwrite mode, first byte selected";
        EXPECT_EQ(IsChecked(dialog, 1019), n < 3) << "連続出題 is unchecked when the third shows";
        TypeAnswer(dialog, word.word, word.word);
        ASSERT_TRUE(Press(dialog, IDOK));
        ++rights[byMeaning[meaning]];
        if (n < 3) {
            // The next word replaces the answer with its own hint in the same dialog.
            ASSERT_TRUE(PollUntil(5000, [&] {
                std::string text = U8(e2e::WindowText(answer));
                return !text.empty() && text.find_first_not_of('*') == std::string::npos;
            })) << "no follow-up word; the answer box shows " << U8(e2e::WindowText(answer));
            EXPECT_TRUE(IsWindowVisible(dialog));
        }
    }
    EXPECT_TRUE(e2e::WaitUntilGone(dialog)) << "the third answer ends the opening";
    EXPECT_TRUE(NoQuestionFor(program_, 1000));

    ExpectTodayReport(3, 3, 0, 0);
    Exit();
    for (int i = 0; i < 3; ++i)
        words[i].right = rights[i];
    ExpectWordFile(words);
}

// ---- The answer box editor ----

TEST_F(QuestionE2E, AnswerBoxOverwritesAndCtrlZBringsBackTheHint)
{
    Word word;
    word.word = "strawberry";
    word.explain1 = "いちご";
    // Some letters shown at random: Ctrl+Z must bring back exactly these.
    StartWith({word}, {{L"ProblemPattern", L"1"}});

    HWND dialog = DoubleClick();
    ASSERT_NE(dialog, nullptr);
    HWND answer = GetDlgItem(dialog, 1000);
    const std::string hint = U8(e2e::WindowText(answer));
    ASSERT_EQ(hint.size(), word.word.size());
    EXPECT_EQ(hint[0], 's') << "pattern 1 shows the first letter";
    ASSERT_TRUE(WaitForSelection(answer, 0, 1));

    // Typing overwrites one byte at a time and selects the next byte.
    TypeAnswer(dialog, "st", "st" + hint.substr(2));
    EXPECT_TRUE(WaitForSelection(answer, 2, 3));

    // Backspace only moves the selection back; it never deletes.
    ASSERT_TRUE(Key(answer, VK_BACK));
    EXPECT_TRUE(WaitForSelection(answer, 1, 2));
    ASSERT_TRUE(Key(answer, VK_BACK));
    EXPECT_TRUE(WaitForSelection(answer, 0, 1));
    ASSERT_TRUE(Key(answer, VK_BACK)); // at the first byte: nothing happens
    ASSERT_TRUE(Key(answer, VK_RIGHT));
    EXPECT_TRUE(WaitForSelection(answer, 1, 2));
    EXPECT_EQ(U8(e2e::WindowText(answer)), "st" + hint.substr(2));
    ASSERT_TRUE(Key(answer, VK_RIGHT));
    ASSERT_TRUE(Key(answer, VK_HOME));
    EXPECT_TRUE(WaitForSelection(answer, 0, 1));
    EXPECT_EQ(U8(e2e::WindowText(answer)), "st" + hint.substr(2));

    // Insert switches to plain editing: characters are inserted, Backspace deletes.
    ASSERT_TRUE(Key(answer, VK_RIGHT));
    ASSERT_TRUE(Key(answer, VK_INSERT));
    EXPECT_TRUE(WaitForSelection(answer, 1, 1)) << "a caret at the selection's start";
    TypeAnswer(dialog, "xy", "sxyt" + hint.substr(2));
    ASSERT_TRUE(Key(answer, VK_BACK));
    EXPECT_TRUE(e2e::WaitForText(answer, W("sxt" + hint.substr(2)), 5000))
        << U8(e2e::WindowText(answer));

    // Ctrl+Z, with Ctrl really held, brings back the first hint with its first byte selected.
    ASSERT_TRUE(PressCtrlZ(dialog)) << "the question dialog did not come to the foreground";
    EXPECT_TRUE(e2e::WaitForText(answer, W(hint), 5000)) << U8(e2e::WindowText(answer));
    EXPECT_TRUE(WaitForSelection(answer, 0, 1));

    // Insert again: back to overwriting.
    ASSERT_TRUE(Key(answer, VK_INSERT));
    EXPECT_TRUE(WaitForSelection(answer, 0, 1));
    TypeAnswer(dialog, "strawberry", "strawberry");
    ASSERT_TRUE(Press(dialog, IDOK));
    EXPECT_TRUE(e2e::WaitUntilGone(dialog));
    EXPECT_TRUE(NoDialogFor(program_, 1000)) << "judged right";
    Exit();
    word.right = 1;
    ExpectWordFile({word});
}

} // namespace
