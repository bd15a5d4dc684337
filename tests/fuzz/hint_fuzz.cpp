// Fuzzes the answer hint with arbitrary CP932 words and any pattern.
// Input: one byte of pattern, four bytes of generator seed, then the word.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "drill/hint.h"
#include "drill/random.h"
#include "wordbook/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 5)
        return 0;
    // Signed, so that patterns below 1 and far above 3 are reached too.
    int pattern = static_cast<std::int8_t>(data[0]);
    std::uint32_t seed = static_cast<std::uint32_t>(data[1]) |
                         static_cast<std::uint32_t>(data[2]) << 8 |
                         static_cast<std::uint32_t>(data[3]) << 16 |
                         static_cast<std::uint32_t>(data[4]) << 24;
    std::string word(reinterpret_cast<const char*>(data + 5), size - 5);
    word = word.c_str();  // up to the first 0x00
    SeedRandom(seed);

    const char* hint = MakeHint(word.c_str(), pattern);
    std::size_t expected = FitLength(word.data(), word.size(), kHintSize - 1);
    if (std::strlen(hint) != expected)
        std::abort();
    for (std::size_t i = expected; i < kHintSize; ++i) {
        if (hint[i] != '\0')
            std::abort();
    }
    return 0;
}
