// The two single-byte character rules of the Japanese ANSI code page that judging and
// masking use, written out so the core needs no system call for them.
#pragma once

// Lower-case folding of one single-byte character as the system does it for code page
// 932: only A-Z change; half-width katakana and every other byte stay.
inline unsigned char LowerAnsiByte(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// Whether the system classes one single-byte character as alphabetic under code page
// 932: the ASCII letters and the half-width katakana 0xA6-0xDF (not the half-width
// punctuation 0xA1-0xA5).
inline bool IsAnsiAlphaByte(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= 0xA6 && c <= 0xDF);
}
