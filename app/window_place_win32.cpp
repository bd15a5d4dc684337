// Centring dialogs on the screen.
#include "app/window_place_win32.h"

void CentreOnScreen(HWND window, HWND zOrder)
{
    RECT r;
    GetWindowRect(window, &r);
    int x = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
    UINT flags = SWP_NOSIZE | (zOrder == nullptr ? SWP_NOZORDER | SWP_NOACTIVATE : 0);
    SetWindowPos(window, zOrder, x, y, 0, 0, flags);
}
