// The question dialog: asks a word (question mode), shows it (check mode), or takes new
// words (word entry), by the drill state the tray sets before opening it.
#pragma once

#include <windows.h>

// Runs QUESTIONDIALOG modally, owned by `owner`; returns when it is closed.
void OpenQuestionDialog(HWND owner);
