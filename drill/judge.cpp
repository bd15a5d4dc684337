// Answer judging and word masking over CP932 texts, both built on one matching walk.
#include "drill/judge.h"

#include <cstring>

#include "drill/cp932_chars.h"
#include "wordbook/text.h"

namespace {

// A placeholder in a word and the forms a learner may write in its place, the
// placeholder itself first so that typing it literally is accepted.
struct Placeholder {
    const char* text;
    const char* const* forms;
    int formCount;
};

const char* const kBeForms[] = {"be ", "is ", "am ", "are ", "was ", "were "};
const char* const kOnesForms[] = {"one's", "my", "our", "your", "his", "her", "their"};
const char* const kOneselfForms[] = {"oneself", "myself", "ourself", "yourself",
                                     "himself", "herself", "themself"};

const Placeholder kPlaceholders[] = {
    {"be ", kBeForms, 6},
    {"one's", kOnesForms, 7},
    {"oneself", kOneselfForms, 7},
};

char g_maskBuffer[kMaskSize];

// Bytes of the character at `at`: 2 for a lead byte with a byte after it inside the
// text, else 1. A lead byte at the very end has nothing to take along and stands alone.
std::size_t CharLength(const char* text, std::size_t length, std::size_t at)
{
    if (IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < length)
        return 2;
    return 1;
}

// Whether `pattern` stands in `text` at `at`, wholly within the text's length.
bool StartsWith(const char* text, std::size_t length, std::size_t at, const char* pattern)
{
    std::size_t n = std::strlen(pattern);
    return length - at >= n && std::memcmp(text + at, pattern, n) == 0;
}

// The placeholder that starts in the word at `at`, or null.
const Placeholder* PlaceholderAt(const char* word, std::size_t length, std::size_t at)
{
    for (const Placeholder& p : kPlaceholders) {
        if (StartsWith(word, length, at, p.text))
            return &p;
    }
    return nullptr;
}

std::size_t BoundedLength(const char* text, std::size_t limit)
{
    const void* end = std::memchr(text, 0, limit);
    return end ? static_cast<std::size_t>(static_cast<const char*>(end) - text) : limit;
}

} // namespace

int CountMatchBytes(const char* word, std::size_t wordLength, const char* text,
                    std::size_t textLength)
{
    if (word == nullptr || text == nullptr)
        return 0;
    std::size_t w = 0;
    std::size_t t = 0;
    std::size_t count = 0;
    // Placeholders count only at the word's start or directly after a space character
    // (not after a double-byte character whose second byte happens to be 0x20).
    bool afterSpace = true;
    while (w < wordLength && t < textLength) {
        const Placeholder* p = afterSpace ? PlaceholderAt(word, wordLength, w) : nullptr;
        if (p != nullptr) {
            const char* taken = nullptr;
            for (int i = 0; i < p->formCount && taken == nullptr; ++i) {
                if (StartsWith(text, textLength, t, p->forms[i]))
                    taken = p->forms[i];
            }
            // A placeholder that no form fits ends the walk: the rest cannot line up.
            if (taken == nullptr)
                break;
            std::size_t formLength = std::strlen(taken);
            count += formLength;
            t += formLength;
            std::size_t placeholderLength = std::strlen(p->text);
            w += placeholderLength;
            afterSpace = p->text[placeholderLength - 1] == ' ';
            continue;
        }
        std::size_t wordStep = CharLength(word, wordLength, w);
        std::size_t textStep = CharLength(text, textLength, t);
        if (wordStep == 2) {
            if (textStep == 2 && word[w] == text[t] && word[w + 1] == text[t + 1])
                count += 2;
        } else if (textStep == 1) {
            unsigned char a = LowerAnsiByte(static_cast<unsigned char>(word[w]));
            unsigned char b = LowerAnsiByte(static_cast<unsigned char>(text[t]));
            if (a == b)
                count += 1;
        }
        afterSpace = wordStep == 1 && word[w] == ' ';
        w += wordStep;
        t += textStep;
    }
    return static_cast<int>(count);
}

int CountMatch(const char* word, const char* text)
{
    if (word == nullptr || text == nullptr)
        return 0;
    return CountMatchBytes(word, std::strlen(word), text, std::strlen(text));
}

Verdict JudgeAnswer(const WordRecord* record, const char* answer)
{
    if (answer == nullptr)
        answer = "";
    const char* word = record != nullptr ? record->Word : "";
    // Word is a fixed field; never read past it even if it lost its terminator.
    std::size_t wordLength = record != nullptr ? BoundedLength(word, kWordSize) : 0;
    std::size_t answerLength = std::strlen(answer);
    if (answerLength == wordLength && std::memcmp(answer, word, wordLength) == 0)
        return Verdict::Right;
    long long shortfall = static_cast<long long>(answerLength) -
                          CountMatchBytes(word, wordLength, answer, answerLength);
    if (shortfall <= 0)
        return Verdict::Right;
    if (shortfall == 1)
        return Verdict::OneLetterOff;
    return Verdict::Wrong;
}

const char* MaskWord(const WordRecord* record, const char* text)
{
    if (text == nullptr)
        text = "";
    std::size_t length = FitLength(text, std::strlen(text), kMaskSize - 1);
    std::memcpy(g_maskBuffer, text, length);
    g_maskBuffer[length] = '\0';
    if (record == nullptr)
        return g_maskBuffer;
    const char* word = record->Word;
    std::size_t wordLength = BoundedLength(word, kWordSize);

    std::size_t at = 0;
    while (at < length) {
        std::size_t step = CharLength(g_maskBuffer, length, at);
        if (step == 2) {
            at += 2;
            continue;
        }
        std::size_t n = static_cast<std::size_t>(
            CountMatchBytes(word, wordLength, g_maskBuffer + at, length - at));
        if (n == 0 || (n != wordLength && n < 4)) {
            at += 1;
            continue;
        }
        // Hide n bytes from here. A double-byte character whose first byte lies in the
        // span is hidden whole, so the span never ends inside a character.
        std::size_t end = at + n;
        while (at < end) {
            std::size_t s = CharLength(g_maskBuffer, length, at);
            if (s == 2) {
                g_maskBuffer[at] = '+';
                g_maskBuffer[at + 1] = '+';
            } else if (IsAnsiAlphaByte(static_cast<unsigned char>(g_maskBuffer[at]))) {
                g_maskBuffer[at] = '*';
            }
            at += s;
        }
    }
    return g_maskBuffer;
}
