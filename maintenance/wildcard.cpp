// The search dialog's wildcard matcher: one forward pass over pattern and text.
#include "maintenance/wildcard.h"

#include <cstddef>
#include <cstring>

#include "wordbook/text.h"

namespace {

bool IsWildcard(char c)
{
    return c == '*' || c == '?';
}

// Bytes taken by the character at `p`. A lead byte right before the terminator stands
// alone, so no scan ever steps over the end of its string.
std::size_t CharLength(const char* p)
{
    return IsLeadByte(static_cast<unsigned char>(p[0])) && p[1] != '\0' ? 2 : 1;
}

// The next wildcard from `p`, or the pattern's terminator. Both bytes of a double-byte
// character are skipped together, so a trail byte is never taken for a wildcard.
const char* FindWildcard(const char* p)
{
    while (*p != '\0' && !IsWildcard(*p))
        p += CharLength(p);
    return p;
}

} // namespace

int WildcardMatch(const char* pattern, const char* text)
{
    if (pattern == nullptr || text == nullptr)
        return -1;
    // The pattern is read in place, so there is no limit on its length and the caller's
    // text is never touched.
    const char* p = pattern;
    const char* t = text;
    for (;;) {
        const char* wildcard = FindWildcard(p);
        if (*wildcard == '\0')
            return std::strcmp(p, t) == 0 ? 0 : -1;

        // The literal segment must start the rest of the text. A pattern byte is never
        // NUL, so a text that ends early fails the comparison before it is read past.
        for (; p < wildcard; ++p, ++t) {
            if (*t != *p)
                return -1;
        }

        if (*wildcard == '?') {
            if (*t == '\0')
                return -1;
            t += CharLength(t);
        } else {
            char next = wildcard[1];
            if (next == '\0')
                return 0;
            // Byte steps, not characters: the stop may be the trail byte of a double-byte
            // character. No later occurrence is ever tried.
            while (*t != next) {
                if (*t == '\0')
                    return -1;
                ++t;
            }
        }
        p = wildcard + 1;
    }
}
