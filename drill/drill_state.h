// State the tray window sets before it opens the question dialog, read by the dialog.
#pragma once

#include "wordbook/word_book.h"

// The word shown: a live record of the book in question and check mode, the tray's
// scratch record in word entry.
extern WordRecord* g_currentRecord;
// Nonzero while the question dialog runs as word entry.
extern int g_entryMode;
// Status / 2 while a question dialog opened by a tick is open, -1 otherwise.
extern int g_displayOnly;
// How the current word was chosen (a selection tag, 0-3).
extern int g_selectionTag;
