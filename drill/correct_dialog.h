// The correct notice: a blinking light bulb after a right answer.
#pragma once

#include <windows.h>

// Shows the notice owned by `owner` and returns when the learner closes it.
void OpenCorrectNotice(HWND owner);
