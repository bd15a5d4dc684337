// Word entry seen from outside: words typed into the question dialog in its entry mode,
// stored, saved by Cancel or left for the exit by the close box, the offer to expand an
// existing word, the overwrite question, refused fields, and the remarks history.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/drill_e2e_support.h"
#include "tests/e2e/harness.h"

namespace {

using namespace drill_e2e;

const char kNon[] = "*Non*";

std::vector<std::string> Slots(std::vector<std::string> used)
{
    while (used.size() < 10)
        used.push_back(kNon);
    return used;
}

std::string Repeat(const std::string& piece, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

class WordEntryE2E : public ProgramFixture {
protected:
    // Tray command 0 opens the question dialog as word entry.
    HWND OpenWordEntry()
    {
        EXPECT_TRUE(e2e::PostCommand(tray_, 0));
        HWND dialog = Dialog(L"単語の追加");
        return dialog;
    }

    HWND Field(HWND dialog, int id) { return id == 1004 ? ComboEdit(dialog, 1004) : GetDlgItem(dialog, id); }

    std::vector<std::string> Fields(HWND dialog)
    {
        return {U8(e2e::ControlText(dialog, 1000)), U8(e2e::ControlText(dialog, 1001)),
                U8(e2e::ControlText(dialog, 1002)), U8(e2e::WindowText(ComboEdit(dialog, 1004)))};
    }

    // Empties a field the way selecting its text and deleting it does.
    void Clear(HWND dialog, int id)
    {
        HWND field = Field(dialog, id);
        Ask(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
        ASSERT_TRUE(e2e::WaitForText(field, L"", 5000));
    }

    // Types a word, two meanings and a remark (each typed after what the field holds).
    void TypeWord(HWND dialog, const std::vector<std::string>& texts)
    {
        const int ids[] = {1000, 1001, 1002, 1004};
        for (std::size_t i = 0; i < texts.size() && i < 4; ++i) {
            if (texts[i].empty())
                continue;
            std::string before = U8(e2e::WindowText(Field(dialog, ids[i])));
            TypeInto(Field(dialog, ids[i]), texts[i], before + texts[i]);
        }
    }

    // OK stores the word: the word and meanings are cleared for the next, the remark stays.
    void ExpectStored(HWND dialog, const std::string& remark)
    {
        ASSERT_TRUE(PollUntil(5000, [&] {
            return Fields(dialog) == std::vector<std::string>{"", "", "", remark};
        })) << "fields after OK: " << Fields(dialog)[0] << " | " << Fields(dialog)[1] << " | "
            << Fields(dialog)[2] << " | " << Fields(dialog)[3];
        EXPECT_FALSE(IsChecked(dialog, 1024)) << "確認のみとする does not carry over";
        EXPECT_EQ(FindDialogWhere(program_, [](const std::wstring& c) { return c != L"単語の追加"; }),
                  nullptr)
            << "no box after a store";
    }

    // A message box over word entry, answered with `answer`.
    void Answer(HWND dialog, const wchar_t* caption, const std::string& text,
                std::vector<int> buttons, int answer)
    {
        HWND box = Dialog(caption);
        ASSERT_NE(box, nullptr);
        e2e::MessageBoxView view = e2e::ReadMessageBox(box);
        EXPECT_EQ(U8(view.text), text);
        EXPECT_EQ(view.buttons, buttons);
        EXPECT_TRUE(view.hasIcon);
        EXPECT_EQ(view.owner, dialog) << "owned by word entry";
        ASSERT_TRUE(e2e::ClickButton(box, answer));
        EXPECT_TRUE(e2e::WaitUntilGone(box));
    }

    void ExpectRefused(HWND dialog, const std::string& text)
    {
        HWND box = Dialog(L"エラー");
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(WaitForIconLook(box), IconLook::Red) << "the stop icon";
        Answer(dialog, L"エラー", text, {IDOK}, IDOK);
    }
};

// A new word as word entry stores it: no statistics, no pronunciation.
Word Entry(const std::string& word, const std::string& explain1, const std::string& explain2,
           const std::string& explain3)
{
    Word w;
    w.word = word;
    w.explain1 = explain1;
    w.explain2 = explain2;
    w.explain3 = explain3;
    return w;
}

Word Apple()
{
    Word w;
    w.word = "apple";
    w.explain1 = "りんご";
    w.explain2 = "林檎の木";
    w.explain3 = "果物";
    w.right = 3;
    w.wrong = 1;
    w.check = 2;
    w.pronunce = "'apl";
    return w;
}

TEST_F(WordEntryE2E, CancelSavesTheStoredWordsAndTheRemarksComeNewestFirst)
{
    ASSERT_TRUE(PutComboSlots(Slots({"形容詞", kNon, "副詞"})));
    Word apple = Apple();
    StartWith({apple}, {});
    const std::string loaded = Lines({apple});

    HWND dialog = OpenWordEntry();
    ASSERT_NE(dialog, nullptr);
    for (int id : {1000, 1001, 1002})
        EXPECT_FALSE(IsReadOnlyEdit(dialog, id)) << id << " is editable";
    EXPECT_FALSE(IsShown(dialog, 1003));
    EXPECT_TRUE(IsShown(dialog, 1004));
    EXPECT_TRUE(IsShown(dialog, IDCANCEL));
    EXPECT_TRUE(IsShown(dialog, 1024));
    EXPECT_FALSE(IsShown(dialog, 1019));
    EXPECT_EQ(ComboItems(dialog, 1004), (std::vector<std::string>{"形容詞", "副詞"}));
    EXPECT_EQ(Fields(dialog), (std::vector<std::string>{"", "", "", ""}));

    TypeWord(dialog, {"cat", "猫", "ネコ科の動物", "名詞"});
    Shot(L"word-entry");
    ASSERT_TRUE(Press(dialog, IDOK));
    ExpectStored(dialog, "名詞");
    EXPECT_EQ(ComboItems(dialog, 1004), (std::vector<std::string>{"名詞", "形容詞", "副詞"}));

    // The remark stays for the next word; a new one is typed over it; check-only is set.
    Clear(dialog, 1004);
    TypeWord(dialog, {"run", "走る", "経営する", "動詞"});
    ASSERT_TRUE(e2e::ClickButton(dialog, 1024));
    ASSERT_TRUE(Press(dialog, IDOK));
    ExpectStored(dialog, "動詞");
    EXPECT_EQ(ComboItems(dialog, 1004),
              (std::vector<std::string>{"動詞", "名詞", "形容詞", "副詞"}));

    // A remark chosen from the list moves to its top; the list holds it once.
    Ask(GetDlgItem(dialog, 1004), CB_SETCURSEL, 3);
    ASSERT_TRUE(e2e::WaitForText(ComboEdit(dialog, 1004), L"副詞", 5000));
    TypeWord(dialog, {"dog", "犬"});
    ASSERT_TRUE(Press(dialog, IDOK));
    ExpectStored(dialog, "副詞");
    EXPECT_EQ(ComboItems(dialog, 1004),
              (std::vector<std::string>{"副詞", "動詞", "名詞", "形容詞"}));
    EXPECT_EQ(ReadComboSlots(), Slots({"副詞", "動詞", "名詞", "形容詞"}));

    EXPECT_EQ(e2e::ReadBytes(wordFile_), loaded) << "stores stay in memory";
    ASSERT_TRUE(Press(dialog, IDCANCEL));
    EXPECT_TRUE(e2e::WaitUntilGone(dialog));

    Word cat = Entry("cat", "猫", "ネコ科の動物", "名詞");
    Word run = Entry("run", "走る", "経営する", "動詞");
    run.checkOnly = 1;
    Word dog = Entry("dog", "犬", "", "副詞");
    const std::vector<Word> all = {apple, cat, run, dog};
    EXPECT_EQ(e2e::Utf8FromCp932(e2e::ReadBytes(wordFile_)), e2e::Utf8FromCp932(Lines(all)))
        << "Cancel saves at once";
    EXPECT_TRUE(e2e::IsReadOnly(wordFile_)) << "and leaves the word file read-only";
    EXPECT_EQ(e2e::ReadBytes(e2e::JoinPath(folder_, L"words.bak")), loaded);
    EXPECT_TRUE(NoDialogFor(program_, 1000));

    // The new words are in the book: the report counts them.
    ASSERT_TRUE(e2e::PostCommand(tray_, 40004));
    ExpectTrayBox(L"問題の状況",
                  "問題状況\n　全問題数：4\n　正解率の良い問題数：1\n　正解率の悪い問題数：0\n"
                  "　未出題の問題数：3\n　確認のみ行った問題数：0",
                  false);
    Exit();
    ExpectWordFile(all);
    EXPECT_EQ(ReadComboSlots(), Slots({"副詞", "動詞", "名詞", "形容詞"}));
}

TEST_F(WordEntryE2E, CloseBoxLeavesTheWordFileUntilTheExit)
{
    Word apple = Apple();
    StartWith({apple}, {});
    const std::string loaded = Lines({apple});

    HWND dialog = OpenWordEntry();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ReadComboSlots(), Slots({})) << "the first fill creates ten empty slots";
    EXPECT_EQ(ComboItems(dialog, 1004), std::vector<std::string>{});
    TypeWord(dialog, {"pen", "ペン"});
    ASSERT_TRUE(Press(dialog, IDOK));
    ExpectStored(dialog, "");
    ASSERT_TRUE(PostClose(dialog));
    EXPECT_TRUE(e2e::WaitUntilGone(dialog));
    EXPECT_TRUE(NoDialogFor(program_, 1500)) << "the close box asks nothing";
    EXPECT_EQ(e2e::ReadBytes(wordFile_), loaded) << "the close box does not save";
    EXPECT_TRUE(e2e::IsReadOnly(wordFile_));
    EXPECT_FALSE(e2e::FileExists(e2e::JoinPath(folder_, L"words.bak")));
    EXPECT_EQ(ReadComboSlots(), Slots({})) << "an empty remark is not pushed";

    Exit();
    ExpectWordFile({apple, Entry("pen", "ペン", "", "")});
}

TEST_F(WordEntryE2E, ExpansionIsOfferedOnceAndTheOverwriteQuestionDecides)
{
    Word apple = Apple();
    Word pen{"pen", "ペン", "筆記具", "文房具", 1, 4, 0, 1, "pen"};
    StartWith({apple, pen}, {});
    const std::string offerApple = "\"apple\"は登録済みです。単語の内容を展開しますか？";
    const std::string overwrite =
        "単語の内容を上書きしますか？（「いいえ」の場合は新規追加します）";

    HWND dialog = OpenWordEntry();
    ASSERT_NE(dialog, nullptr);
    HWND word = GetDlgItem(dialog, 1000);

    // Typed letter by letter: the offer comes when the text equals the word. No keeps the
    // typed text with the caret at its end.
    ASSERT_TRUE(e2e::TypeText(word, L"apple"));
    Answer(dialog, L"展開確認", offerApple, {IDYES, IDNO}, IDNO);
    EXPECT_EQ(U8(e2e::WindowText(word)), "apple");
    EXPECT_TRUE(WaitForSelection(word, 5, 5));
    EXPECT_EQ(U8(e2e::ControlText(dialog, 1001)), "");
    // Only once for this word until the next store.
    TypeInto(word, "s", "apples");
    ASSERT_TRUE(Key(word, VK_BACK));
    EXPECT_TRUE(e2e::WaitForText(word, L"apple", 5000));
    EXPECT_FALSE(PollUntil(1500, [&] { return e2e::FindDialog(program_, L"展開確認") != nullptr; }))
        << "the offer came twice";

    // Another word is offered; Yes fills every field from it.
    Clear(dialog, 1000);
    ASSERT_TRUE(e2e::TypeText(word, L"pen"));
    Answer(dialog, L"展開確認", "\"pen\"は登録済みです。単語の内容を展開しますか？", {IDYES, IDNO},
           IDYES);
    EXPECT_EQ(Fields(dialog), (std::vector<std::string>{"pen", "ペン", "筆記具", "文房具"}));
    EXPECT_TRUE(IsChecked(dialog, 1024));
    EXPECT_TRUE(WaitForSelection(word, 0, 3)) << "the whole word is selected";

    // Edited and stored: Cancel in the overwrite question stores nothing, Yes overwrites the
    // texts and keeps the statistics.
    HWND meaning = GetDlgItem(dialog, 1001);
    LRESULT end = Ask(meaning, WM_GETTEXTLENGTH);
    Ask(meaning, EM_SETSEL, end, end);
    TypeInto(meaning, "（インク）", "ペン（インク）");
    ASSERT_TRUE(Press(dialog, IDOK));
    Answer(dialog, L"上書き確認", overwrite, {IDCANCEL, IDYES, IDNO}, IDCANCEL);
    EXPECT_EQ(Fields(dialog), (std::vector<std::string>{"pen", "ペン（インク）", "筆記具", "文房具"}));
    ASSERT_TRUE(Press(dialog, IDOK));
    Answer(dialog, L"上書き確認", overwrite, {IDCANCEL, IDYES, IDNO}, IDYES);
    ExpectStored(dialog, "文房具");

    // After the store the offer comes again; No there, then No to overwriting adds a second
    // record with the same word.
    ASSERT_TRUE(e2e::TypeText(word, L"apple"));
    Answer(dialog, L"展開確認", offerApple, {IDYES, IDNO}, IDNO);
    Clear(dialog, 1004);
    TypeWord(dialog, {"", "アップル"});
    ASSERT_TRUE(Press(dialog, IDOK));
    Answer(dialog, L"上書き確認", overwrite, {IDCANCEL, IDYES, IDNO}, IDNO);
    ExpectStored(dialog, "");

    ASSERT_TRUE(Press(dialog, IDCANCEL));
    EXPECT_TRUE(e2e::WaitUntilGone(dialog));
    pen.explain1 = "ペン（インク）";
    const std::vector<Word> all = {apple, pen, Entry("apple", "アップル", "", "")};
    EXPECT_EQ(e2e::Utf8FromCp932(e2e::ReadBytes(wordFile_)), e2e::Utf8FromCp932(Lines(all)));
    EXPECT_TRUE(e2e::IsReadOnly(wordFile_));
    EXPECT_EQ(ReadComboSlots(), Slots({"文房具"}));
    Exit();
    ExpectWordFile(all);
}

struct TooLong {
    const char* field;
    int id;
    std::string text; // one byte over the field's limit
};

TEST_F(WordEntryE2E, TooLongFieldsAndBlankWordsAreRefusedAndNothingIsCleared)
{
    Word apple = Apple();
    StartWith({apple}, {});
    // Narrow letters, so that the word field (which does not scroll) shows all of them.
    const std::vector<TooLong> cases = {
        {"word", 1000, Repeat("i", 63)},
        {"meaning 1", 1001, Repeat("意", 63) + "a"},
        {"meaning 2", 1002, Repeat("味", 63) + "b"},
        {"remark", 1004, Repeat("l", 63)},
    };
    const std::string tooLong = "データが長すぎます。";

    HWND dialog = OpenWordEntry();
    ASSERT_NE(dialog, nullptr);
    for (const TooLong& refused : cases) {
        SCOPED_TRACE(refused.field);
        for (int id : {1000, 1001, 1002, 1004})
            Clear(dialog, id);
        if (refused.id != 1000)
            TypeWord(dialog, {"kiwi"});
        TypeInto(Field(dialog, refused.id), refused.text, refused.text);
        std::vector<std::string> typed = Fields(dialog);
        ASSERT_TRUE(Press(dialog, IDOK));
        ExpectRefused(dialog, tooLong);
        EXPECT_EQ(Fields(dialog), typed) << "nothing is cleared";
    }

    // One byte less in every field is stored.
    for (int id : {1000, 1001, 1002, 1004})
        Clear(dialog, id);
    Word longest = Entry(Repeat("i", 62), Repeat("意", 63), Repeat("味", 63), Repeat("l", 62));
    TypeWord(dialog, {longest.word, longest.explain1, longest.explain2, longest.explain3});
    ASSERT_TRUE(Press(dialog, IDOK));
    ExpectStored(dialog, longest.explain3);

    // A word of spaces only, or none, is refused with its own message.
    for (const char* blank : {"   ", ""}) {
        SCOPED_TRACE(std::string("word \"") + blank + "\"");
        Clear(dialog, 1000);
        TypeWord(dialog, {blank, "空白"});
        std::vector<std::string> typed = Fields(dialog);
        ASSERT_TRUE(Press(dialog, IDOK));
        ExpectRefused(dialog, "単語は必ず入力してください。");
        EXPECT_EQ(Fields(dialog), typed);
        Clear(dialog, 1001);
    }

    ASSERT_TRUE(Press(dialog, IDCANCEL));
    EXPECT_TRUE(e2e::WaitUntilGone(dialog));
    EXPECT_EQ(e2e::ReadBytes(wordFile_), Lines({apple, longest}));
    // Refused stores never reach the history; the blank words' remark was pushed again.
    EXPECT_EQ(ReadComboSlots(), Slots({longest.explain3}));
    Exit();
    ExpectWordFile({apple, longest});
}

} // namespace
