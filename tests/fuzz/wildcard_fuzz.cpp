// Fuzzes the wildcard matcher with arbitrary pattern and text bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "maintenance/wildcard.h"
#include "wordbook/text.h"

namespace {

// An exactly sized copy, so any read past the terminator is caught.
std::unique_ptr<char[]> Terminated(const std::uint8_t* data, std::size_t size)
{
    std::unique_ptr<char[]> text(new char[size + 1]);
    if (size > 0)
        std::memcpy(text.get(), data, size);
    text[size] = '\0';
    return text;
}

// True when the matcher sees a wildcard in `pattern` (lead bytes take the next byte).
bool HasWildcard(const char* pattern)
{
    for (const char* p = pattern; *p != '\0';) {
        if (*p == '*' || *p == '?')
            return true;
        p += IsLeadByte(static_cast<unsigned char>(*p)) && p[1] != '\0' ? 2 : 1;
    }
    return false;
}

} // namespace

// Input: pattern bytes, a NUL, text bytes (bytes after a further NUL are ignored).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const void* split = size > 0 ? std::memchr(data, 0, size) : nullptr;
    std::size_t patternSize =
        split ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(split) - data) : size;
    std::size_t textStart = split ? patternSize + 1 : size;
    auto pattern = Terminated(data, patternSize);
    auto text = Terminated(data + textStart, size - textStart);

    int result = WildcardMatch(pattern.get(), text.get());
    if (result != 0 && result != -1)
        std::abort();
    // Without wildcards a pattern matches exactly the identical text.
    if (!HasWildcard(pattern.get()) &&
        (result == 0) != (std::strcmp(pattern.get(), text.get()) == 0))
        std::abort();
    // A lone star matches everything; a text is its own pattern when it holds no wildcard.
    if (WildcardMatch("*", text.get()) != 0)
        std::abort();
    if (!HasWildcard(text.get()) && WildcardMatch(text.get(), text.get()) != 0)
        std::abort();
    return 0;
}
