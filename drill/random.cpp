// The linear congruential generator behind every random choice of the drill.
#include "drill/random.h"

namespace {

std::uint32_t g_randomState = 1;

} // namespace

void SeedRandom(std::uint32_t seed)
{
    g_randomState = seed;
}

int NextRandom()
{
    // Unsigned arithmetic wraps modulo 2^32, which the generator relies on.
    g_randomState = g_randomState * 214013u + 2531011u;
    return static_cast<int>((g_randomState >> 16) & 0x7FFFu);
}

std::uint32_t RandomState()
{
    return g_randomState;
}

int RandomRange(int low, int high)
{
    if (low >= high)
        return low;
    // The span of two ints can exceed int; work in 64 bits.
    long long span = static_cast<long long>(high) - low + 1;
    return static_cast<int>(low + NextRandom() % span);
}
