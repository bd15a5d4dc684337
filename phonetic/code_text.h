// The pronunciation editor's rules for its code text: what is read, appended and stored.
#pragma once

#include <cstddef>

#include "wordbook/word_book.h"

// The editor reads, shows and stores at most this many bytes of its code field.
constexpr std::size_t kCodeTextLimit = 62;
// A buffer for the code text as read plus one appended character and the terminator;
// the same size as the record's Pronunce field.
constexpr std::size_t kCodeTextRoom = kCodeTextLimit + 2;

// Length of the part of the code field's text that the editor reads: at most
// kCodeTextLimit bytes, never ending inside a double-byte character.
std::size_t CodeTextLength(const char* fieldText);

// Copies that part into `out` of `size` bytes, NUL-terminated (cut further, again at a
// character boundary, when `size` is smaller).
void ReadCodeText(const char* fieldText, char* out, std::size_t size);

// OK: the part of the field's text that is read becomes the record's pronunciation.
void StoreCodeText(WordRecord* record, const char* fieldText);

// True for the commands of the symbol and accent buttons (ids 10000 to 20001).
bool IsSymbolCommand(int id);

// The character that button `id` appends, given its caption read with room for 2
// characters: the second caption byte for a glyph button, the first for the other
// symbol buttons, the accent mark itself for an accent button. 0 when there is none.
char SymbolCharacter(int id, const char* caption);

// Appends the character of button `id` to `text` (the code text as read, NUL-terminated,
// in a buffer of `size` bytes). True when it was appended. False when the append is
// refused and `text` is left as it was: an accent on an empty text or after an accent
// mark, a text that already holds kCodeTextLimit bytes or more, no room left, or no
// character.
bool AppendSymbol(char* text, std::size_t size, int id, const char* caption);
