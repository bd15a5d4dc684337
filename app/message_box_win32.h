// Message boxes with captions and texts from the string table, by style code.
#pragma once

#include <windows.h>

// Style codes: 3 Yes/No/Cancel with a question icon; 4 Yes/No, question; 16 OK, stop;
// 48 OK, exclamation; 260 Yes/No, exclamation, No as default; any other code OK alone.
// Each returns the button pressed (IDYES, IDNO, IDCANCEL or IDOK).
int ShowMessage(HWND owner, int captionId, int textId, int style);
int ShowFormattedMessage(HWND owner, int captionId, int formatId, const char* argument,
                         int style);
void ShowTextMessage(HWND owner, int captionId, const char* text, int style);

// Saves the settings and the word book behind its backup; a failure is shown in an
// error box owned by `owner`.
void SaveWordBook(HWND owner);
