// The in-memory word book: word records in file order, and the list operations on it.
#pragma once

#include <cstddef>
#include <cstdint>

// Field sizes, terminator included. The longest text a field holds is one byte less.
constexpr std::size_t kWordSize = 64;
constexpr std::size_t kExplainSize = 128;
constexpr std::size_t kRemarkSize = 64;
constexpr std::size_t kPronunceSize = 64;

// One word. Texts are NUL-terminated CP932 bytes. The link and the counters come first
// so that a walk over the book that only looks at statistics touches one cache line per
// record.
struct WordRecord {
    WordRecord* next;
    std::uint16_t RightCount;
    std::uint16_t WrongCount;
    std::uint16_t CheckCount;
    std::uint16_t CheckOnly;
    char Word[kWordSize];
    char Explain1[kExplainSize];
    char Explain2[kExplainSize];
    char Explain3[kRemarkSize];
    char Pronunce[kPronunceSize];
};

// The book: the first record and the append hint (the last record, or none).
struct WordBook {
    WordRecord* first;
    WordRecord* hint;
};

extern WordBook g_wordBook;

// Fills a record with empty texts and zero numbers.
void ClearRecord(WordRecord* record);

// Copies `record` into a new block at the end of the book. Returns 0, or -1 when no
// memory is left. With no record it only clears the append hint.
int AppendRecord(const WordRecord* record);

// The two halves of an append, for the loader, which fills a record in place: a new,
// unlinked block with empty texts and zero numbers (nullptr when no memory is left), and
// linking it at the end of the book. A block that is not linked goes back with
// ReleaseRecord.
WordRecord* NewRecord();
void LinkRecord(WordRecord* record);
void ReleaseRecord(WordRecord* record);

// First record whose Word equals `word` byte for byte, or nullptr.
WordRecord* FindRecord(const char* word);

// Unlinks and releases `record`; clears the append hint. Does nothing for nullptr or a
// record that is not in the book.
void RemoveRecord(WordRecord* record);

// Number of records (walks the book).
int CountRecords();

// Releases every record of `book` and leaves it empty.
void FreeWordBook(WordBook* book);

// Test hook: make the next `count` record allocations succeed and the one after fail.
// A negative count (the default) never fails.
void SetRecordAllocationLimit(long count);

// Copies `text` into a field of `size` bytes, cutting it to size - 1 bytes without
// splitting a double-byte character. Returns false when the text had to be cut.
bool CopyField(char* field, std::size_t size, const char* text);
