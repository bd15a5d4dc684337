// Shared driving code of the tray, question and word-entry end-to-end tests: a fixture that
// runs vokaru.exe from a scratch folder with a word file and settings of the test's own, and
// the reading and typing that the harness leaves to its callers (selections, check boxes,
// combo lists, icon colours, Ctrl+Z through the real keyboard state).
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/e2e/harness.h"

namespace drill_e2e {

inline std::string Cp932(const std::string& utf8) { return e2e::Cp932FromUtf8(utf8); }
inline std::string U8(const std::wstring& wide) { return e2e::Utf8FromWide(wide); }
inline std::wstring W(const std::string& utf8) { return e2e::WideFromUtf8(utf8); }

// Polls `ready` every 50 ms until it gives true or `ms` have passed.
inline bool PollUntil(DWORD ms, const std::function<bool()>& ready)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (ready())
            return true;
        if (GetTickCount() - start >= ms)
            return false;
        Sleep(50);
    }
}

// ---- Word file lines, as the program writes them (no field here needs quoting) ----

struct Word {
    std::string word, explain1, explain2, explain3;
    int right = 0, wrong = 0, check = 0, checkOnly = 0;
    std::string pronunce;
};

inline std::string Line(const Word& w)
{
    return Cp932(w.word + "," + w.explain1 + "," + w.explain2 + "," + w.explain3 + "," +
                 std::to_string(w.right) + "," + std::to_string(w.wrong) + "," +
                 std::to_string(w.check) + "," + std::to_string(w.checkOnly) + "," + w.pronunce) +
           "\r\n";
}

inline std::string Lines(const std::vector<Word>& words)
{
    std::string text;
    for (const Word& w : words)
        text += Line(w);
    return text;
}

// ---- Windows of the program ----

inline std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

// The visible dialogs and message boxes (class #32770) of the process.
inline std::vector<HWND> VisibleDialogs(DWORD pid)
{
    struct Search {
        DWORD pid;
        std::vector<HWND> found;
    } search{pid, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->pid && IsWindowVisible(window) && ClassOf(window) == L"#32770")
                s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline bool StartsWith(const std::wstring& text, const std::wstring& start)
{
    return text.compare(0, start.size(), start) == 0;
}

const wchar_t kQuestionCaptionStart[] = L"正しい単語を入力してください(";
const wchar_t kCheckCaptionStart[] = L"単語の確認モード(";

inline bool IsQuestionCaption(const std::wstring& caption)
{
    return StartsWith(caption, kQuestionCaptionStart) || StartsWith(caption, kCheckCaptionStart);
}

inline HWND FindDialogWhere(const e2e::Program& program,
                            const std::function<bool(const std::wstring&)>& captionFits)
{
    if (!program.running)
        return nullptr;
    for (HWND window : VisibleDialogs(program.info.dwProcessId)) {
        if (captionFits(e2e::WindowText(window)))
            return window;
    }
    return nullptr;
}

// The question dialog (question or check mode), once it shows.
inline HWND FindQuestion(const e2e::Program& program)
{
    return FindDialogWhere(program, IsQuestionCaption);
}

inline HWND WaitForQuestion(const e2e::Program& program, DWORD ms = e2e::kWaitMs)
{
    HWND dialog = nullptr;
    PollUntil(ms, [&] {
        return (dialog = FindQuestion(program)) != nullptr || e2e::HasExited(program);
    });
    return dialog;
}

// True when no question dialog shows during the whole of `ms`.
inline bool NoQuestionFor(const e2e::Program& program, DWORD ms)
{
    return !PollUntil(ms, [&] { return FindQuestion(program) != nullptr; });
}

// True when no dialog of any kind shows during the whole of `ms`.
inline bool NoDialogFor(const e2e::Program& program, DWORD ms)
{
    return !PollUntil(ms, [&] { return !VisibleDialogs(program.info.dwProcessId).empty(); });
}

// ---- Reading controls ----

inline LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
}

// The selection of an edit control as (start, end).
inline std::pair<int, int> Selection(HWND edit)
{
    LRESULT packed = Ask(edit, EM_GETSEL);
    return {LOWORD(packed), HIWORD(packed)};
}

inline bool WaitForSelection(HWND edit, int start, int end, DWORD ms = 5000)
{
    return PollUntil(ms, [&] { return Selection(edit) == std::make_pair(start, end); });
}

inline bool IsShown(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    return control != nullptr && IsWindowVisible(control);
}

inline bool IsChecked(HWND dialog, int id)
{
    return Ask(GetDlgItem(dialog, id), BM_GETCHECK) == BST_CHECKED;
}

inline bool IsReadOnlyEdit(HWND dialog, int id)
{
    return (GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & ES_READONLY) != 0;
}

// The edit box inside a drop-down combo box.
inline HWND ComboEdit(HWND dialog, int id)
{
    return FindWindowExW(GetDlgItem(dialog, id), nullptr, L"Edit", nullptr);
}

inline std::vector<std::string> ComboItems(HWND dialog, int id)
{
    HWND combo = GetDlgItem(dialog, id);
    std::vector<std::string> items;
    LRESULT count = Ask(combo, CB_GETCOUNT);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = Ask(combo, CB_GETLBTEXTLEN, i);
        std::vector<wchar_t> text(static_cast<std::size_t>(length < 0 ? 0 : length) + 1, L'\0');
        Ask(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        items.push_back(U8(text.data()));
    }
    return items;
}

// ---- Icons of message boxes, told apart by their colours on the screen ----

enum class IconLook { None, Red, Yellow, Other };

inline const char* IconLookName(IconLook look)
{
    switch (look) {
    case IconLook::None: return "none";
    case IconLook::Red: return "red (stop)";
    case IconLook::Yellow: return "yellow (exclamation)";
    default: return "other";
    }
}

// The screen's pixels in a rectangle (0x00RRGGBB, rows top to bottom); empty on failure.
inline std::vector<DWORD> CaptureScreen(int left, int top, int width, int height)
{
    std::vector<DWORD> pixels;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY);
    GdiFlush();
    if (bits != nullptr) {
        const auto* first = static_cast<const DWORD*>(bits);
        pixels.assign(first, first + static_cast<std::size_t>(width) * height);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Reads the pixels of a control from the screen and says which colour dominates it: the stop
// icon is a red disc, the exclamation icon a yellow triangle.
inline IconLook LookOfIcon(HWND control)
{
    if (control == nullptr || !IsWindowVisible(control))
        return IconLook::None;
    RECT r;
    GetWindowRect(control, &r);
    int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0)
        return IconLook::None;
    std::vector<DWORD> pixels = CaptureScreen(r.left, r.top, width, height);
    int red = 0, yellow = 0;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        int b = pixels[i] & 0xFF, g = (pixels[i] >> 8) & 0xFF, rr = (pixels[i] >> 16) & 0xFF;
        if (rr > 180 && g < 90 && b < 90)
            ++red;
        else if (rr > 180 && g > 160 && b < 110)
            ++yellow;
    }
    int enough = width * height / 20;
    if (red >= enough && red > yellow)
        return IconLook::Red;
    if (yellow >= enough && yellow > red)
        return IconLook::Yellow;
    return red + yellow == 0 ? IconLook::None : IconLook::Other;
}

// Waits until the box's icon has been drawn with a colour that tells it apart.
inline IconLook WaitForIconLook(HWND box, DWORD ms = 3000)
{
    IconLook look = IconLook::None;
    HWND icon = GetDlgItem(box, e2e::kMessageBoxIconId);
    PollUntil(ms, [&] {
        look = LookOfIcon(icon);
        return look == IconLook::Red || look == IconLook::Yellow;
    });
    return look;
}

// ---- Typing what the program reads with GetKeyState ----

// Ctrl+Z through the real keyboard (posted keys leave GetKeyState untouched): the dialog is
// brought to the foreground first, so the keys reach its focused control.
inline bool PressCtrlZ(HWND dialog)
{
    SetForegroundWindow(dialog);
    if (!PollUntil(3000, [&] { return GetForegroundWindow() == dialog; }))
        return false;
    INPUT keys[4] = {};
    const WORD vks[4] = {VK_CONTROL, 'Z', 'Z', VK_CONTROL};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = vks[i];
        keys[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
    }
    return SendInput(4, keys, sizeof(INPUT)) == 4;
}

// Presses a button the way a click does, without waiting for what the press opens (a sent
// BM_CLICK would block until a box opened by the press is closed).
inline bool Press(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    return button != nullptr && IsWindowVisible(button) && IsWindowEnabled(button) &&
           PostMessageW(button, BM_CLICK, 0, 0) != 0;
}

inline bool PostClose(HWND dialog)
{
    return PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0) != 0;
}

// ---- Registry: the remarks history ----

const wchar_t kComboKey[] = L"Software\\VOKARU\\ComboString";

inline std::wstring SlotName(int number)
{
    wchar_t name[16];
    std::swprintf(name, 16, L"Data%02d", number);
    return name;
}

// Data01 .. Data10 as stored, "(missing)" for a value that cannot be read.
inline std::vector<std::string> ReadComboSlots()
{
    std::vector<std::string> slots;
    HKEY key = nullptr;
    bool open = RegOpenKeyExW(HKEY_CURRENT_USER, kComboKey, 0, KEY_READ, &key) == ERROR_SUCCESS;
    for (int i = 1; i <= 10; ++i) {
        wchar_t text[256] = L"";
        DWORD size = sizeof text - sizeof(wchar_t);
        DWORD type = 0;
        if (open && RegQueryValueExW(key, SlotName(i).c_str(), nullptr, &type,
                                     reinterpret_cast<BYTE*>(text), &size) == ERROR_SUCCESS &&
            type == REG_SZ)
            slots.push_back(U8(text));
        else
            slots.push_back("(missing)");
    }
    if (open)
        RegCloseKey(key);
    return slots;
}

inline bool PutComboSlots(const std::vector<std::string>& texts)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kComboKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    bool ok = true;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        std::wstring text = W(texts[i]);
        ok = ok && RegSetValueExW(key, SlotName(static_cast<int>(i) + 1).c_str(), 0, REG_SZ,
                                  reinterpret_cast<const BYTE*>(text.c_str()),
                                  static_cast<DWORD>(text.size() * sizeof(wchar_t))) ==
                       ERROR_SUCCESS;
    }
    RegCloseKey(key);
    return ok;
}

// ---- The fixture: vokaru.exe in a scratch folder of its own ----

struct Setting {
    std::wstring name;
    std::wstring text;
};

class ProgramFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        name_ = W(std::string(info->test_suite_name()) + "." + info->name());
        folder_ = e2e::MakeScratchFolder(W(std::string(info->test_suite_name()) + "-" +
                                           info->name()));
        exe_ = e2e::JoinPath(folder_, L"vokaru.exe");
        wordFile_ = e2e::JoinPath(folder_, L"words.csv");
        std::wstring program = e2e::ProgramUnderTest();
        ASSERT_TRUE(CopyFileW(program.c_str(), exe_.c_str(), FALSE))
            << "cannot copy the program under test " << U8(program);
        e2e::ClearSettings();
    }

    void TearDown() override
    {
        if (HasFailure()) {
            std::printf("%s\n", e2e::DescribeWindows(program_).c_str());
            std::wstring shot = e2e::SaveFailureShot(name_);
            if (!shot.empty())
                std::printf("screenshot of the failure: %s\n", U8(shot).c_str());
        }
        e2e::StopProgram(&program_);
    }

    // A quiet learner: paused (no question unless asked for), first-letter-free hints, no
    // notice, one word per opening. Tests override what they are about.
    std::vector<Setting> QuietSettings(int dataCount) const
    {
        return {
            {L"DataFileName", wordFile_},
            {L"TimerInterval", L"600000"},
            {L"SoundFileName", L""},
            {L"Popup", L"1"},
            {L"DataCount", std::to_wstring(dataCount)},
            {L"Status", L"1"},
            {L"CorrectDialog", L"0"},
            {L"CorrectSoundFileName", L""},
            {L"WrongSoundFileName", L""},
            {L"ProblemPattern", L"3"},
            {L"ProblemTrend", L"1"},
            {L"ProblemContinue", L"1"},
            {L"ListingApp", L""},
        };
    }

    // Writes the word file and the settings (QuietSettings with `changes`), then starts.
    void StartWith(const std::vector<Word>& words, const std::vector<Setting>& changes)
    {
        if (!words.empty()) {
            ASSERT_TRUE(e2e::WriteBytes(wordFile_, Lines(words)));
        }
        std::vector<Setting> settings = QuietSettings(static_cast<int>(words.size()));
        for (const Setting& change : changes) {
            bool replaced = false;
            for (Setting& setting : settings) {
                if (setting.name == change.name) {
                    setting.text = change.text;
                    replaced = true;
                }
            }
            if (!replaced)
                settings.push_back(change);
        }
        for (const Setting& setting : settings)
            ASSERT_TRUE(e2e::PutSetting(setting.name, setting.text));
        ASSERT_TRUE(e2e::StartProgram(&program_, exe_, folder_));
        tray_ = e2e::WaitForTrayWindow(program_);
        ASSERT_NE(tray_, nullptr) << "no window of class Vokaru";
    }

    // Presses and releases a non-character key in the order a keyboard gives: the key goes
    // down, the program handles it (and the character it makes), then the key comes up.
    bool Key(HWND control, UINT virtualKey)
    {
        if (!PostMessageW(control, WM_KEYDOWN, virtualKey, 1))
            return false;
        WaitForInputIdle(program_.info.hProcess, 2000);
        Sleep(100);
        return PostMessageW(control, WM_KEYUP, virtualKey, 0xC0000001) != 0;
    }

    HWND DoubleClick()
    {
        EXPECT_TRUE(e2e::PostTrayMouse(tray_, WM_LBUTTONDBLCLK));
        HWND dialog = WaitForQuestion(program_);
        EXPECT_NE(dialog, nullptr) << "a double-click on the icon asks no question";
        return dialog;
    }

    HWND Dialog(const wchar_t* caption)
    {
        HWND dialog = e2e::WaitForDialog(program_, caption);
        EXPECT_NE(dialog, nullptr) << "no dialog captioned " << U8(caption);
        return dialog;
    }

    // Types over the answer box and waits until the box shows `expected`.
    void TypeAnswer(HWND dialog, const std::string& typed, const std::string& expected)
    {
        HWND answer = GetDlgItem(dialog, 1000);
        ASSERT_TRUE(e2e::TypeText(answer, W(typed)));
        ASSERT_TRUE(e2e::WaitForText(answer, W(expected), 5000))
            << "the answer box shows \"" << U8(e2e::WindowText(answer)) << "\", not \""
            << expected << "\"";
    }

    // Types into a control of word entry and waits until it shows `expected`.
    void TypeInto(HWND control, const std::string& typed, const std::string& expected)
    {
        ASSERT_NE(control, nullptr);
        ASSERT_TRUE(e2e::TypeText(control, W(typed)));
        ASSERT_TRUE(e2e::WaitForText(control, W(expected), 10000))
            << "the field shows \"" << U8(e2e::WindowText(control)) << "\", not \"" << expected
            << "\"";
    }

    // The box that the question dialog opens after an answer: its caption, text and icon.
    void ExpectVerdictBox(HWND dialog, const std::string& text, IconLook icon)
    {
        HWND box = Dialog(L"不正解");
        ASSERT_NE(box, nullptr);
        e2e::MessageBoxView view = e2e::ReadMessageBox(box);
        EXPECT_EQ(U8(view.text), text);
        EXPECT_EQ(view.buttons, std::vector<int>{IDOK});
        EXPECT_EQ(view.owner, dialog) << "owned by the question dialog";
        IconLook look = WaitForIconLook(box);
        EXPECT_EQ(look, icon) << "icon looks " << IconLookName(look) << ", expected "
                              << IconLookName(icon);
        ASSERT_TRUE(e2e::ClickButton(box, IDOK));
        EXPECT_TRUE(e2e::WaitUntilGone(box));
    }

    // A box owned by the tray window, answered with OK.
    void ExpectTrayBox(const wchar_t* caption, const std::string& text, bool icon)
    {
        HWND box = Dialog(caption);
        ASSERT_NE(box, nullptr);
        e2e::MessageBoxView view = e2e::ReadMessageBox(box);
        EXPECT_EQ(U8(view.text), text);
        EXPECT_EQ(view.buttons, std::vector<int>{IDOK});
        EXPECT_EQ(view.hasIcon, icon);
        EXPECT_EQ(view.owner, tray_) << "owned by the tray window";
        ASSERT_TRUE(e2e::ClickButton(box, IDOK));
        EXPECT_TRUE(e2e::WaitUntilGone(box));
    }

    // The report on this run (command 40006), read and closed.
    void ExpectTodayReport(int asked, int right, int wrong, int check)
    {
        ASSERT_TRUE(e2e::PostCommand(tray_, 40006));
        ExpectTrayBox(L"本日の状況",
                      "本日（今回起動時からの）問題状況\n　総出題数：" + std::to_string(asked) +
                          "\n　正解数：" + std::to_string(right) + "\n　不正解数：" +
                          std::to_string(wrong) + "\n　確認のみ行った問題数：" +
                          std::to_string(check),
                      false);
    }

    void Shot(const std::wstring& name)
    {
        Sleep(700); // let the desktop draw the window
        std::wstring shot = e2e::SaveRunShot(name);
        EXPECT_FALSE(shot.empty()) << "no screenshot " << U8(name);
        if (!shot.empty())
            std::printf("screenshot: %s\n", U8(shot).c_str());
    }

    // The menu command 終了 (99): the program saves and ends with exit code 0.
    void Exit()
    {
        ASSERT_TRUE(e2e::PostCommand(tray_, 99));
        DWORD code = 1;
        ASSERT_TRUE(e2e::WaitForExit(&program_, e2e::kWaitMs, &code)) << "the program still runs";
        EXPECT_EQ(code, 0u);
    }

    void ExpectWordFile(const std::vector<Word>& words)
    {
        std::string bytes = e2e::ReadBytes(wordFile_);
        EXPECT_EQ(e2e::Utf8FromCp932(bytes), e2e::Utf8FromCp932(Lines(words)));
        EXPECT_EQ(bytes, Lines(words));
    }

    std::wstring name_;
    std::wstring folder_;
    std::wstring exe_;
    std::wstring wordFile_;
    e2e::Program program_;
    HWND tray_ = nullptr;
};

// The caption of a question: the counts before the answer and one of the selection tags.
inline testing::AssertionResult CaptionIs(const std::wstring& caption, bool checkMode, int right,
                                          int wrong, std::vector<std::string> tags = {
                                                             "New", "Miss1", "Miss2", "Rnd"})
{
    std::string counts = "(正解数：" + std::to_string(right) + "　不正解数：" +
                         std::to_string(wrong) + ") ";
    for (const std::string& tag : tags) {
        std::string expected = checkMode ? "単語の確認モード" + counts + tag
                                         : "正しい単語を入力してください" + counts + tag + " ";
        if (U8(caption) == expected)
            return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << "caption \"" << U8(caption) << "\" is not " << (checkMode ? "the check" : "the question")
           << " caption with the counts " << right << ", " << wrong << " and a selection tag";
}

} // namespace drill_e2e
