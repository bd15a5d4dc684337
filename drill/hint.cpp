// Building the answer hint shown in the question dialog's answer box.
#include "drill/hint.h"

#include <cstring>

#include "drill/random.h"
#include "wordbook/text.h"

namespace {

char g_hint[kHintSize];

// Bytes of the character at `at`; a lead byte at the very end stands alone.
std::size_t CharLength(const char* text, std::size_t length, std::size_t at)
{
    if (IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < length)
        return 2;
    return 1;
}

bool IsAsciiLetter(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Double-byte characters that say nothing about the spelling and so stay in the hint:
// full-width punctuation and symbols (lead 0x81), Cyrillic and box drawing (0x84), the
// NEC extra signs such as circled numbers (0x87), and most of the Greek letters (0x83
// with 0xA0-0xDF).
bool KeepsDoubleByte(unsigned char lead, unsigned char trail)
{
    if (lead == 0x81)
        return trail >= 0x40;
    if (lead == 0x84 || lead == 0x87)
        return true;
    if (lead == 0x83)
        return trail >= 0xA0 && trail <= 0xDF;
    return false;
}

// Hides every letter and most double-byte characters of the word.
void MaskLetters(const char* word, std::size_t length)
{
    bool afterSpace = false;
    std::size_t at = 0;
    while (at < length) {
        unsigned char c = static_cast<unsigned char>(word[at]);
        std::size_t step = CharLength(word, length, at);
        if (step == 2) {
            unsigned char trail = static_cast<unsigned char>(word[at + 1]);
            if (KeepsDoubleByte(c, trail)) {
                g_hint[at] = word[at];
                g_hint[at + 1] = word[at + 1];
            } else {
                g_hint[at] = static_cast<char>(0x81);  // full-width asterisk
                g_hint[at + 1] = static_cast<char>(0x96);
            }
        } else if (IsAsciiLetter(c)) {
            // A one-letter word inside a phrase (the "a" of "have a cold") stays.
            bool alone = at > 0 && afterSpace && (at + 1 == length || word[at + 1] == ' ');
            g_hint[at] = alone ? word[at] : '*';
        } else {
            g_hint[at] = word[at];
        }
        afterSpace = step == 1 && c == ' ';
        at += step;
    }
}

// The first byte of the character that holds byte `p` of the word.
std::size_t CharStart(const char* word, std::size_t length, std::size_t p)
{
    std::size_t at = 0;
    for (;;) {
        std::size_t step = CharLength(word, length, at);
        if (p < at + step)
            return at;
        at += step;
    }
}

// Shows up to length - 2 randomly drawn characters of the word; draws may repeat.
void ShowRandomLetters(const char* word, std::size_t length)
{
    int last = static_cast<int>(length) - 1;
    int times = RandomRange(0, last - 1);
    for (int i = 0; i < times; ++i) {
        std::size_t p = static_cast<std::size_t>(RandomRange(0, last));
        std::size_t start = CharStart(word, length, p);
        std::size_t step = CharLength(word, length, start);
        std::memcpy(g_hint + start, word + start, step);
    }
}

} // namespace

const char* MakeHint(const char* word, int pattern)
{
    std::memset(g_hint, 0, sizeof g_hint);
    if (word == nullptr)
        return g_hint;
    std::size_t length = FitLength(word, std::strlen(word), kHintSize - 1);
    MaskLetters(word, length);
    if (pattern == 1)
        ShowRandomLetters(word, length);
    if (pattern <= 2 && length > 0 && CharLength(word, length, 0) == 1)
        g_hint[0] = word[0];
    return g_hint;
}
