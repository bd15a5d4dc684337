// Choosing the next word to ask from the word book's statistics.
#pragma once

#include "wordbook/word_book.h"

// Selection tags: which strategy made the final attempt of a pick.
constexpr int kTagNew = 0;
constexpr int kTagMiss1 = 1;
constexpr int kTagMiss2 = 2;
constexpr int kTagRnd = 3;

// How many records PickNew and PickMiss hold as candidates at most.
constexpr int kCandidateLimit = 200;
// PickNew's least-asked search only considers sums of the counters below this.
constexpr int kLeastAskedLimit = 100000;

// "New", "Miss1", "Miss2" or "Rnd" for a tag 0-3; the empty text for any other value.
const char* SelectionTagText(int tag);

// Picks the next word for the question tendency `trend` (1 unasked first, 2 wrong first,
// anything else random) and the display-only flag. Stores the tag of the last strategy
// tried in *tag (when tag is not null). Returns nullptr only for an empty word book.
WordRecord* SelectQuestion(int trend, int displayOnly, int* tag);

// Any record, uniformly; nullptr for an empty book.
WordRecord* PickRnd();

// A random one among the first 200 never-answered words that are not check-only; else,
// unless displayOnly is set, the least asked record.
WordRecord* PickNew(int displayOnly);

// Which key PickMiss ranks the wrongly answered words by.
enum class MissKey { Ratio, Count };

// A random one among the (at most) 200 eligible records with the largest keys.
WordRecord* PickMiss(MissKey key);
