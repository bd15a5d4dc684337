// The search dialog's rules over the word book: the pattern search, the status line of a
// word and storing an edited word.
#pragma once

#include <cstddef>

#include "wordbook/word_book.h"

// The most a pattern field gives to the search, in bytes (cut on a character boundary).
constexpr std::size_t kPatternLimit = 62;

// Whether `record` is listed by a search: the word pattern matches Word, or else the
// meaning pattern matches Explain1, Explain2 or Explain3. An empty pattern (or none)
// takes no part.
bool MatchesSearch(const WordRecord* record, const char* wordPattern, const char* meaningPattern);

// The next record after `after` (from the first record when `after` is null), in book
// order, that the search lists, or null. Both patterns empty list nothing.
WordRecord* NextSearchMatch(const WordRecord* after, const char* wordPattern,
                            const char* meaningPattern);

// The status line of `record`: `format` (two counts, the rate in percent as a double,
// the check count and today's wrong count) filled from its statistics and the wrong-word
// list. A static buffer, valid until the next call.
const char* FormatStatusLine(const char* format, const WordRecord* record);

// Right answers as a percentage of all answers, 0 when there are none.
double RightRate(const WordRecord* record);

// What the learner has in the detail fields when Modify is pressed.
struct ModifyForm {
    const char* word;
    const char* explain1;
    const char* explain2;
    const char* remark;
    const char* pronunce;  // the working copy's pronunciation
    bool checkOnly;
};

// Stores the form into `record`: the four texts in order, each only when it fits its
// field with a byte to spare, then the remark into the remarks history, the
// pronunciation and the check-only flag. At the first text that does not fit it stops
// and returns false; the texts stored before it keep their new values and nothing else
// changes. The statistics are never touched.
bool ModifyRecord(WordRecord* record, const ModifyForm& form);
