// Judging a typed answer against a word, and hiding the word inside its meanings.
#pragma once

#include <cstddef>

#include "wordbook/word_book.h"

enum class Verdict { Right, OneLetterOff, Wrong };

// Size of the buffer that MaskWord returns its copy in (at most 127 bytes of text).
constexpr std::size_t kMaskSize = 128;

// How many bytes of `text` a walk in step with `word` accounts for by matches: letters
// compare without regard to case, and the placeholders "be ", "one's" and "oneself" in
// the word accept their listed forms. 0 when either text is empty or null.
int CountMatch(const char* word, const char* text);

// The same over texts of given lengths (no terminator needed; nothing past them is read).
int CountMatchBytes(const char* word, std::size_t wordLength, const char* text,
                    std::size_t textLength);

// Right for an exact or fully matching answer, OneLetterOff when one byte of the answer
// is unmatched, Wrong otherwise.
Verdict JudgeAnswer(const WordRecord* record, const char* answer);

// A copy of `text` (cut to 127 bytes) with the record's Word hidden wherever it occurs,
// in a static buffer valid until the next call.
const char* MaskWord(const WordRecord* record, const char* text);
