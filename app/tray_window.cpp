// The tray window procedure and its commands.
#include "app/tray_window.h"

#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/help_win32.h"
#include "app/message_box_win32.h"
#include "app/settings.h"
#include "app/tray_logic.h"
#include "app/version_dialog.h"
#include "drill/drill_state.h"
#include "drill/question_dialog.h"
#include "drill/run_record.h"
#include "drill/selection.h"
#include "maintenance/search_dialog.h"
#include "settings/settings_dialog.h"
#include "platform/platform.h"
#include "platform/text_win32.h"
#include "resources/resource.h"

HINSTANCE g_instance = nullptr;
char g_title[60] = "";
UINT g_taskbarMessage = 0;
HMENU g_trayMenu = nullptr;

namespace {

constexpr UINT kTrayIconId = 1;
constexpr std::size_t kReportLimit = 255;
int g_trayIdle = 1;
// Explorer sends this when it (re)starts; it has forgotten every notification icon then.
UINT g_taskbarCreatedMessage = 0;

// VOKARU, PAUSE, VOKARU_CHECK, PAUSE_CHECK by Status, each loaded at its first use and
// kept for the run.
HICON g_trayIcons[4] = {};
const wchar_t* const kTrayIconNames[4] = {L"VOKARU", L"PAUSE", L"VOKARU_CHECK", L"PAUSE_CHECK"};

HICON IconForStatus(int status)
{
    int index = TrayStateFor(status).icon;
    if (g_trayIcons[index] == nullptr)
        g_trayIcons[index] = LoadIconW(g_instance, kTrayIconNames[index]);
    return g_trayIcons[index];
}

void FillIconData(NOTIFYICONDATAW* data, HWND window)
{
    std::memset(data, 0, sizeof *data);
    data->cbSize = sizeof *data;
    data->hWnd = window;
    data->uID = kTrayIconId;
    data->uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data->uCallbackMessage = g_taskbarMessage;
    data->hIcon = IconForStatus(g_settings.Status);
    std::wstring tip = WideFromCp932(g_title);
    wcsncpy(data->szTip, tip.c_str(), sizeof data->szTip / sizeof data->szTip[0] - 1);
}

void AddTrayIcon(HWND window)
{
    NOTIFYICONDATAW data;
    FillIconData(&data, window);
    Shell_NotifyIconW(NIM_ADD, &data);
}

void StartQuestionTimer(HWND window)
{
    SetTimer(window, kQuestionTimerId, g_settings.TimerInterval, nullptr);
}

void UpdateTrayIcon(HWND window)
{
    NOTIFYICONDATAW data;
    FillIconData(&data, window);
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

void CheckItem(UINT id, bool checked)
{
    CheckMenuItem(g_trayMenu, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void OnCreate(HWND window)
{
    g_taskbarCreatedMessage = RegisterWindowMessageW(L"TaskbarCreated");
    AddTrayIcon(window);
    TrayState state = TrayStateFor(g_settings.Status);
    if (state.pauseChecked)
        CheckItem(IDM_PAUSE, true);
    if (state.showOnlyChecked)
        CheckItem(IDM_SHOW_ONLY, true);
    if (state.timerRunning)
        StartQuestionTimer(window);
}

void OnDestroy(HWND window)
{
    RemoveTrayIcon(window);
    PostQuitMessage(0);
}

// A question at the timer's tick or on a double-click on the icon.
void RunQuestionTick(HWND window)
{
    g_displayOnly = g_settings.Status / 2;
    WordRecord* record = SelectQuestion(g_settings.ProblemTrend, g_displayOnly, &g_selectionTag);
    if (record == nullptr) {
        g_displayOnly = -1;
        ShowMessage(window, IDS_ERROR, IDS_NO_WORDS, 16);
        return;
    }
    g_currentRecord = record;
    BeginTrayBusy(window);
    int savedStatus = g_settings.Status;
    // A check-only word is shown in check mode, whatever the tray's mode.
    if (record->CheckOnly == 1 && (g_settings.Status == 0 || g_settings.Status == 1))
        g_settings.Status += 2;
    HWND foreground = GetForegroundWindow();
    OpenQuestionDialog(window);
    if (foreground != nullptr)
        SetForegroundWindow(foreground);
    g_settings.Status = savedStatus;
    g_displayOnly = -1;
    EndTrayBusy(window);
}

void OnTogglePause(HWND window)
{
    g_settings.Status = TogglePause(g_settings.Status);
    TrayState state = TrayStateFor(g_settings.Status);
    CheckItem(IDM_PAUSE, state.pauseChecked);
    if (state.timerRunning)
        StartQuestionTimer(window);
    else
        KillTimer(window, kQuestionTimerId);
    UpdateTrayIcon(window);
}

void OnToggleShowOnly(HWND window)
{
    g_settings.Status = ToggleShowOnly(g_settings.Status);
    CheckItem(IDM_SHOW_ONLY, TrayStateFor(g_settings.Status).showOnlyChecked);
    UpdateTrayIcon(window);
}

void ShowReport(HWND window, int captionId, int formatId, int a, int b, int c, int d, int e)
{
    BeginTrayBusy(nullptr);
    std::string format = LoadStringCp932(formatId, kReportLimit);
    char text[kReportLimit + 1];
    std::snprintf(text, sizeof text, format.c_str(), a, b, c, d, e);
    ShowTextMessage(window, captionId, text, 0);
    EndTrayBusy(nullptr);
}

void OnReportBook(HWND window)
{
    BookTally t = TallyWordBook();
    ShowReport(window, IDS_REPORT_CAPTION, IDS_REPORT_BOOK, t.total, t.wellAnswered,
               t.badlyAnswered, t.neverAsked, t.checkedOnly);
}

void OnReportToday(HWND window)
{
    const RunCounters& c = g_runCounters;
    ShowReport(window, IDS_TODAY_CAPTION, IDS_REPORT_TODAY, c.asked, c.right, c.wrong,
               c.checkMode, 0);
}

// Shows the word file in the listing program, or in what the shell opens it with.
void OnListWords(HWND window)
{
    SaveWordBook(window);
    PlatSetReadOnly(g_settings.DataFileName);
    if (g_settings.ListingApp[0] == '\0') {
        ShellExecuteW(nullptr, nullptr, WideFromCp932(g_settings.DataFileName).c_str(), nullptr,
                      nullptr, SW_HIDE);
        return;
    }
    // The command line is the program, one space and the file name, unquoted.
    std::wstring commandLine = WideFromCp932(std::string(g_settings.ListingApp) + " " +
                                             g_settings.DataFileName);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWDEFAULT;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        ShowMessage(window, IDS_ERROR, IDS_CANNOT_START, 16);
        return;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

void OnHelp(HWND window)
{
    OpenHelp(window, nullptr, nullptr);
}

void OnAbout(HWND window)
{
    BeginTrayBusy(nullptr);
    OpenVersionDialog(window);
    EndTrayBusy(nullptr);
}

// Word entry in the question dialog, on a scratch record held for its length.
void OnAddWords(HWND window)
{
    WordRecord scratch;
    ClearRecord(&scratch);
    g_currentRecord = &scratch;
    BeginTrayBusy(window);
    g_entryMode = 1;
    OpenQuestionDialog(window);
    g_entryMode = 0;
    g_currentRecord = nullptr;
    EndTrayBusy(window);
}

// The settings dialog; the timer restarts afterwards with the interval then in force.
void OnSettings(HWND window)
{
    BeginTrayBusy(window);
    OpenSettingsDialog(window);
    EndTrayBusy(window);
}

void OnWrongWords(HWND window)
{
    BeginTrayBusy(window);
    OpenSearchDialog(g_instance, window, IDM_WRONG_WORDS);
    EndTrayBusy(window);
}

// Search, edit and delete; the word book is saved once when anything changed.
void OnSearch(HWND window)
{
    BeginTrayBusy(window);
    if (OpenSearchDialog(g_instance, window, IDM_SEARCH) > 0)
        SaveWordBook(window);
    EndTrayBusy(window);
}

void OnCommand(HWND window, WPARAM id)
{
    switch (id) {
    case IDM_ADD_WORD: OnAddWords(window); break;
    case IDM_SETTINGS: OnSettings(window); break;
    case IDM_WRONG_WORDS: OnWrongWords(window); break;
    case IDM_SEARCH: OnSearch(window); break;
    case IDM_PAUSE: OnTogglePause(window); break;
    case IDM_SHOW_ONLY: OnToggleShowOnly(window); break;
    case IDM_REPORT_BOOK: OnReportBook(window); break;
    case IDM_REPORT_TODAY: OnReportToday(window); break;
    case IDM_LIST_WORDS: OnListWords(window); break;
    case IDM_HELP: OnHelp(window); break;
    case IDM_ABOUT: OnAbout(window); break;
    case IDM_EXIT: DestroyWindow(window); break;
    default: break;
    }
}

void ShowTrayMenu(HWND window)
{
    POINT cursor;
    GetCursorPos(&cursor);
    SetForegroundWindow(window);
    TrackPopupMenu(g_trayMenu, TPM_RIGHTALIGN | TPM_VCENTERALIGN | TPM_RIGHTBUTTON, cursor.x,
                   cursor.y, 0, window, nullptr);
}

void OnTrayNotification(HWND window, LPARAM mouse)
{
    if (mouse == WM_LBUTTONDBLCLK) {
        if (g_displayOnly == -1 && IsTrayIdle())
            RunQuestionTick(window);
    } else if (mouse == WM_RBUTTONDOWN) {
        if (IsTrayIdle())
            ShowTrayMenu(window);
    }
}

} // namespace

void RemoveTrayIcon(HWND window)
{
    NOTIFYICONDATAW data;
    FillIconData(&data, window);
    Shell_NotifyIconW(NIM_DELETE, &data);
}

void BeginTrayBusy(HWND window)
{
    g_trayIdle = 0;
    if (window != nullptr && (g_settings.Status == 0 || g_settings.Status == 2))
        KillTimer(window, kQuestionTimerId);
}

void EndTrayBusy(HWND window)
{
    g_trayIdle = 1;
    if (window != nullptr && (g_settings.Status == 0 || g_settings.Status == 2))
        StartQuestionTimer(window);
}

int IsTrayIdle()
{
    return g_trayIdle;
}

LRESULT CALLBACK TrayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        return 0;
    case WM_DESTROY:
        OnDestroy(window);
        return 0;
    case WM_ENDSESSION:
        SaveWordBook(window);
        return 0;
    case WM_COMMAND:
        OnCommand(window, wParam);
        return 0;
    case WM_TIMER:
        if (wParam == kQuestionTimerId)
            RunQuestionTick(window);
        return 0;
    default:
        break;
    }
    if (message == g_taskbarMessage && g_taskbarMessage != 0) {
        OnTrayNotification(window, lParam);
    } else if (message == g_taskbarCreatedMessage && g_taskbarCreatedMessage != 0) {
        AddTrayIcon(window);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
