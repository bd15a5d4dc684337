// The tray window procedure and its commands.
#include "app/tray_window.h"

#include <shellapi.h>

#include <cstring>

#include "app/message_box_win32.h"
#include "app/settings.h"
#include "platform/text_win32.h"
#include "resources/resource.h"

HINSTANCE g_instance = nullptr;
char g_title[60] = "";
UINT g_taskbarMessage = 0;
HMENU g_trayMenu = nullptr;
HICON g_trayIcons[4] = {};

namespace {

constexpr UINT kTrayIconId = 1;
int g_trayIdle = 1;

HICON IconForStatus(int status)
{
    return g_trayIcons[status & 3];
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

void OnCreate(HWND window)
{
    AddTrayIcon(window);
    switch (g_settings.Status) {
    case 0:
        StartQuestionTimer(window);
        break;
    case 1:
        CheckMenuItem(g_trayMenu, IDM_PAUSE, MF_BYCOMMAND | MF_CHECKED);
        break;
    case 2:
        CheckMenuItem(g_trayMenu, IDM_SHOW_ONLY, MF_BYCOMMAND | MF_CHECKED);
        StartQuestionTimer(window);
        break;
    case 3:
        CheckMenuItem(g_trayMenu, IDM_PAUSE, MF_BYCOMMAND | MF_CHECKED);
        CheckMenuItem(g_trayMenu, IDM_SHOW_ONLY, MF_BYCOMMAND | MF_CHECKED);
        break;
    }
}

void OnDestroy(HWND window)
{
    RemoveTrayIcon(window);
    PostQuitMessage(0);
}

void OnCommand(HWND window, WPARAM id)
{
    switch (id) {
    case IDM_EXIT:
        DestroyWindow(window);
        break;
    default:
        break;
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
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
