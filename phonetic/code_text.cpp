// The pronunciation editor's rules for reading, appending to and storing its code text.
#include "phonetic/code_text.h"

#include <cstring>

#include "phonetic/phonetic_code.h"
#include "wordbook/text.h"

namespace {

// The last character of `text` (of `length` bytes) is an accent mark. Walks the text a
// character at a time, so the second byte of a double-byte character never counts.
bool EndsWithAccentMark(const char* text, std::size_t length)
{
    std::size_t last = 0;
    std::size_t i = 0;
    while (i < length) {
        last = i;
        i += IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    }
    if (i != last + 1)
        return false;  // a double-byte character (or a lone lead byte) ends the text
    return FindAccentMark(static_cast<unsigned char>(text[last])) >= 0;
}

} // namespace

std::size_t CodeTextLength(const char* fieldText)
{
    return FitLength(fieldText, std::strlen(fieldText), kCodeTextLimit);
}

void ReadCodeText(const char* fieldText, char* out, std::size_t size)
{
    if (size == 0)
        return;
    std::size_t length = CodeTextLength(fieldText);
    length = FitLength(fieldText, length, size - 1);
    std::memcpy(out, fieldText, length);
    out[length] = '\0';
}

void StoreCodeText(WordRecord* record, const char* fieldText)
{
    ReadCodeText(fieldText, record->Pronunce, sizeof record->Pronunce);
}

bool IsSymbolCommand(int id)
{
    return id >= kSymbolButtonFirstId && id <= kAccentButtonLastId;
}

char SymbolCharacter(int id, const char* caption)
{
    if (id >= kAccentButtonFirstId && id <= kAccentButtonLastId)
        return kAccentMarks[id - kAccentButtonFirstId].mark;
    if (!IsSymbolCommand(id) || caption == nullptr)
        return '\0';
    if (id <= kGlyphButtonLastId)
        return caption[0] == '\0' ? '\0' : caption[1];
    return caption[0];
}

bool AppendSymbol(char* text, std::size_t size, int id, const char* caption)
{
    char symbol = SymbolCharacter(id, caption);
    if (symbol == '\0')
        return false;
    std::size_t length = 0;
    while (length < size && text[length] != '\0')
        ++length;
    // A full text takes nothing more: the field then never holds more than OK stores.
    if (length >= kCodeTextLimit || length + 2 > size)
        return false;
    bool accentButton = id >= kAccentButtonFirstId;
    if (accentButton && (length == 0 || EndsWithAccentMark(text, length)))
        return false;
    text[length] = symbol;
    text[length + 1] = '\0';
    return true;
}
