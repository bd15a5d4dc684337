// Byte-level helpers for CP932 (Shift JIS) text as the word book keeps it.
#pragma once

#include <cstddef>

// First byte of a double-byte character: the fixed ranges 0x81-0x9F and 0xE0-0xFF.
// Used wherever text is scanned byte by byte, never a query of the code page.
inline bool IsLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || c >= 0xE0;
}

// The last backslash of a path that is a real separator, or nullptr. Scans by character:
// the second byte of a double-byte character (ソ is 0x83 0x5C) is never taken for one.
inline const char* FindLastBackslash(const char* path)
{
    const char* last = nullptr;
    for (const char* p = path; *p != '\0'; ++p) {
        if (IsLeadByte(static_cast<unsigned char>(*p)) && p[1] != '\0')
            ++p;
        else if (*p == '\\')
            last = p;
    }
    return last;
}

// Length of the longest prefix of `text` (of `length` bytes) that is at most `limit`
// bytes and does not end in the middle of a double-byte character.
inline std::size_t FitLength(const char* text, std::size_t length, std::size_t limit)
{
    if (length <= limit)
        return length;
    std::size_t i = 0;
    while (i < limit) {
        std::size_t step = IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
        if (i + step > limit)
            break;
        i += step;
    }
    return i;
}
