// The search dialog seen from outside: searching by word and meaning, picking a word into
// the details, Modify, Clear and Delete with their questions, the save after a run that
// changed something, the too-long field, and the list of today's wrong words.
#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "tests/e2e/drill_e2e_support.h"

namespace {

using namespace drill_e2e;

const wchar_t kSearchCaption[] = L"単語の検索";
const wchar_t kWrongListCaption[] = L"本日不正解の問題一覧";

constexpr int kWordPattern = 1000;
constexpr int kMeaningPattern = 1001;
constexpr int kSearchButton = 1035;
constexpr int kList = 1034;
constexpr int kWordField = 1006;
constexpr int kExplain1Field = 1005;
constexpr int kExplain2Field = 1004;
constexpr int kRemarkCombo = 1040;
constexpr int kCheckOnlyBox = 1024;
constexpr int kStatusLine = 1038;
constexpr int kPronunciationButton = 1033;
constexpr int kModifyButton = 1026;
constexpr int kClearButton = 1030;
constexpr int kDeleteButton = 1025;

const char kNoMatch[] = "条件に一致する単語がありません。";
const char kNoWrongWords[] = "本日の不正解問題はありません。";

// The book, deliberately not in alphabetical order.
std::vector<Word> Book()
{
    std::vector<Word> words(5);
    words[0] = {"pear", "洋梨", "果物", "秋", 1, 2, 0, 0, "pE3"};
    words[1] = {"apple", "りんご", "果物", "", 0, 0, 3, 1, "'apl"};
    words[2] = {"peach", "桃", "", "夏", 5, 0, 0, 0, ""};
    words[3] = {"banana", "バナナ", "黄色い果物", "", 0, 1, 0, 0, ""};
    words[4] = {"plum", "すもも", "", "", 0, 0, 0, 0, ""};
    return words;
}

std::string StatusText(int right, int wrong, const char* rate, int check, int today)
{
    return "正解数：" + std::to_string(right) + "　不正解数：" + std::to_string(wrong) +
           "（正解率" + rate + "％）　確認数：" + std::to_string(check) + "\n本日の不正解数：" +
           std::to_string(today);
}

// The control of the dialog's thread that has the keyboard focus.
HWND FocusOf(HWND dialog)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info))
        return nullptr;
    return info.hwndFocus;
}

std::vector<std::string> ListLines(HWND dialog)
{
    HWND list = GetDlgItem(dialog, kList);
    std::vector<std::string> lines;
    LRESULT count = Ask(list, LB_GETCOUNT);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = Ask(list, LB_GETTEXTLEN, static_cast<WPARAM>(i));
        std::vector<wchar_t> text(static_cast<std::size_t>(length < 0 ? 0 : length) + 1, L'\0');
        Ask(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        lines.push_back(U8(text.data()));
    }
    return lines;
}

int CurrentLine(HWND dialog)
{
    return static_cast<int>(Ask(GetDlgItem(dialog, kList), LB_GETCURSEL));
}

bool IsEnabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

std::string Text(HWND dialog, int id) { return U8(e2e::ControlText(dialog, id)); }

// The dialog's three-line help text: the static control whose text starts with 検索語欄.
std::string HelpText(HWND dialog)
{
    std::string found;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        std::string text = U8(e2e::WindowText(child));
        if (ClassOf(child) == L"Static" && text.rfind("検索語欄", 0) == 0)
            found = text;
    }
    return found;
}

// A mouse click on a control at a point of its client area, as the user makes it.
bool ClickAt(HWND control, int x, int y)
{
    LPARAM point = MAKELPARAM(x, y);
    return PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, point) != 0 &&
           PostMessageW(control, WM_LBUTTONUP, 0, point) != 0;
}

// What the detail fields show, in one value for whole comparisons.
struct Details {
    std::string word, explain1, explain2, remark, status;
    bool checked = false;
    bool editable = false;  // the three edits writable and the record buttons enabled
    bool disabled = false;  // every record control disabled, the edits read-only

    bool operator==(const Details& o) const
    {
        return word == o.word && explain1 == o.explain1 && explain2 == o.explain2 &&
               remark == o.remark && status == o.status && checked == o.checked &&
               editable == o.editable && disabled == o.disabled;
    }
};

std::ostream& operator<<(std::ostream& out, const Details& d)
{
    return out << "{word \"" << d.word << "\", meanings \"" << d.explain1 << "\" / \""
               << d.explain2 << "\", remark \"" << d.remark << "\", status \"" << d.status
               << "\", checked " << d.checked << ", editable " << d.editable << ", disabled "
               << d.disabled << "}";
}

Details ReadDetails(HWND dialog)
{
    Details d;
    d.word = Text(dialog, kWordField);
    d.explain1 = Text(dialog, kExplain1Field);
    d.explain2 = Text(dialog, kExplain2Field);
    d.remark = Text(dialog, kRemarkCombo);
    d.status = Text(dialog, kStatusLine);
    d.checked = IsChecked(dialog, kCheckOnlyBox);
    const int buttons[] = {kPronunciationButton, kCheckOnlyBox, kModifyButton, kClearButton,
                           kDeleteButton, kRemarkCombo};
    const int edits[] = {kWordField, kExplain1Field, kExplain2Field};
    bool allOn = true, allOff = true;
    for (int id : buttons) {
        allOn = allOn && IsEnabled(dialog, id);
        allOff = allOff && !IsEnabled(dialog, id);
    }
    for (int id : edits) {
        allOn = allOn && !IsReadOnlyEdit(dialog, id);
        allOff = allOff && IsReadOnlyEdit(dialog, id);
    }
    d.editable = allOn;
    d.disabled = allOff;
    return d;
}

Details ShownWord(const Word& w, int today)
{
    Details d;
    d.word = w.word;
    d.explain1 = w.explain1;
    d.explain2 = w.explain2;
    d.remark = w.explain3;
    const char* rate = "0.00";
    char buffer[32];
    if (w.right + w.wrong > 0) {
        std::snprintf(buffer, sizeof buffer, "%.2f", w.right * 100.0 / (w.right + w.wrong));
        rate = buffer;
    }
    d.status = StatusText(w.right, w.wrong, rate, w.check, today);
    d.checked = w.checkOnly != 0;
    d.editable = true;
    return d;
}

Details EmptyDetails(bool checked)
{
    Details d;
    d.checked = checked;
    d.disabled = true;
    return d;
}

class SearchE2E : public ProgramFixture {
protected:
    std::wstring Backup() const { return e2e::JoinPath(folder_, L"words.bak"); }

    HWND OpenSearch()
    {
        EXPECT_TRUE(e2e::PostCommand(tray_, 40010));
        return Dialog(kSearchCaption);
    }

    HWND OpenWrongWords()
    {
        EXPECT_TRUE(e2e::PostCommand(tray_, 40009));
        return Dialog(kWrongListCaption);
    }

    void Close(HWND dialog)
    {
        ASSERT_TRUE(Press(dialog, IDCANCEL));
        ASSERT_TRUE(e2e::WaitUntilGone(dialog));
    }

    // Clicks into an edit (or a combo box's edit) so that it has the focus, as the learner
    // does before typing, and replaces its text by typing.
    void Retype(HWND dialog, HWND edit, const std::string& text)
    {
        ASSERT_NE(edit, nullptr);
        ASSERT_TRUE(ClickAt(edit, 3, 3));
        ASSERT_TRUE(PollUntil(5000, [&] { return FocusOf(dialog) == edit; }))
            << "the click gave the field no focus";
        Ask(edit, EM_SETSEL, 0, -1);
        if (text.empty())
            ASSERT_TRUE(e2e::PressKey(edit, VK_DELETE));
        else
            ASSERT_TRUE(e2e::TypeText(edit, W(text)));
        ASSERT_TRUE(e2e::WaitForText(edit, W(text), 10000))
            << "the field shows \"" << U8(e2e::WindowText(edit)) << "\", not \"" << text << "\"";
    }

    void Retype(HWND dialog, int id, const std::string& text)
    {
        HWND control = GetDlgItem(dialog, id);
        Retype(dialog, id == kRemarkCombo ? ComboEdit(dialog, id) : control, text);
    }

    // Types both patterns and presses the search button; returns when the list has the
    // focus again with its first line current.
    void Search(HWND dialog, const std::string& word, const std::string& meaning)
    {
        Retype(dialog, kWordPattern, word);
        Retype(dialog, kMeaningPattern, meaning);
        ASSERT_TRUE(PollUntil(5000, [&] { return IsEnabled(dialog, kSearchButton); }))
            << "the search button stays disabled with a pattern typed";
        ASSERT_TRUE(Press(dialog, kSearchButton));
        HWND list = GetDlgItem(dialog, kList);
        ASSERT_TRUE(PollUntil(10000, [&] { return FocusOf(dialog) == list; }))
            << "the search gave the list no focus";
        EXPECT_EQ(CurrentLine(dialog), 0);
    }

    // Clicks line `line` of the list, as the learner picks a word.
    void Pick(HWND dialog, int line)
    {
        HWND list = GetDlgItem(dialog, kList);
        int height = static_cast<int>(Ask(list, LB_GETITEMHEIGHT));
        int top = static_cast<int>(Ask(list, LB_GETTOPINDEX));
        ASSERT_GT(height, 0);
        ASSERT_TRUE(ClickAt(list, 10, (line - top) * height + height / 2));
        ASSERT_TRUE(PollUntil(5000, [&] {
            return CurrentLine(dialog) == line && FocusOf(dialog) == list;
        })) << "line " << line << " was not picked";
    }

    // Waits until the details show `expected`; the notifications run in the program's own
    // time.
    void ExpectDetails(HWND dialog, const Details& expected)
    {
        Details shown;
        PollUntil(5000, [&] { return (shown = ReadDetails(dialog)) == expected; });
        EXPECT_EQ(shown, expected);
    }

    // The Yes/No question that `dialog` asks, answered with `answer`.
    void Answer(HWND dialog, const wchar_t* caption, const std::string& text, int answer)
    {
        HWND box = Dialog(caption);
        ASSERT_NE(box, nullptr);
        e2e::MessageBoxView view = e2e::ReadMessageBox(box);
        EXPECT_EQ(U8(view.text), text);
        EXPECT_EQ(view.buttons, (std::vector<int>{IDYES, IDNO}));
        EXPECT_TRUE(view.hasIcon);
        EXPECT_EQ(view.owner, dialog) << "owned by the search dialog";
        ASSERT_TRUE(e2e::ClickButton(box, answer));
        EXPECT_TRUE(e2e::WaitUntilGone(box));
    }

    void ExpectTooLongBox(HWND dialog)
    {
        HWND box = Dialog(L"エラー");
        ASSERT_NE(box, nullptr);
        e2e::MessageBoxView view = e2e::ReadMessageBox(box);
        EXPECT_EQ(U8(view.text), "データが長すぎます。");
        EXPECT_EQ(view.buttons, std::vector<int>{IDOK});
        EXPECT_EQ(view.owner, dialog) << "owned by the search dialog";
        IconLook look = WaitForIconLook(box);
        EXPECT_EQ(look, IconLook::Red) << "icon looks " << IconLookName(look);
        ASSERT_TRUE(e2e::ClickButton(box, IDOK));
        EXPECT_TRUE(e2e::WaitUntilGone(box));
    }

    // Answers questions wrongly by typing q over the hint; returns each asked word's text.
    std::vector<std::string> AnswerWrongly(const std::vector<Word>& words, int times)
    {
        std::vector<std::string> asked;
        for (int n = 0; n < times; ++n) {
            HWND question = DoubleClick();
            if (question == nullptr)
                return asked;
            std::string meaning = U8(e2e::ControlText(question, 1002));
            const Word* word = nullptr;
            for (const Word& w : words) {
                if (w.explain2 == meaning)
                    word = &w;
            }
            EXPECT_NE(word, nullptr) << "unknown word asked: " << meaning;
            if (word == nullptr)
                return asked;
            std::string typed(word->word.size(), 'q');
            TypeAnswer(question, typed, typed);
            EXPECT_TRUE(Press(question, IDOK));
            ExpectVerdictBox(question, "不正解！正解は\"" + word->word + "\"です。", IconLook::Red);
            EXPECT_TRUE(e2e::WaitUntilGone(question));
            asked.push_back(word->word);
        }
        return asked;
    }
};

// ---- Searching ----

TEST_F(SearchE2E, OpensEmptyWithTheSearchFieldsAndHelp)
{
    StartWith(Book(), {});
    HWND dialog = OpenSearch();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), tray_) << "owned by the tray window";
    EXPECT_TRUE(ListLines(dialog).empty());
    Details shown = ReadDetails(dialog);
    EXPECT_EQ(shown.word + shown.explain1 + shown.explain2 + shown.remark + shown.status, "");
    for (int id : {kModifyButton, kClearButton, kDeleteButton, kCheckOnlyBox, kRemarkCombo})
        EXPECT_FALSE(IsEnabled(dialog, id)) << "control " << id;
    for (int id : {kWordField, kExplain1Field, kExplain2Field})
        EXPECT_TRUE(IsReadOnlyEdit(dialog, id)) << "control " << id;
    EXPECT_TRUE(IsShown(dialog, kWordPattern));
    EXPECT_TRUE(IsShown(dialog, kMeaningPattern));
    EXPECT_TRUE(IsShown(dialog, kSearchButton));
    EXPECT_EQ(Text(dialog, kSearchButton), "検索実行");
    EXPECT_FALSE(IsEnabled(dialog, 1029)) << "the glyph display never takes input";
    // (The scroll bar's style bit comes and goes with the need for it.)
    LONG listStyle = GetWindowLongW(GetDlgItem(dialog, kList), GWL_STYLE);
    EXPECT_EQ(listStyle & (LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_SORT),
              LBS_NOTIFY | LBS_NOINTEGRALHEIGHT);
    EXPECT_EQ(HelpText(dialog),
              "検索語欄・意味欄には\"Vok*\"や\"Voka?u\"のように、\"*\"や\"?\"のワイルドカード指定が"
              "利用できます。\n\"*\"は任意の文字列、\"?\"は任意の１文字を意味します。\n検索は、検索"
              "語と意味のOR条件で行います。特に指定しない場合は空欄にしてください。");

    // Centred on the screen.
    RECT r;
    GetWindowRect(dialog, &r);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2);
    Shot(L"search-dialog-empty");

    // The search button works only while a pattern is typed.
    Retype(dialog, kWordPattern, "p");
    EXPECT_TRUE(PollUntil(5000, [&] { return IsEnabled(dialog, kSearchButton); }));
    Retype(dialog, kWordPattern, "");
    EXPECT_TRUE(PollUntil(5000, [&] { return !IsEnabled(dialog, kSearchButton); }));
    Retype(dialog, kMeaningPattern, "*");
    EXPECT_TRUE(PollUntil(5000, [&] { return IsEnabled(dialog, kSearchButton); }));
    Close(dialog);
}

TEST_F(SearchE2E, PatternsListMatchingWordsInBookOrderEachOnce)
{
    StartWith(Book(), {});
    HWND dialog = OpenSearch();
    ASSERT_NE(dialog, nullptr);

    struct Case {
        const char* word;
        const char* meaning;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"p*", "", {"pear", "peach", "plum"}},
        {"", "*", {"pear", "apple", "peach", "banana", "plum"}},
        {"pe*", "果物", {"pear", "apple", "peach"}},  // pear matches both, listed once
        {"", "*果物", {"pear", "apple"}},               // no backtracking past 黄
        {"zzz", "", {kNoMatch}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("word \"") + c.word + "\", meaning \"" + c.meaning + "\"");
        Search(dialog, c.word, c.meaning);
        EXPECT_EQ(ListLines(dialog), c.lines);
    }
    Close(dialog);
}

TEST_F(SearchE2E, NoMatchLineEmptiesTheDetails)
{
    std::vector<Word> book = Book();
    StartWith(book, {});
    HWND dialog = OpenSearch();
    ASSERT_NE(dialog, nullptr);

    Search(dialog, "", "*");
    ExpectDetails(dialog, ShownWord(book[0], 0));
    Search(dialog, "kiwi", "");
    ASSERT_EQ(ListLines(dialog), std::vector<std::string>{kNoMatch});
    ExpectDetails(dialog, EmptyDetails(false));
    Pick(dialog, 0);
    ExpectDetails(dialog, EmptyDetails(false));
    Close(dialog);
}

TEST_F(SearchE2E, PickingAWordShowsItsFieldsAndStatusLine)
{
    std::vector<Word> book = Book();
    StartWith(book, {});
    HWND dialog = OpenSearch();
    ASSERT_NE(dialog, nullptr);

    Search(dialog, "", "*");
    // The search itself shows the first line's word.
    ExpectDetails(dialog, ShownWord(book[0], 0));
    EXPECT_EQ(Text(dialog, kStatusLine), "正解数：1　不正解数：2（正解率33.33％）　確認数：0\n本日の不正解数：0");
    Shot(L"search-dialog-word");

    const int order[] = {1, 2, 3, 4, 0};
    for (int line : order) {
        SCOPED_TRACE(book[line].word);
        Pick(dialog, line);
        ExpectDetails(dialog, ShownWord(book[line], 0));
    }
    Pick(dialog, 1);
    EXPECT_EQ(Text(dialog, kStatusLine), "正解数：0　不正解数：0（正解率0.00％）　確認数：3\n本日の不正解数：0");
    Close(dialog);
}

// ---- Changing words and saving ----

TEST_F(SearchE2E, ModifyClearAndDeleteChangeTheBookSavedOnceOnClosing)
{
    std::vector<Word> book = Book();
    StartWith(book, {});
    const std::string original = e2e::ReadBytes(wordFile_);
    HWND dialog = OpenSearch();
    ASSERT_NE(dialog, nullptr);
    Search(dialog, "", "*");

    // Modify peach: new texts, check-only on; the list line follows the new word.
    Pick(dialog, 2);
    Retype(dialog, kWordField, "nectarine");
    Retype(dialog, kExplain1Field, "ネクタリン");
    Retype(dialog, kRemarkCombo, "果樹");
    ASSERT_TRUE(Press(dialog, kCheckOnlyBox));
    ASSERT_TRUE(PollUntil(5000, [&] { return IsChecked(dialog, kCheckOnlyBox); }));
    ASSERT_TRUE(Press(dialog, kModifyButton));
    Answer(dialog, L"上書き確認",
           "\"peach\"の内容を表示されている状態に書き換えます。よろしいですか？", IDYES);
    EXPECT_TRUE(PollUntil(5000, [&] { return ListLines(dialog)[2] == "nectarine"; }));
    EXPECT_EQ(ListLines(dialog),
              (std::vector<std::string>{"pear", "apple", "nectarine", "banana", "plum"}));
    EXPECT_EQ(CurrentLine(dialog), 2) << "the new line stays selected";
    EXPECT_EQ(ReadComboSlots()[0], "果樹") << "the remark joins the history";
    book[2].word = "nectarine";
    book[2].explain1 = "ネクタリン";
    book[2].explain3 = "果樹";
    book[2].checkOnly = 1;
    Pick(dialog, 2);
    ExpectDetails(dialog, ShownWord(book[2], 0));

    // Clear pear's answers; No first leaves them.
    Pick(dialog, 0);
    ASSERT_TRUE(Press(dialog, kClearButton));
    Answer(dialog, L"クリア確認", "\"pear\"の回答状況をクリアします。よろしいですか？", IDNO);
    ExpectDetails(dialog, ShownWord(book[0], 0));
    ASSERT_TRUE(Press(dialog, kClearButton));
    Answer(dialog, L"クリア確認", "\"pear\"の回答状況をクリアします。よろしいですか？", IDYES);
    book[0].right = book[0].wrong = book[0].check = 0;
    ExpectDetails(dialog, ShownWord(book[0], 0));
    EXPECT_EQ(Text(dialog, kStatusLine), StatusText(0, 0, "0.00", 0, 0));

    // Delete banana: the line goes, nothing is current, the details empty.
    Pick(dialog, 3);
    ASSERT_TRUE(Press(dialog, kDeleteButton));
    Answer(dialog, L"単語の削除確認", "単語\"banana\"を削除します。よろしいですか？", IDYES);
    EXPECT_TRUE(PollUntil(5000, [&] { return ListLines(dialog).size() == 4; }));
    EXPECT_EQ(ListLines(dialog), (std::vector<std::string>{"pear", "apple", "nectarine", "plum"}));
    EXPECT_EQ(CurrentLine(dialog), LB_ERR);
    ExpectDetails(dialog, EmptyDetails(false));
    book.erase(book.begin() + 3);

    // Nothing reaches the file while the dialog is open; closing saves once, behind the
    // backup of the file as it was.
    EXPECT_EQ(e2e::ReadBytes(wordFile_), original);
    EXPECT_FALSE(e2e::FileExists(Backup()));
    Close(dialog);
    EXPECT_TRUE(PollUntil(10000, [&] { return e2e::ReadBytes(wordFile_) == Lines(book); }))
        << "the word file was not saved after the changes";
    ExpectWordFile(book);
    EXPECT_EQ(e2e::ReadBytes(Backup()), original) << "the backup is the file before the one save";

    // A deleted word is found no more.
    dialog = OpenSearch();
    ASSERT_NE(dialog, nullptr);
    Search(dialog, "banana", "");
    EXPECT_EQ(ListLines(dialog), std::vector<std::string>{kNoMatch});
    Close(dialog);
}

TEST_F(SearchE2E, ClosingWithoutChangesDoesNotSave)
{
    std::vector<Word> book = Book();
    StartWith(book, {});
    const std::string original = e2e::ReadBytes(wordFile_);
    HWND dialog = OpenSearch();
    ASSERT_NE(dialog, nullptr);
    Search(dialog, "", "*");
    Pick(dialog, 1);
    // Questions answered No change nothing.
    ASSERT_TRUE(Press(dialog, kModifyButton));
    Answer(dialog, L"上書き確認",
           "\"apple\"の内容を表示されている状態に書き換えます。よろしいですか？", IDNO);
    ASSERT_TRUE(Press(dialog, kDeleteButton));
    Answer(dialog, L"単語の削除確認", "単語\"apple\"を削除します。よろしいですか？", IDNO);
    EXPECT_EQ(ListLines(dialog).size(), book.size());
    Close(dialog);
    EXPECT_TRUE(NoDialogFor(program_, 1500));
    EXPECT_FALSE(e2e::FileExists(Backup())) << "no save ran";
    EXPECT_EQ(e2e::ReadBytes(wordFile_), original);
}

TEST_F(SearchE2E, TooLongFieldStopsModifyKeepingTheFieldsBeforeIt)
{
    std::vector<Word> book = Book();
    StartWith(book, {});
    HWND dialog = OpenSearch();
    ASSERT_NE(dialog, nullptr);
    Search(dialog, "pear", "");
    ASSERT_EQ(ListLines(dialog), std::vector<std::string>{"pear"});

    // A 63-byte word: refused before anything is stored.
    Retype(dialog, kWordField, std::string(63, 'w'));
    ASSERT_TRUE(Press(dialog, kModifyButton));
    Answer(dialog, L"上書き確認",
           "\"pear\"の内容を表示されている状態に書き換えます。よろしいですか？", IDYES);
    ExpectTooLongBox(dialog);
    Pick(dialog, 0);
    ExpectDetails(dialog, ShownWord(book[0], 0));  // the record is unchanged

    // A good word but a 127-byte first meaning: the word is stored, the rest is not, the
    // list keeps the old text.
    Retype(dialog, kWordField, "pears");
    Retype(dialog, kExplain1Field, std::string(127, 'm'));
    ASSERT_TRUE(Press(dialog, kCheckOnlyBox));
    ASSERT_TRUE(Press(dialog, kModifyButton));
    Answer(dialog, L"上書き確認",
           "\"pear\"の内容を表示されている状態に書き換えます。よろしいですか？", IDYES);
    ExpectTooLongBox(dialog);
    EXPECT_EQ(ListLines(dialog), std::vector<std::string>{"pear"});
    EXPECT_EQ(Text(dialog, kWordField), "pears") << "the fields keep what was typed";
    // The line's text is no record's word any more.
    Pick(dialog, 0);
    ExpectDetails(dialog, EmptyDetails(true));
    Search(dialog, "pear*", "");
    EXPECT_EQ(ListLines(dialog), std::vector<std::string>{"pears"});
    book[0].word = "pears";
    ExpectDetails(dialog, ShownWord(book[0], 0));

    // Neither attempt counted as a change: closing does not save.
    Close(dialog);
    EXPECT_TRUE(NoDialogFor(program_, 1500));
    EXPECT_FALSE(e2e::FileExists(Backup()));
    Exit();
    ExpectWordFile(book);
}

// ---- Today's wrong words ----

TEST_F(SearchE2E, WrongWordsModeListsTheWordsMissedSinceStartUp)
{
    std::vector<Word> book(3);
    book[0] = {"lemon", "レモン", "柑橘1", "", 2, 0, 0, 0, ""};
    book[1] = {"melon", "メロン", "瓜2", "", 0, 0, 0, 0, ""};
    book[2] = {"grape", "ぶどう", "房3", "", 1, 1, 0, 0, ""};
    StartWith(book, {});

    // Nothing missed yet: one message line that picks nothing.
    HWND dialog = OpenWrongWords();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ListLines(dialog), std::vector<std::string>{kNoWrongWords});
    Pick(dialog, 0);
    ExpectDetails(dialog, EmptyDetails(false));
    Close(dialog);

    std::vector<std::string> asked = AnswerWrongly(book, 4);
    ASSERT_EQ(asked.size(), 4u);
    std::vector<std::string> firstMissed;
    for (const std::string& word : asked) {
        bool seen = false;
        for (const std::string& listed : firstMissed)
            seen = seen || listed == word;
        if (!seen)
            firstMissed.push_back(word);
    }

    dialog = OpenWrongWords();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), tray_);
    EXPECT_FALSE(IsShown(dialog, kWordPattern));
    EXPECT_FALSE(IsShown(dialog, kMeaningPattern));
    EXPECT_FALSE(IsShown(dialog, kSearchButton));
    RECT window, list;
    GetWindowRect(dialog, &window);
    GetWindowRect(GetDlgItem(dialog, kList), &list);
    EXPECT_EQ(window.bottom - window.top, list.bottom - list.top + 45)
        << "the window ends just below the list";
    Shot(L"wrong-words");
    ASSERT_EQ(ListLines(dialog), firstMissed);

    for (int line = 0; line < static_cast<int>(firstMissed.size()); ++line) {
        SCOPED_TRACE(firstMissed[line]);
        Word expected;
        for (const Word& w : book) {
            if (w.word == firstMissed[line])
                expected = w;
        }
        int today = 0;
        for (const std::string& word : asked)
            today += word == expected.word ? 1 : 0;
        expected.wrong += today;
        Pick(dialog, line);
        ExpectDetails(dialog, ShownWord(expected, today));
    }
    Close(dialog);
    EXPECT_TRUE(NoDialogFor(program_, 1000));
    EXPECT_FALSE(e2e::FileExists(Backup())) << "the wrong-words list saves nothing";
}

} // namespace
