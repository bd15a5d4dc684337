// The ten most recent remarks, kept in the registry for the remark combo boxes.
#pragma once

#include <cstddef>

constexpr int kComboStringCount = 10;
// Room for one slot's text, terminator included. Longer stored texts read as empty.
constexpr std::size_t kComboStringSize = 128;

// The remark in slot `index` (0 is the most recent, 9 the oldest), or the empty text for
// an empty, missing, unreadable or out-of-range slot. Creates the history with ten empty
// slots when it does not exist yet. A static buffer, valid until the next call.
const char* GetComboString(int index);

// Makes `remark` the most recent entry: an equal entry moves to the top, otherwise every
// entry moves down one and the oldest is dropped. The empty text, and a text too long to
// be read back, change nothing. Registry failures are silent.
void PushComboString(const char* remark);

// The non-empty remarks, most recent first: what a remark combo box lists.
struct ComboStringList {
    int count;
    char texts[kComboStringCount][kComboStringSize];
};

// Fills `list` through GetComboString, so it also creates a missing history.
void ListComboStrings(ComboStringList* list);
