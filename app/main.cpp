// Entry point: start-up in its fixed order, the message loop, and the save at exit.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/message_box_win32.h"
#include "app/settings.h"
#include "app/tray_window.h"
#include "drill/random.h"
#include "platform/platform.h"
#include "platform/text_win32.h"
#include "resources/resource.h"
#include "wordbook/save.h"
#include "wordbook/word_file.h"

namespace {

const wchar_t kClassName[] = L"Vokaru";

HWND g_startupOwner = nullptr;

// The start-up check's questions, shown before the message loop starts.
bool AskAtStartup(int stringId, const char* argument)
{
    switch (stringId) {
    case IDS_FEWER_WORDS:
        return ShowFormattedMessage(g_startupOwner, IDS_ERROR, IDS_FEWER_WORDS, argument, 260) ==
               IDYES;
    case IDS_USE_BACKUP:
        return ShowMessage(g_startupOwner, IDS_EXPAND_CAPTION, IDS_USE_BACKUP, 4) == IDYES;
    case IDS_CONTENT_LOST:
        ShowFormattedMessage(g_startupOwner, IDS_ERROR, IDS_CONTENT_LOST, argument, 16);
        return false;
    default:
        return false;
    }
}

bool RegisterTrayClass(HINSTANCE instance)
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = TrayWindowProc;
    wc.hInstance = instance;
    // The class icon is set once the tray window exists (SetTrayClassIcon).
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc) != 0;
}

// The class icon VOKARU, set after the hidden tray window's creation: under Wine an icon
// that the class has when the window is made keeps some 140 KiB of the X side's heap in
// use for the whole run (tools/footprint shows it), for a window that never shows.
void SetTrayClassIcon(HINSTANCE instance, HWND tray)
{
    HICON icon = LoadIconW(instance, L"VOKARU");
    if (tray != nullptr && icon != nullptr)
        SetClassLongPtrW(tray, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    g_instance = instance;
    std::string title = LoadStringCp932(IDS_TITLE, 59);
    std::snprintf(g_title, sizeof g_title, "%s", title.c_str());
    g_taskbarMessage = RegisterWindowMessageW(L"VokaruTaskBar");
    HMENU menu = LoadMenuW(instance, L"RPOPMENU");
    g_trayMenu = GetSubMenu(menu, 0);

    if (!RegisterTrayClass(instance))
        return 0;
    // The tray icons are loaded when a Status first needs them (IconForStatus): under
    // Wine each loaded icon costs its bitmaps in memory for the whole run.

    LoadSettings();

    HWND tray = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, WideFromCp932(g_title).c_str(),
                                WS_OVERLAPPEDWINDOW, 100, 100, 400, 300, nullptr, nullptr,
                                instance, nullptr);
    g_startupOwner = tray;
    SetTrayClassIcon(instance, tray);

    int loaded = LoadCSVFile(g_settings.DataFileName);
    if (loaded < 0) {
        ShowTextMessage(tray, IDS_ERROR, GetLastErrorText(), 16);
        RemoveTrayIcon(tray);
        return 0;
    }
    int count = 0;
    if (!RunStartupCheck(loaded, g_settings.DataCount, g_settings.DataFileName, AskAtStartup,
                         &count)) {
        RemoveTrayIcon(tray);
        return 0;
    }
    g_settings.DataCount = count;
    WriteIntSetting("DataCount", count);
    SeedRandom(PlatTickCount() / 10);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    // The tray window is gone by now; an error box must not name it as its owner.
    SaveWordBook(IsWindow(tray) ? tray : nullptr);
    return static_cast<int>(msg.wParam);
}
