// The about box.
#pragma once

#include <windows.h>

void OpenVersionDialog(HWND owner);
