// Switching the Japanese input method of one control on or off.
#pragma once

#include <windows.h>

// Opens (true) or closes (false) the input method of `control`, so that a field takes
// Japanese text or plain ASCII letters as it is focused.
void SetInputMethodOpen(HWND control, bool open);
