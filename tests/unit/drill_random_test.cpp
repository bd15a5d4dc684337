// The generator's sequence and RandomRange's mapping, checked against an independent
// model of the formula.
#include <climits>
#include <cstdint>

#include <gtest/gtest.h>

#include "drill/random.h"

namespace {

// The generator written out again, in 64-bit arithmetic reduced by hand.
struct ModelGenerator {
    std::uint64_t state;
    int Next()
    {
        state = (state * 214013ull + 2531011ull) % 4294967296ull;
        return static_cast<int>((state >> 16) % 32768ull);
    }
};

} // namespace

TEST(DrillRandom, KnownFirstValuesForSeedOne)
{
    SeedRandom(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358};
    for (int value : expected)
        EXPECT_EQ(NextRandom(), value);
}

TEST(DrillRandom, FollowsTheFormulaForManySeeds)
{
    const std::uint32_t seeds[] = {0u, 1u, 12345u, 429496u, 0x7FFFFFFFu, 0xFFFFFFFFu};
    for (std::uint32_t seed : seeds) {
        SeedRandom(seed);
        ModelGenerator model{seed};
        for (int i = 0; i < 1000; ++i) {
            int value = NextRandom();
            ASSERT_EQ(value, model.Next()) << "seed " << seed << " draw " << i;
            ASSERT_GE(value, 0);
            ASSERT_LE(value, 32767);
        }
        EXPECT_EQ(RandomState(), static_cast<std::uint32_t>(model.state));
    }
}

TEST(DrillRandom, RangeMapsTheNextValue)
{
    struct Case {
        int low, high;
    };
    const Case cases[] = {{0, 9}, {0, 1}, {5, 6}, {-3, 3}, {0, 32767}, {0, 99999},
                          {-100, -50}};
    for (const Case& c : cases) {
        SeedRandom(777);
        ModelGenerator model{777};
        for (int i = 0; i < 200; ++i) {
            long long span = static_cast<long long>(c.high) - c.low + 1;
            int expected = static_cast<int>(c.low + model.Next() % span);
            ASSERT_EQ(RandomRange(c.low, c.high), expected) << c.low << ".." << c.high;
        }
    }
}

TEST(DrillRandom, EmptyOrSingleRangeReturnsLowWithoutDrawing)
{
    const int pairs[][2] = {{0, 0}, {5, 5}, {0, -1}, {0, -2}, {7, 3}, {INT_MAX, INT_MIN}};
    for (const auto& p : pairs) {
        SeedRandom(4242);
        EXPECT_EQ(RandomRange(p[0], p[1]), p[0]);
        EXPECT_EQ(RandomState(), 4242u) << p[0] << ".." << p[1];
    }
}

TEST(DrillRandom, WidestRangeStaysInsideAndDrawsOnce)
{
    SeedRandom(99);
    ModelGenerator model{99};
    for (int i = 0; i < 100; ++i) {
        long long value = RandomRange(INT_MIN, INT_MAX);
        long long expected = static_cast<long long>(INT_MIN) + model.Next();
        ASSERT_EQ(value, expected);
        ASSERT_EQ(RandomState(), static_cast<std::uint32_t>(model.state));
    }
}
