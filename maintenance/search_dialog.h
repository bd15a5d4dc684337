// The word search, edit and delete dialog LISTDIALOG, which also lists today's wrong words.
#pragma once

#include <windows.h>

// Runs LISTDIALOG modally, owned by `owner`. `mode` is the tray command that opens it:
// 40009 lists the words answered wrongly since start-up, 40010 (or any other) searches
// the word book. Returns how many modifies, clears and deletes the learner completed;
// the changes are in the word book in memory only.
int OpenSearchDialog(HINSTANCE instance, HWND owner, int mode);
