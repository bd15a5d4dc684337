// The answer hint: the word's shape with its letters hidden, some shown by pattern.
#pragma once

#include <cstddef>

// Size of the buffer that MakeHint returns its text in (at most 127 bytes of text).
constexpr std::size_t kHintSize = 128;

// The hint for `word` (cut to 127 bytes) under question pattern `pattern`: 1 shows the
// first letter and some random ones, 2 (and anything below) the first letter only,
// 3 (and anything above) no letter. Returns a static buffer valid until the next call.
// Random letters are drawn from the program's generator (drill/random.h).
const char* MakeHint(const char* word, int pattern);
