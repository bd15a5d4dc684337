// The pronunciation editor seen from outside: composing a pronunciation with the symbol
// buttons in word entry and storing it with the word, Cancel and the close box leaving it as
// it was, the 62-character limit, and the show-only form that a question opens.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "tests/e2e/drill_e2e_support.h"

namespace {

using namespace drill_e2e;

const wchar_t kEditorCaption[] = L"発音";
const wchar_t kEntryCaption[] = L"単語の追加";

constexpr int kCodeField = 1000;
constexpr int kDisplay = 1029;
constexpr int kClear = 1030;
constexpr int kPronunciationButton = 1033;
constexpr int kStress = 20000;
constexpr int kTilde = 20001;

// Symbol button ids are 10000 plus the code's place in this row.
const char kCodeLetters[] = "aAbC:deE3fgGhiIjJklmnoOpQrRsStuvwxzZ/-()";

int SymbolButton(char code)
{
    return 10000 + static_cast<int>(std::strchr(kCodeLetters, code) - kCodeLetters);
}

// Pixels drawn in black (glyph ink) in part of a control's client area, as the screen
// shows it, with their bounding box in client coordinates.
struct Ink {
    int count = 0;
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
};

Ink InkIn(HWND control, RECT area)
{
    Ink ink;
    int width = area.right - area.left, height = area.bottom - area.top;
    if (control == nullptr || width <= 0 || height <= 0)
        return ink;
    POINT origin = {area.left, area.top};
    ClientToScreen(control, &origin);
    std::vector<DWORD> pixels = CaptureScreen(origin.x, origin.y, width, height);
    for (int y = 0; !pixels.empty() && y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            DWORD p = pixels[y * width + x];
            if ((p & 0xFF) < 60 && ((p >> 8) & 0xFF) < 60 && ((p >> 16) & 0xFF) < 60) {
                int cx = static_cast<int>(area.left) + x, cy = static_cast<int>(area.top) + y;
                ++ink.count;
                ink.left = std::min(ink.left, cx);
                ink.right = std::max(ink.right, cx);
                ink.top = std::min(ink.top, cy);
                ink.bottom = std::max(ink.bottom, cy);
            }
        }
    }
    return ink;
}

Ink InkOfClientArea(HWND control)
{
    RECT client = {};
    GetClientRect(control, &client);
    return InkIn(control, client);
}

// Waits until the glyph display has repainted to the state `fits` wants.
bool WaitForDisplayInk(HWND editor, const std::function<bool(const Ink&)>& fits, Ink* last)
{
    HWND display = GetDlgItem(editor, kDisplay);
    return PollUntil(5000, [&] {
        *last = InkOfClientArea(display);
        return fits(*last);
    });
}

std::string DescribeInk(const Ink& ink)
{
    return std::to_string(ink.count) + " ink pixels in x " + std::to_string(ink.left) + ".." +
           std::to_string(ink.right) + ", y " + std::to_string(ink.top) + ".." +
           std::to_string(ink.bottom);
}

HWND FocusOf(HWND window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info))
        return nullptr;
    return info.hwndFocus;
}

class PronunciationE2E : public ProgramFixture {
protected:
    HWND OpenWordEntry()
    {
        EXPECT_TRUE(e2e::PostCommand(tray_, 0));
        return Dialog(kEntryCaption);
    }

    // Presses button 1033 of `owner` (posted: the editor runs modally inside the press) and
    // checks that the editor drops down at the button's lower-left corner, moved left or up
    // only as far as the screen's right and bottom edges require.
    HWND OpenEditor(HWND owner)
    {
        EXPECT_TRUE(Press(owner, kPronunciationButton)) << "button 1033 cannot be pressed";
        HWND editor = Dialog(kEditorCaption);
        if (editor == nullptr)
            return nullptr;
        RECT button = {}, placed = {};
        GetWindowRect(GetDlgItem(owner, kPronunciationButton), &button);
        GetWindowRect(editor, &placed);
        int width = placed.right - placed.left, height = placed.bottom - placed.top;
        EXPECT_EQ(placed.left, std::min<LONG>(button.left, GetSystemMetrics(SM_CXSCREEN) - width));
        EXPECT_EQ(placed.top, std::min<LONG>(button.bottom, GetSystemMetrics(SM_CYSCREEN) - height));
        EXPECT_NE(GetWindowLongW(editor, GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << "top-most";
        EXPECT_EQ(GetWindow(editor, GW_OWNER), owner) << "owned by the dialog that opened it";
        return editor;
    }

    static std::string CodeText(HWND editor) { return U8(e2e::ControlText(editor, kCodeField)); }

    // Closes the editor with `id` (OK or Cancel) and waits for the focus to reach OK of
    // the dialog that opened it.
    void CloseEditor(HWND editor, HWND owner, int id)
    {
        ASSERT_TRUE(e2e::ClickButton(editor, id));
        ASSERT_TRUE(e2e::WaitUntilGone(editor));
        HWND ok = GetDlgItem(owner, IDOK);
        EXPECT_TRUE(PollUntil(5000, [&] { return FocusOf(owner) == ok; }))
            << "the focus goes back to OK";
    }

    struct Step {
        const char* what;
        int button;
        std::string text; // the code field afterwards, whole text selected
    };

    void ClickThrough(HWND editor, const std::vector<Step>& steps)
    {
        HWND field = GetDlgItem(editor, kCodeField);
        for (const Step& step : steps) {
            SCOPED_TRACE(step.what);
            // Only the caret before the click: the click itself must select the text.
            Ask(field, EM_SETSEL, 0, 0);
            ASSERT_TRUE(e2e::ClickButton(editor, step.button));
            EXPECT_EQ(CodeText(editor), step.text);
            int length = static_cast<int>(step.text.size());
            EXPECT_TRUE(WaitForSelection(field, 0, length))
                << "selection " << Selection(field).first << ".." << Selection(field).second;
        }
    }
};

// ---- Word entry: composing, storing, Cancel ----

TEST_F(PronunciationE2E, WordEntryComposesAPronunciationAndStoresItWithTheWord)
{
    const Word apple = {"apple", "りんご", "", "", 0, 0, 0, 0, "Qp(E)l"};
    StartWith({apple}, {});
    HWND entry = OpenWordEntry();
    ASSERT_NE(entry, nullptr);
    TypeInto(GetDlgItem(entry, 1000), "cat", "cat");
    TypeInto(GetDlgItem(entry, 1001), "ねこ", "ねこ");

    HWND editor = OpenEditor(entry);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(CodeText(editor), "");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(editor, kCodeField)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(editor, kClear)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(editor, kDisplay)));

    // Every symbol button with a face shows its glyph centred in a 32-pixel face from row
    // 4: æ (width 10) in columns 11 to 19, i (width 4) in columns 14 to 16.
    struct Face {
        char code;
        int left, right;
    } faces[] = {{'Q', 11, 19}, {'i', 14, 16}};
    for (const Face& face : faces) {
        HWND button = GetDlgItem(editor, SymbolButton(face.code));
        RECT client = {};
        GetClientRect(button, &client);
        RECT glyphRows = {3, 0, client.right - 3, 18}; // above the caption, inside the frame
        Ink ink;
        bool drawn = PollUntil(5000, [&] {
            ink = InkIn(button, glyphRows);
            return ink.count > 0;
        });
        EXPECT_TRUE(drawn) << "no glyph on the face of (" << face.code << ")";
        EXPECT_GE(ink.left, face.left) << face.code << ": " << DescribeInk(ink);
        EXPECT_LE(ink.right, face.right) << face.code << ": " << DescribeInk(ink);
        EXPECT_GE(ink.top, 4) << face.code << ": " << DescribeInk(ink);
    }

    ClickThrough(editor, {
        {"an accent on the empty text is refused", kStress, ""},
        {"(p)", SymbolButton('p'), "p"},
        {"(Q)", SymbolButton('Q'), "pQ"},
        {"the stress mark follows Q", kStress, "pQ'"},
        {"a second stress mark is refused", kStress, "pQ'"},
        {"a tilde after the stress mark is refused", kTilde, "pQ'"},
        {"(n)", SymbolButton('n'), "pQ'n"},
    });

    // Drawn from (2, 8): p, æ and n on the symbol row, the stress mark centred over æ 7
    // pixels higher (its stroke from row 2 of the icon, so from row 3 of the field).
    Ink ink;
    bool drawn = WaitForDisplayInk(editor, [](const Ink& i) { return i.count > 0; }, &ink);
    EXPECT_TRUE(drawn) << "the glyph display shows nothing";
    EXPECT_EQ(ink.top, 3) << DescribeInk(ink);
    EXPECT_GE(ink.left, 2) << DescribeInk(ink);
    EXPECT_LE(ink.right, 2 + 8 + 10 + 8 - 2) << DescribeInk(ink);
    EXPECT_LE(ink.bottom, 8 + 13) << DescribeInk(ink);
    Shot(L"pronunciation-editor");

    CloseEditor(editor, entry, IDOK);

    // The record holds the stored text: a new opening starts from it, and Cancel and the
    // close box drop whatever was changed meanwhile.
    editor = OpenEditor(entry);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(CodeText(editor), "pQ'n");
    ClickThrough(editor, {{"(/)", SymbolButton('/'), "pQ'n/"},
                          {"an accent may follow /", kTilde, "pQ'n/~"}});
    ASSERT_TRUE(e2e::ClickButton(editor, kClear));
    EXPECT_EQ(CodeText(editor), "");
    EXPECT_TRUE(WaitForDisplayInk(editor, [](const Ink& i) { return i.count == 0; }, &ink))
        << "the cleared display still shows " << DescribeInk(ink);
    CloseEditor(editor, entry, IDCANCEL);

    editor = OpenEditor(entry);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(CodeText(editor), "pQ'n") << "Cancel stored nothing";
    ClickThrough(editor, {{"(s)", SymbolButton('s'), "pQ'ns"}});
    ASSERT_TRUE(PostClose(editor));
    ASSERT_TRUE(e2e::WaitUntilGone(editor));

    editor = OpenEditor(entry);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(CodeText(editor), "pQ'n") << "the close box stored nothing";
    CloseEditor(editor, entry, IDCANCEL);

    // OK of word entry stores the word with the pronunciation; Cancel writes the file.
    ASSERT_TRUE(Press(entry, IDOK));
    ASSERT_TRUE(e2e::WaitForText(GetDlgItem(entry, 1000), L"")) << "the word was not stored";
    ASSERT_TRUE(Press(entry, IDCANCEL));
    ASSERT_TRUE(e2e::WaitUntilGone(entry));
    ExpectWordFile({apple, {"cat", "ねこ", "", "", 0, 0, 0, 0, "pQ'n"}});
}

TEST_F(PronunciationE2E, NothingBeyondTheSixtySecondCharacterIsAddedOrStored)
{
    StartWith({}, {});
    HWND entry = OpenWordEntry();
    ASSERT_NE(entry, nullptr);
    TypeInto(GetDlgItem(entry, 1000), "long", "long");
    HWND editor = OpenEditor(entry);
    ASSERT_NE(editor, nullptr);

    // Typed text may run past 62 characters; a click then adds nothing, and OK stores the
    // first 62.
    const std::string typed = std::string(61, 'a') + "bcd";
    TypeInto(GetDlgItem(editor, kCodeField), typed, typed);
    ClickThrough(editor, {{"(k) on a full text is refused", SymbolButton('k'), typed},
                          {"a stress mark on a full text is refused", kStress, typed}});
    CloseEditor(editor, entry, IDOK);
    editor = OpenEditor(entry);
    ASSERT_NE(editor, nullptr);
    const std::string stored = std::string(61, 'a') + "b";
    EXPECT_EQ(CodeText(editor), stored);
    ClickThrough(editor, {{"62 characters take no more", SymbolButton('k'), stored}});
    ASSERT_TRUE(e2e::ClickButton(editor, kClear));
    ClickThrough(editor, {{"a cleared text takes a symbol again", SymbolButton('k'), "k"}});
    CloseEditor(editor, entry, IDCANCEL);

    ASSERT_TRUE(Press(entry, IDOK));
    ASSERT_TRUE(e2e::WaitForText(GetDlgItem(entry, 1000), L"")) << "the word was not stored";
    ASSERT_TRUE(Press(entry, IDCANCEL));
    ASSERT_TRUE(e2e::WaitUntilGone(entry));
    ExpectWordFile({{"long", "", "", "", 0, 0, 0, 0, stored}});
}

// ---- Question mode: show only ----

TEST_F(PronunciationE2E, QuestionWithoutPronunciationHasTheButtonDisabled)
{
    StartWith({{"cat", "ねこ", "", "", 0, 0, 0, 0, ""}}, {});
    HWND question = DoubleClick();
    ASSERT_NE(question, nullptr);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(question, kPronunciationButton)));
    EXPECT_FALSE(Press(question, kPronunciationButton)) << "a disabled button takes no click";
}

TEST_F(PronunciationE2E, QuestionShowsThePronunciationInTheShowOnlyForm)
{
    const Word apple = {"apple", "りんご", "", "", 0, 0, 0, 0, "Q'p(E)l"};
    StartWith({apple}, {});
    HWND question = DoubleClick();
    ASSERT_NE(question, nullptr);
    ASSERT_TRUE(IsWindowEnabled(GetDlgItem(question, kPronunciationButton)));

    HWND editor = OpenEditor(question);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(CodeText(editor), "Q'p(E)l");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(editor, kCodeField)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(editor, kClear)));
    // Cut down to the glyph display: its outer size plus 80 by 40 pixels.
    RECT display = {}, window = {};
    GetWindowRect(GetDlgItem(editor, kDisplay), &display);
    GetWindowRect(editor, &window);
    EXPECT_EQ(window.right - window.left, display.right - display.left + 80);
    EXPECT_EQ(window.bottom - window.top, display.bottom - display.top + 40);
    EXPECT_LE(display.right, window.right) << "the display is cut off";
    EXPECT_LE(display.bottom, window.bottom) << "the display is cut off";

    Ink ink;
    bool drawn = WaitForDisplayInk(editor, [](const Ink& i) { return i.count > 0; }, &ink);
    EXPECT_TRUE(drawn) << "the glyph display shows nothing";
    EXPECT_EQ(ink.top, 3) << "stress mark over the first symbol: " << DescribeInk(ink);
    Shot(L"pronunciation-show-only");

    // Closed with the close box, Esc or Enter; Enter runs OK, which stores the same text
    // back. The keys go to OK, the first control that takes the focus in this form.
    ASSERT_TRUE(PostClose(editor));
    ASSERT_TRUE(e2e::WaitUntilGone(editor));
    for (UINT key : {VK_ESCAPE, VK_RETURN}) {
        SCOPED_TRACE(key == VK_ESCAPE ? "Esc" : "Enter");
        editor = OpenEditor(question);
        ASSERT_NE(editor, nullptr);
        HWND ok = GetDlgItem(editor, IDOK);
        ASSERT_TRUE(PollUntil(5000, [&] { return FocusOf(editor) == ok; }))
            << "the focus is not on OK";
        ASSERT_TRUE(e2e::PressKey(ok, key));
        ASSERT_TRUE(e2e::WaitUntilGone(editor));
    }
    editor = OpenEditor(question);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(CodeText(editor), "Q'p(E)l");
    CloseEditor(editor, question, IDCANCEL);
}

} // namespace
