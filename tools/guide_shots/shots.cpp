// The guide's screenshots: the real program run from a folder C:\Vokaru as a learner has
// it, driven through each window the guide shows, with a full-screen picture and the
// rectangle to cut out for every shot.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/guide_shots/driver.h"

namespace guide {

namespace {

const wchar_t kFolder[] = L"C:\\Vokaru";

std::wstring g_exe;
std::wstring g_outDir;
std::string g_rects; // the lines of shots.txt
int g_failures = 0;

// Reports a step that did not go as planned; the run goes on, so one broken dialog does
// not cost the other pictures.
bool Check(bool ok, const char* what)
{
    if (!ok) {
        std::printf("FAIL: %s\n", what);
        ++g_failures;
    }
    return ok;
}

RECT RectOf(HWND window)
{
    RECT r = {0, 0, 0, 0};
    if (window != nullptr)
        GetWindowRect(window, &r);
    return r;
}

RECT Union(const RECT& a, const RECT& b)
{
    RECT u;
    UnionRect(&u, &a, &b);
    return u;
}

// Saves the whole screen and notes the rectangle to cut out of it.
void Shot(const char* name, const RECT& rect)
{
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT cut;
    if (!Check(IntersectRect(&cut, &rect, &screen) != FALSE, name))
        return;
    Sleep(900); // let the desktop draw the window and its caret
    std::wstring path = g_outDir + L"/raw/" + W(name) + L".png";
    if (!Check(e2e::SaveScreenshot(path), name))
        return;
    char line[160];
    std::snprintf(line, sizeof line, "%s %ld %ld %ld %ld\n", name, cut.left, cut.top,
                  cut.right - cut.left, cut.bottom - cut.top);
    g_rects += line;
    std::printf("shot %s", line);
}

// Makes the window the active one, as it is for a learner who has just opened it: asked
// for first, and if the desktop refuses a request from another program, by a click on
// its caption. Wine may leave the caption of a window that became active while the
// program was busy drawn as inactive; being active, it is told to draw itself so.
void Activate(HWND window)
{
    SetForegroundWindow(window);
    if (!PollUntil(500, [&] { return GetForegroundWindow() == window; })) {
        RECT r = RectOf(window);
        POINT old;
        GetCursorPos(&old);
        SetCursorPos((r.left + r.right) / 2, r.top + GetSystemMetrics(SM_CYCAPTION) / 2 + 2);
        INPUT clicks[2] = {};
        clicks[0].type = clicks[1].type = INPUT_MOUSE;
        clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, clicks, sizeof(INPUT));
        PollUntil(2000, [&] { return GetForegroundWindow() == window; });
        SetCursorPos(old.x, old.y);
    }
    if (GetForegroundWindow() == window) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(window, WM_NCACTIVATE, TRUE, 0, SMTO_ABORTIFHUNG, 5000, &result);
    } else {
        std::printf("note: \"%s\" stays inactive\n", U8(e2e::WindowText(window)).c_str());
    }
}

// A dialog in the picture is drawn active, as the learner sees it when it pops up.
void Shot(const char* name, HWND window)
{
    Activate(window);
    Shot(name, RectOf(window));
}

// ---- The program in C:\Vokaru ----

struct Session {
    e2e::Program program;
    HWND tray = nullptr;
};

void EmptyFolder()
{
    CreateDirectoryW(kFolder, nullptr);
    for (const std::wstring& name : e2e::FolderNames(kFolder)) {
        std::wstring path = e2e::JoinPath(kFolder, name);
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
    }
}

bool PutRemarks(const std::vector<std::string>& remarks)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\VOKARU\\ComboString", 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    for (int i = 0; i < 10; ++i) {
        wchar_t name[16];
        std::swprintf(name, 16, L"Data%02d", i + 1);
        std::wstring text = i < static_cast<int>(remarks.size()) ? W(remarks[i]) : L"*Non*";
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() * sizeof(wchar_t)));
    }
    RegCloseKey(key);
    return true;
}

// Puts the program and its word file (and backup, if any) into C:\Vokaru with a registry
// that holds only `settings`, and starts it there.
bool Start(Session* session, const std::string& book, const std::string* backup,
           const std::vector<Setting>& settings)
{
    EmptyFolder();
    std::wstring exe = e2e::JoinPath(kFolder, L"vokaru.exe");
    if (!Check(CopyFileW(g_exe.c_str(), exe.c_str(), FALSE) != 0, "copy vokaru.exe"))
        return false;
    Check(e2e::WriteBytes(e2e::JoinPath(kFolder, L"tango.csv"), book), "write tango.csv");
    if (backup != nullptr)
        Check(e2e::WriteBytes(e2e::JoinPath(kFolder, L"tango.bak"), *backup), "write tango.bak");
    e2e::ClearSettings();
    for (const Setting& setting : settings)
        e2e::PutSetting(setting.name, setting.text);
    if (!Check(e2e::StartProgram(&session->program, exe, kFolder), "start vokaru.exe"))
        return false;
    session->tray = e2e::WaitForTrayWindow(session->program);
    return Check(session->tray != nullptr, "the tray window appears");
}

// Ends the program through its menu command 終了, or stops it.
void Finish(Session* session)
{
    if (session->tray != nullptr && !e2e::HasExited(session->program)) {
        e2e::PostCommand(session->tray, 99);
        DWORD code = 1;
        Check(e2e::WaitForExit(&session->program, e2e::kWaitMs, &code), "the program ends");
    }
    e2e::StopProgram(&session->program);
}

HWND Dialog(const Session& session, const wchar_t* caption)
{
    HWND dialog = e2e::WaitForDialog(session.program, caption);
    std::string what = "a window captioned " + U8(caption);
    Check(dialog != nullptr, what.c_str());
    return dialog;
}

void CloseBox(HWND box, int id)
{
    if (box != nullptr && Press(box, id))
        e2e::WaitUntilGone(box);
}

// ---- Questions ----

// The drill session's word book; the first word is the one the pictures ask. Every other
// word has been answered more often, so the selection keeps coming back to the first.
const std::vector<std::string> kDrillBook = {
    "remember,～を覚えている,～を思い出す,動詞,0,0,0,0,rime'mbEr",
    "beautiful,美しい,,形容詞,4,0,0,0,bju':tEfl",
    "dictionary,辞書,,名詞,5,0,1,0,di'kIEneri",
    "enjoy oneself,楽しく過ごす,,熟語,4,0,0,0,indJOi wRnse'lf",
    "library,図書館,,名詞,6,0,0,0,la'ibreri",
    "make up one's mind,決心する,,熟語,4,0,0,0,meik Rp wRnz ma'ind",
    "take care of,～の世話をする,～を大事にする,熟語,5,0,0,0,teik k3'Er Ev",
    "volunteer,ボランティア,志願者,名詞,7,0,0,0,vAlEnti'Er",
};

// Answers an open question right, closing the correct notice if one shows.
void AnswerRight(const Session& session, HWND dialog, const std::string& word)
{
    HWND answer = GetDlgItem(dialog, 1000);
    std::string typed = e2e::Utf8FromCp932(word);
    Check(TypeAndWait(answer, typed, typed), "type an answer");
    Press(dialog, IDOK);
    HWND notice = e2e::WaitForDialog(session.program, L"正解！", 3000);
    CloseBox(notice, IDOK);
    e2e::WaitUntilGone(dialog);
}

// Asks until the question shows the record `target` of `book` (other words are answered
// right, which keeps them out of the way); returns the dialog, or nullptr.
HWND AskFor(const Session& session, const std::vector<Record>& book, std::size_t target)
{
    for (int attempt = 0; attempt < 20; ++attempt) {
        e2e::PostTrayMouse(session.tray, WM_LBUTTONDBLCLK);
        HWND dialog = WaitForQuestion(session.program);
        if (dialog == nullptr)
            break;
        Sleep(300);
        std::vector<std::size_t> found = MatchingRecords(book, ReadQuestion(dialog));
        if (found.empty())
            break;
        if (found[0] == target)
            return dialog;
        AnswerRight(session, dialog, book[found[0]].Word());
    }
    Check(false, "the question of the chosen word");
    return nullptr;
}

RECT Inflated(RECT r, int by)
{
    InflateRect(&r, by, by);
    return r;
}

HWND VisibleWindowOfClass(const wchar_t* className)
{
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, className, nullptr)) != nullptr) {
        if (IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

void TrayMenuShots(const Session& session)
{
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    // The notification area at the bottom right of the Wine desktop; the icon is its last.
    RECT corner = {width - 150, height - 24, width, height};

    // Resting on the icon shows its tooltip, the program's title.
    SetCursorPos(width - 9, height - 11);
    HWND tip = nullptr;
    PollUntil(5000, [&] {
        return (tip = VisibleWindowOfClass(L"tooltips_class32")) != nullptr;
    });
    Shot("tray-icon", Union(Inflated(RectOf(tip), 6), corner));

    // The menu opens at the cursor; with the cursor just above the icon the tooltip stays
    // away from the menu.
    SetCursorPos(width - 9, height - 40);
    e2e::PostTrayMouse(session.tray, WM_RBUTTONDOWN);
    HWND menu = nullptr;
    PollUntil(e2e::kWaitMs, [&] { return (menu = VisibleWindowOfClass(L"#32768")) != nullptr; });
    if (!Check(menu != nullptr, "the tray menu opens"))
        return;
    Shot("tray-menu", Union(Inflated(RectOf(menu), 8), corner));
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageW(menu, WM_KEYUP, VK_ESCAPE, 0xC0000001);
    if (!PollUntil(3000, [&] { return !IsWindowVisible(menu); })) {
        // The menu loop may read the keyboard only: Escape through the real input.
        INPUT keys[2] = {};
        keys[0].type = keys[1].type = INPUT_KEYBOARD;
        keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, keys, sizeof(INPUT));
        Check(PollUntil(3000, [&] { return !IsWindowVisible(menu); }), "the tray menu closes");
    }
    SetCursorPos(width / 2, height / 2);
}

void QuestionShots(const Session& session, const std::vector<Record>& book)
{
    // A right answer, typed over the hint, and the correct notice.
    HWND dialog = AskFor(session, book, 0);
    if (dialog == nullptr)
        return;
    Shot("question", dialog);
    HWND answer = GetDlgItem(dialog, 1000);
    e2e::TypeText(answer, L"reme");
    PollUntil(5000, [&] { return U8(e2e::WindowText(answer)).compare(0, 4, "reme") == 0; });
    Shot("question-typing", dialog);
    Check(TypeAndWait(answer, "mber", "remember"), "type the rest of the answer");
    Press(dialog, IDOK);
    HWND notice = Dialog(session, L"正解！");
    if (notice != nullptr) {
        Shot("correct", notice);
        CloseBox(notice, IDOK);
    }
    e2e::WaitUntilGone(dialog);

    // One letter off, then wrong.
    const struct {
        const char* name;
        const char* typed;
    } misses[] = {{"near-miss", "remenber"}, {"wrong", "remind"}};
    for (const auto& miss : misses) {
        dialog = AskFor(session, book, 0);
        if (dialog == nullptr)
            return;
        answer = GetDlgItem(dialog, 1000);
        e2e::TypeText(answer, W(miss.typed));
        PollUntil(5000, [&] {
            return U8(e2e::WindowText(answer)).compare(0, std::strlen(miss.typed), miss.typed) == 0;
        });
        Press(dialog, IDOK);
        HWND box = Dialog(session, L"不正解");
        if (box != nullptr) {
            Shot(miss.name, box);
            CloseBox(box, IDOK);
        }
        e2e::WaitUntilGone(dialog);
    }

    // Show-only mode: the word with its meanings, for review.
    e2e::PostCommand(session.tray, 3);
    Sleep(300);
    e2e::PostTrayMouse(session.tray, WM_LBUTTONDBLCLK);
    dialog = WaitForQuestion(session.program);
    if (Check(dialog != nullptr, "a word in show-only mode")) {
        Shot("check-mode", dialog);
        // The pronunciation, shown only, below the 発音 button (pressing it takes the
        // focus from the answer box, so this is done where nothing is typed afterwards).
        Press(dialog, 1033);
        HWND shown = Dialog(session, L"発音");
        if (shown != nullptr) {
            Shot("pronunciation-show", shown);
            CloseBox(shown, IDCANCEL);
        }
        CloseBox(dialog, IDOK);
    }
    e2e::PostCommand(session.tray, 3);
    Sleep(300);
}

// Picks a line of a list box as a click does: the selection and its notification.
void PickLine(HWND dialog, int listId, int index)
{
    HWND list = GetDlgItem(dialog, listId);
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

void ReportShots(const Session& session)
{
    e2e::PostCommand(session.tray, 40009);
    HWND wrongs = Dialog(session, L"本日不正解の問題一覧");
    if (wrongs != nullptr) {
        PickLine(wrongs, 1034, 0);
        Check(e2e::WaitForText(GetDlgItem(wrongs, 1006), L"remember", 5000),
              "today's wrong word shows in detail");
        Shot("wrong-words", wrongs);
        CloseBox(wrongs, IDCANCEL);
    }
    const struct {
        const char* name;
        UINT command;
        const wchar_t* caption;
    } reports[] = {{"report-book", 40004, L"問題の状況"},
                   {"report-today", 40006, L"本日の状況"},
                   {"about", 10, L"バージョン情報"}};
    for (const auto& report : reports) {
        e2e::PostCommand(session.tray, report.command);
        HWND box = Dialog(session, report.caption);
        if (box != nullptr) {
            Shot(report.name, box);
            CloseBox(box, IDOK);
        }
    }
}

// ---- Word entry ----

HWND RemarkEdit(HWND dialog)
{
    return FindWindowExW(GetDlgItem(dialog, 1004), nullptr, L"Edit", nullptr);
}

void WordEntryShots(const Session& session)
{
    // An existing word: the offer to expand it, then the overwrite question.
    e2e::PostCommand(session.tray, 0);
    HWND entry = Dialog(session, L"単語の追加");
    if (entry == nullptr)
        return;
    e2e::TypeText(GetDlgItem(entry, 1000), L"library");
    HWND offer = Dialog(session, L"展開確認");
    if (offer != nullptr) {
        Shot("expand-offer", offer);
        CloseBox(offer, IDYES);
        Check(e2e::WaitForText(GetDlgItem(entry, 1001), L"図書館", 5000), "the word is expanded");
        Shot("word-entry-expanded", entry);
        Press(entry, IDOK);
        HWND overwrite = Dialog(session, L"上書き確認");
        if (overwrite != nullptr) {
            Shot("overwrite-question", overwrite);
            CloseBox(overwrite, IDCANCEL);
        }
    }
    PostMessageW(entry, WM_SYSCOMMAND, SC_CLOSE, 0);
    e2e::WaitUntilGone(entry);

    // A new word with its meanings and a remark from the history.
    e2e::PostCommand(session.tray, 0);
    entry = Dialog(session, L"単語の追加");
    if (entry == nullptr)
        return;
    Check(TypeAndWait(GetDlgItem(entry, 1000), "smartphone", "smartphone"), "type a new word");
    Check(TypeAndWait(GetDlgItem(entry, 1001), "スマートフォン", "スマートフォン"),
          "type meaning 1");
    Check(TypeAndWait(GetDlgItem(entry, 1002), "多機能な携帯電話", "多機能な携帯電話"),
          "type meaning 2");
    Check(TypeAndWait(RemarkEdit(entry), "名詞", "名詞"), "type a remark");
    Shot("word-entry", entry);

    // The remarks used last, offered by the remark box.
    HWND remarks = GetDlgItem(entry, 1004);
    Activate(entry);
    SendMessageW(remarks, CB_SHOWDROPDOWN, TRUE, 0);
    HWND list = nullptr;
    bool dropped = PollUntil(3000, [&] {
        return (list = VisibleWindowOfClass(L"ComboLBox")) != nullptr;
    });
    if (Check(dropped, "the remark list drops down")) {
        Shot("remarks-history", Union(RectOf(entry), RectOf(list)));
        SendMessageW(remarks, CB_SHOWDROPDOWN, FALSE, 0);
    }
    Press(entry, IDOK);
    Check(e2e::WaitForText(GetDlgItem(entry, 1000), L"", 5000), "the new word is stored");
    CloseBox(entry, IDCANCEL);
}

// ---- Search, pronunciation, settings: the starter book as shipped ----

void SearchShots(const Session& session)
{
    e2e::PostCommand(session.tray, 40010);
    HWND search = Dialog(session, L"単語の検索");
    if (search == nullptr)
        return;
    Check(TypeAndWait(GetDlgItem(search, 1000), "be *", "be *"), "type a word pattern");
    PollUntil(5000, [&] { return IsWindowEnabled(GetDlgItem(search, 1035)) != FALSE; });
    Press(search, 1035);
    HWND list = GetDlgItem(search, 1034);
    Check(PollUntil(5000, [&] { return SendMessageW(list, LB_GETCOUNT, 0, 0) > 1; }),
          "the search lists words");
    LRESULT line = SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                reinterpret_cast<LPARAM>(L"be afraid of"));
    if (line >= 0) {
        PickLine(search, 1034, static_cast<int>(line));
        e2e::WaitForText(GetDlgItem(search, 1006), L"be afraid of", 5000);
    }
    Shot("search", search);

    Press(search, 1033);
    HWND editor = Dialog(session, L"発音");
    if (editor != nullptr) {
        Shot("pronunciation", editor);
        CloseBox(editor, IDCANCEL);
    }
    CloseBox(search, IDCANCEL);
}

void SettingsShot(const Session& session)
{
    e2e::PostCommand(session.tray, 1);
    HWND settings = Dialog(session, L"環境設定");
    if (settings != nullptr) {
        Shot("settings", settings);
        CloseBox(settings, IDCANCEL);
    }
}

// ---- Start-up boxes: fewer words than last time, a word file saved as UTF-8 ----

void RecoveryShots()
{
    std::vector<std::string> shorter(kDrillBook.begin(), kDrillBook.begin() + 5);
    std::string backup = WordFileFromUtf8(kDrillBook);
    Session session;
    if (Start(&session, WordFileFromUtf8(shorter), &backup,
              {{L"DataCount", std::to_wstring(kDrillBook.size())}})) {
        HWND fewer = Dialog(session, L"エラー");
        if (fewer != nullptr) {
            Shot("fewer-words", fewer);
            CloseBox(fewer, IDNO);
            HWND useBackup = Dialog(session, L"展開確認");
            if (useBackup != nullptr) {
                Shot("use-backup", useBackup);
                CloseBox(useBackup, IDYES);
            }
        }
    }
    Finish(&session);
}

void Utf8Shot()
{
    Session session;
    if (Start(&session, "apple,\xE3\x82\x8A\xE3\x82\x93\xE3\x81\x94,,,0,0,0,0,\r\n", nullptr,
              {})) {
        HWND box = Dialog(session, L"エラー");
        if (box != nullptr) {
            Check(U8(e2e::ControlText(box, e2e::kMessageBoxTextId)).find("UTF-8") !=
                      std::string::npos,
                  "the UTF-8 word file is refused");
            Shot("utf8-refused", box);
            CloseBox(box, IDOK);
            DWORD code = 1;
            e2e::WaitForExit(&session.program, e2e::kWaitMs, &code);
        }
    }
    e2e::StopProgram(&session.program);
}

} // namespace

int RunShots(const std::wstring& exe, const std::wstring& starterBook, const std::wstring& outDir)
{
    g_exe = exe;
    g_outDir = outDir;
    // Caption buttons are drawn with the Marlett font; a Wine prefix that lacks it shows
    // letters there instead. Programs started from now on find it in the Fonts folder.
    CopyFileW(L"Z:\\usr\\share\\wine\\fonts\\marlett.ttf",
              L"C:\\windows\\Fonts\\marlett.ttf", TRUE);
    bool readable = false;
    std::string starter = e2e::ReadBytes(starterBook, &readable);
    if (!Check(readable && !starter.empty(), "read the starter book"))
        return g_failures;

    // First run with the drill book: default settings, a remarks history to pick from.
    {
        Session session;
        e2e::ClearSettings();
        std::string bytes = WordFileFromUtf8(kDrillBook);
        if (Start(&session, bytes, nullptr, {})) {
            PutRemarks({"名詞", "動詞", "形容詞", "熟語"});
            std::vector<Record> book = ParseWordFile(bytes);
            TrayMenuShots(session);
            QuestionShots(session, book);
            ReportShots(session);
            WordEntryShots(session);
        }
        Finish(&session);
    }
    // The starter book as shipped, on an empty registry.
    {
        Session session;
        if (Start(&session, starter, nullptr, {})) {
            SearchShots(session);
            SettingsShot(session);
        }
        Finish(&session);
    }
    RecoveryShots();
    Utf8Shot();

    e2e::WriteBytes(e2e::WindowsPathFromUnix(g_outDir + L"/shots.txt"), g_rects);
    std::printf("%d step(s) failed\n", g_failures);
    return g_failures;
}

} // namespace guide
