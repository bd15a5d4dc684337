// The word book's list operations.
#include "wordbook/word_book.h"

#include <cstdlib>
#include <cstring>

#include "wordbook/text.h"

WordBook g_wordBook = {nullptr, nullptr};

namespace {

long g_allocationsLeft = -1;

WordRecord* AllocateRecord()
{
    if (g_allocationsLeft == 0)
        return nullptr;
    if (g_allocationsLeft > 0)
        --g_allocationsLeft;
    return static_cast<WordRecord*>(std::malloc(sizeof(WordRecord)));
}

} // namespace

void SetRecordAllocationLimit(long count)
{
    g_allocationsLeft = count;
}

void ClearRecord(WordRecord* record)
{
    std::memset(record, 0, sizeof *record);
}

WordRecord* NewRecord()
{
    WordRecord* block = AllocateRecord();
    if (block == nullptr)
        return nullptr;
    // Only the link, the numbers and the first byte of each text need clearing; the rest
    // of a text buffer is never read past its terminator.
    block->next = nullptr;
    block->RightCount = block->WrongCount = block->CheckCount = block->CheckOnly = 0;
    block->Word[0] = block->Explain1[0] = block->Explain2[0] = '\0';
    block->Explain3[0] = block->Pronunce[0] = '\0';
    return block;
}

void ReleaseRecord(WordRecord* record)
{
    std::free(record);
}

int AppendRecord(const WordRecord* record)
{
    if (record == nullptr) {
        g_wordBook.hint = nullptr;
        return 0;
    }
    WordRecord* block = AllocateRecord();
    if (block == nullptr)
        return -1;
    std::memcpy(block, record, sizeof *block);
    LinkRecord(block);
    return 0;
}

void LinkRecord(WordRecord* block)
{
    block->next = nullptr;
    if (g_wordBook.first == nullptr) {
        g_wordBook.first = block;
    } else {
        WordRecord* last = g_wordBook.hint;
        if (last == nullptr) {
            last = g_wordBook.first;
            while (last->next != nullptr)
                last = last->next;
        }
        last->next = block;
    }
    g_wordBook.hint = block;
}

WordRecord* FindRecord(const char* word)
{
    if (word == nullptr)
        return nullptr;
    for (WordRecord* r = g_wordBook.first; r != nullptr; r = r->next) {
        if (std::strcmp(r->Word, word) == 0)
            return r;
    }
    return nullptr;
}

void RemoveRecord(WordRecord* record)
{
    if (record == nullptr)
        return;
    if (g_wordBook.first == record) {
        g_wordBook.first = record->next;
    } else {
        WordRecord* before = g_wordBook.first;
        while (before != nullptr && before->next != record)
            before = before->next;
        if (before == nullptr)
            return; // not in the book
        before->next = record->next;
    }
    std::free(record);
    g_wordBook.hint = nullptr;
}

int CountRecords()
{
    int count = 0;
    for (const WordRecord* r = g_wordBook.first; r != nullptr; r = r->next)
        ++count;
    return count;
}

void FreeWordBook(WordBook* book)
{
    WordRecord* r = book->first;
    while (r != nullptr) {
        WordRecord* next = r->next;
        std::free(r);
        r = next;
    }
    book->first = nullptr;
    book->hint = nullptr;
}

bool CopyField(char* field, std::size_t size, const char* text)
{
    std::size_t length = std::strlen(text);
    std::size_t kept = FitLength(text, length, size - 1);
    std::memcpy(field, text, kept);
    field[kept] = '\0';
    return kept == length;
}
