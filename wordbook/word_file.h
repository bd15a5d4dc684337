// The word file: a nine-column CSV text in CP932, one word per line.
#pragma once

#include <cstddef>

constexpr std::size_t kLastErrorSize = 128;

// The failure message of the last LoadCSVFile or SaveAllRecord that failed.
const char* GetLastErrorText();

// Appends every line of the file to the word book. Returns the number of lines read
// (0 for a missing file), or -1 no memory, -2 cannot open, -3 bad data; a failure
// leaves its message in the last error text. A successful load marks the file read-only.
int LoadCSVFile(const char* fileName);

// Writes the whole word book to the file. Returns 0, or -2 when the file cannot be
// opened or written; the old file is then left as it was.
int SaveAllRecord(const char* fileName);

// A text field as the writer writes it: enclosed in double quotes, with inner quotes
// doubled, when it holds a double quote or a comma; bare otherwise. The result lives in
// a static buffer valid until the next call.
const char* QuoteField(const char* text);
