// Whole-text matching of search patterns with `*` and `?` wildcards, in one forward pass.
#pragma once

// 0 when the whole of `text` matches `pattern`, -1 when it does not or either is missing.
// `*` stands for any run of bytes and `?` for one character (a double-byte character as a
// whole). A `*` stops at the first text byte equal to the pattern byte after it, taken
// literally even when it is a wildcard, and never tries a later one.
int WildcardMatch(const char* pattern, const char* text);
