// The settings dialog ENVDIALOG.
#pragma once

#include <windows.h>

// Runs the settings dialog modally, owned by `owner`. OK changes the settings in memory
// (and may switch the word file at once); always returns 0.
int OpenSettingsDialog(HWND owner);
