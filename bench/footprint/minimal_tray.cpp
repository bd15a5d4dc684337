// The baseline of the footprint measurements: a Win32 program that only creates a hidden
// window and a notification-area icon, then waits in its message loop.
#include <windows.h>
#include <shellapi.h>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        NOTIFYICONDATAW data = {};
        data.cbSize = sizeof data;
        data.hWnd = window;
        data.uID = 1;
        Shell_NotifyIconW(NIM_DELETE, &data);
        PostQuitMessage(0);
        return 0;
    }
    if (message == WM_TIMER)
        return 0;
    if (message == WM_COMMAND && wParam == 99) {  // ends like the program's menu command
        DestroyWindow(window);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"MinimalTray";
    if (!RegisterClassExW(&wc))
        return 1;
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, L"MinimalTray", L"Minimal", WS_OVERLAPPEDWINDOW,
                                  100, 100, 400, 300, nullptr, nullptr, instance, nullptr);
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = 1;
    data.uFlags = NIF_ICON | NIF_TIP;
    data.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));
    lstrcpyW(data.szTip, L"Minimal");
    Shell_NotifyIconW(NIM_ADD, &data);
    // The same idle wake-ups as the program: one timer at the default question interval.
    SetTimer(window, 1, 600000, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
