// The pronunciation editor: composes a word's phonetic code with symbol buttons, or shows
// it as glyphs only.
#pragma once

#include <windows.h>

#include "wordbook/word_book.h"

// Runs PRODIALOG modally, owned by `owner`, with its top-left corner at the screen point
// (x, y) (pulled back onto the screen at the right and bottom). With `editable` 1 the OK
// button stores the code field into record->Pronunce; with 0 only the glyph display shows.
void OpenPronunciationEditor(HINSTANCE instance, HWND owner, WordRecord* record, int editable,
                             int x, int y);
