// Placing the program's dialogs on the screen.
#pragma once

#include <windows.h>

// Centres `window` on the screen, size unchanged: x = (screen width - window width) / 2,
// the same for y. With `zOrder` (HWND_TOPMOST, HWND_TOP) the same call sets its place in
// the z-order; with nullptr the z-order is left alone.
void CentreOnScreen(HWND window, HWND zOrder);
