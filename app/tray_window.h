// The hidden tray window: notification-area icon, tray menu, question timer, commands.
#pragma once

#include <windows.h>

constexpr UINT_PTR kQuestionTimerId = 1;

extern HINSTANCE g_instance;
extern char g_title[60];         // string 1, the program title and the icon's tooltip
extern UINT g_taskbarMessage;    // the registered VokaruTaskBar message
extern HMENU g_trayMenu;         // first popup of RPOPMENU

LRESULT CALLBACK TrayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Removes the icon from the notification area (used on the early exits of start-up).
void RemoveTrayIcon(HWND window);

// The tray idle flag: 0 while a dialog, report or the about box of the tray is open.
void BeginTrayBusy(HWND window);
void EndTrayBusy(HWND window);
int IsTrayIdle();
