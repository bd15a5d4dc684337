// Question selection: strategies, fallbacks, tags, limits and the odds per tendency.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "drill/random.h"
#include "drill/selection.h"
#include "tests/unit/test_helpers.h"

namespace {

// One step of the generator, computed here so tests can predict draws.
std::uint32_t Step(std::uint32_t state)
{
    return state * 214013u + 2531011u;
}

int FirstValue(std::uint32_t seed)
{
    return static_cast<int>((Step(seed) >> 16) & 0x7FFF);
}

// Position of a record in the book, or -1.
int IndexOf(const WordRecord* record)
{
    int i = 0;
    for (const WordRecord* r = g_wordBook.first; r != nullptr; r = r->next, ++i) {
        if (r == record)
            return i;
    }
    return -1;
}

class DrillSelection : public ::testing::Test {
protected:
    void SetUp() override { ResetWorld(); }
    void TearDown() override { ResetWorld(); }
};

} // namespace

TEST_F(DrillSelection, TagTexts)
{
    EXPECT_STREQ(SelectionTagText(kTagNew), "New");
    EXPECT_STREQ(SelectionTagText(kTagMiss1), "Miss1");
    EXPECT_STREQ(SelectionTagText(kTagMiss2), "Miss2");
    EXPECT_STREQ(SelectionTagText(kTagRnd), "Rnd");
    EXPECT_STREQ(SelectionTagText(-1), "");
    EXPECT_STREQ(SelectionTagText(4), "");
}

TEST_F(DrillSelection, EmptyBookGivesNoneWithTagRnd)
{
    for (int trend : {0, 1, 2, 3, 7}) {
        for (int displayOnly : {0, 1}) {
            for (std::uint32_t seed = 0; seed < 10; ++seed) {
                SeedRandom(seed);
                int tag = -1;
                EXPECT_EQ(SelectQuestion(trend, displayOnly, &tag), nullptr);
                EXPECT_EQ(tag, kTagRnd) << "trend " << trend << " seed " << seed;
            }
        }
    }
    EXPECT_EQ(PickRnd(), nullptr);
    EXPECT_EQ(PickNew(0), nullptr);
    EXPECT_EQ(PickMiss(MissKey::Ratio), nullptr);
    EXPECT_EQ(PickMiss(MissKey::Count), nullptr);
}

TEST_F(DrillSelection, SingleCandidateDrawsNoNumber)
{
    AddWord("only", "", "", "", 1, 1);  // eligible for every strategy
    for (int strategy = 0; strategy < 4; ++strategy) {
        SeedRandom(2024);
        WordRecord* r = strategy == 0   ? PickNew(0)
                        : strategy == 1 ? PickMiss(MissKey::Ratio)
                        : strategy == 2 ? PickMiss(MissKey::Count)
                                        : PickRnd();
        EXPECT_EQ(r, g_wordBook.first) << strategy;
        EXPECT_EQ(RandomState(), 2024u) << strategy;
    }
    // The whole pick then draws just the strategy's number.
    for (int trend : {1, 2, 3}) {
        SeedRandom(31337);
        int tag = -1;
        EXPECT_EQ(SelectQuestion(trend, 0, &tag), g_wordBook.first);
        EXPECT_EQ(RandomState(), Step(31337));
    }
}

TEST_F(DrillSelection, SingleUnaskedAmongAskedDrawsNoNumber)
{
    AddWord("asked", "", "", "", 2, 0);
    AddWord("fresh");
    AddWord("shown", "", "", "", 0, 0, 0, 1);
    SeedRandom(5);
    EXPECT_EQ(IndexOf(PickNew(0)), 1);
    EXPECT_EQ(RandomState(), 5u);
}

TEST_F(DrillSelection, NewPicksOnlyAmongTheFirst200Unasked)
{
    for (int i = 0; i < 250; ++i)
        AddWord(("w" + std::to_string(i)).c_str());
    int highest = -1;
    SeedRandom(11);
    for (int draw = 0; draw < 5000; ++draw) {
        int index = IndexOf(PickNew(0));
        ASSERT_GE(index, 0);
        ASSERT_LT(index, 200);
        highest = std::max(highest, index);
    }
    EXPECT_EQ(highest, 199);
}

TEST_F(DrillSelection, NewSkipsAskedAndCheckOnlyWords)
{
    for (int i = 0; i < 10; ++i) {
        AddWord("asked", "", "", "", 0, 1);
        AddWord("fresh");
        AddWord("shown", "", "", "", 0, 0, 0, 1);
    }
    SeedRandom(3);
    for (int draw = 0; draw < 500; ++draw)
        ASSERT_EQ(IndexOf(PickNew(0)) % 3, 1);
}

TEST_F(DrillSelection, AllCheckOnlyBook)
{
    AddWord("a", "", "", "", 3, 0, 4, 1);  // sum 7
    AddWord("b", "", "", "", 0, 2, 1, 1);  // sum 3: least asked
    AddWord("c", "", "", "", 1, 1, 1, 1);  // sum 3, later: loses the tie
    AddWord("d", "", "", "", 0, 0, 9, 1);
    WordRecord* least = g_wordBook.first->next;

    EXPECT_EQ(PickMiss(MissKey::Ratio), nullptr);
    EXPECT_EQ(PickMiss(MissKey::Count), nullptr);
    EXPECT_EQ(PickNew(0), least);
    EXPECT_EQ(PickNew(1), nullptr);

    for (int trend : {1, 2, 3}) {
        for (std::uint32_t seed = 0; seed < 200; ++seed) {
            SeedRandom(seed);
            int tag = -1;
            WordRecord* r = SelectQuestion(trend, 1, &tag);
            ASSERT_NE(r, nullptr);
            ASSERT_EQ(tag, kTagRnd) << "trend " << trend << " seed " << seed;

            SeedRandom(seed);
            r = SelectQuestion(trend, 0, &tag);
            ASSERT_TRUE(tag == kTagNew || tag == kTagRnd);
            if (tag == kTagNew)
                ASSERT_EQ(r, least);
        }
    }
}

TEST_F(DrillSelection, Eligibility)
{
    struct Case {
        unsigned right, wrong, check, checkOnly;
        bool miss1, miss2, leastAsked;
    };
    const Case cases[] = {
        {4, 1, 0, 0, false, false, true},
        {3, 1, 0, 0, false, true, true},
        {1, 1, 0, 0, true, true, true},
        {0, 1, 0, 0, true, true, true},
        {2, 0, 0, 0, false, false, true},
        {0, 0, 5, 0, false, false, false},  // unasked: a New candidate instead
        {0, 3, 0, 1, false, false, true},   // check-only is never a wrong word
        {5, 3, 0, 0, false, true, true},
        {6, 3, 0, 0, false, false, true},
        {65535, 65535, 0, 0, true, true, false},  // sum 131070
        {40000, 40000, 19999, 0, true, true, true},   // sum 99999
        {40000, 40000, 20000, 0, true, true, false},  // sum 100000
        {65535, 65535, 65535, 0, true, true, false},
    };
    for (const Case& c : cases) {
        ResetWorld();
        AddWord("w", "", "", "", c.right, c.wrong, c.check, c.checkOnly);
        std::string what = std::to_string(c.right) + "/" + std::to_string(c.wrong) + "/" +
                           std::to_string(c.check) + "/" + std::to_string(c.checkOnly);
        EXPECT_EQ(PickMiss(MissKey::Ratio) != nullptr, c.miss1) << what;
        EXPECT_EQ(PickMiss(MissKey::Count) != nullptr, c.miss2) << what;
        if (!(c.right + c.wrong == 0 && c.checkOnly == 0))
            EXPECT_EQ(PickNew(0) != nullptr, c.leastAsked) << what;
    }
}

TEST_F(DrillSelection, LeastAskedIsTheFirstWithTheSmallestSum)
{
    AddWord("a", "", "", "", 5, 5, 0);
    AddWord("b", "", "", "", 1, 2, 0);
    AddWord("c", "", "", "", 0, 1, 2);
    AddWord("d", "", "", "", 2, 1, 1);
    SeedRandom(8);
    EXPECT_EQ(IndexOf(PickNew(0)), 1);
    EXPECT_EQ(RandomState(), 8u);
}

TEST_F(DrillSelection, WrongFirstFallsFromMiss1ToMiss2)
{
    AddWord("asked", "", "", "", 3, 0);
    AddWord("near", "", "", "", 3, 1);  // Miss2 only
    WordRecord* near = g_wordBook.first->next;
    int tried = 0;
    for (std::uint32_t seed = 0; seed < 300; ++seed) {
        if (FirstValue(seed) % 10 > 2)
            continue;
        ++tried;
        SeedRandom(seed);
        int tag = -1;
        EXPECT_EQ(SelectQuestion(2, 0, &tag), near);
        EXPECT_EQ(tag, kTagMiss2) << "seed " << seed;
    }
    EXPECT_GT(tried, 20);
}

TEST_F(DrillSelection, FailedAttemptFallsToNewThenRnd)
{
    AddWord("asked", "", "", "", 3, 0, 0);
    AddWord("shown", "", "", "", 0, 0, 0, 1);
    for (std::uint32_t seed = 0; seed < 300; ++seed) {
        int d = FirstValue(seed) % 10;
        SeedRandom(seed);
        int tag = -1;
        // Unasked first, d = 6 or 7: no wrong word, so New gives the least asked word.
        WordRecord* r = SelectQuestion(1, 0, &tag);
        if (d == 6 || d == 7) {
            EXPECT_EQ(tag, kTagNew);
            EXPECT_EQ(r, g_wordBook.first->next);  // check-only, sum 0
        }
        // Display-only: New has no candidate either, so Rnd decides.
        SeedRandom(seed);
        r = SelectQuestion(1, 1, &tag);
        ASSERT_NE(r, nullptr);
        if (d <= 7)
            EXPECT_EQ(tag, kTagRnd) << "seed " << seed;
    }
}

TEST_F(DrillSelection, OtherTendenciesBehaveLikeRandom)
{
    for (int i = 0; i < 30; ++i) {
        AddWord("n");
        AddWord("m", "", "", "", i % 3, 1 + i % 4);
        AddWord("k", "", "", "", 0, 0, i, 1);
    }
    for (int trend : {0, 7, -1, 100}) {
        for (std::uint32_t seed = 0; seed < 500; ++seed) {
            SeedRandom(seed);
            int tagRandom = -1;
            WordRecord* expected = SelectQuestion(3, 0, &tagRandom);
            std::uint32_t stateRandom = RandomState();
            SeedRandom(seed);
            int tag = -1;
            ASSERT_EQ(SelectQuestion(trend, 0, &tag), expected) << trend << " " << seed;
            ASSERT_EQ(tag, tagRandom);
            ASSERT_EQ(RandomState(), stateRandom);
        }
    }
}

TEST_F(DrillSelection, OddsPerTendency)
{
    // Every strategy finds something, so the tag names the first attempt.
    for (int i = 0; i < 40; ++i) {
        AddWord("new");
        AddWord("miss", "", "", "", i % 2, 1 + i % 5);
        AddWord("done", "", "", "", 5, 0);
    }
    struct Odds {
        int trend;
        double share[4];  // New, Miss1, Miss2, Rnd
    };
    const Odds table[] = {
        {1, {0.6, 0.1, 0.1, 0.2}},
        {2, {0.2, 0.3, 0.3, 0.2}},
        {3, {0.2, 0.1, 0.1, 0.6}},
    };
    const int draws = 20000;
    SeedRandom(123456);
    for (const Odds& o : table) {
        int counts[4] = {0, 0, 0, 0};
        for (int i = 0; i < draws; ++i) {
            int tag = -1;
            ASSERT_NE(SelectQuestion(o.trend, 0, &tag), nullptr);
            ASSERT_GE(tag, 0);
            ASSERT_LE(tag, 3);
            ++counts[tag];
        }
        for (int t = 0; t < 4; ++t) {
            EXPECT_NEAR(static_cast<double>(counts[t]) / draws, o.share[t], 0.015)
                << "trend " << o.trend << " tag " << SelectionTagText(t);
        }
    }
}

TEST_F(DrillSelection, RndReachesEveryRecordUniformly)
{
    for (int i = 0; i < 10; ++i)
        AddWord("w", "", "", "", i, 0, 0, i % 2);
    std::map<int, int> seen;
    SeedRandom(77);
    for (int i = 0; i < 10000; ++i)
        ++seen[IndexOf(PickRnd())];
    ASSERT_EQ(seen.size(), 10u);
    for (const auto& [index, count] : seen)
        EXPECT_NEAR(count, 1000, 150) << index;
}

TEST_F(DrillSelection, MissHoldsThe200LargestCounts)
{
    // 300 eligible words with wrong counts 1..300, shuffled by a fixed stride.
    for (int i = 0; i < 300; ++i)
        AddWord("w", "", "", "", 0, 1 + (i * 7) % 300);
    SeedRandom(19);
    for (int draw = 0; draw < 3000; ++draw) {
        WordRecord* r = PickMiss(MissKey::Count);
        ASSERT_NE(r, nullptr);
        ASSERT_GT(r->WrongCount, 100);
    }
}

TEST_F(DrillSelection, MissReplacesTheSmallestAndRescans)
{
    AddWord("five", "", "", "", 0, 5);
    for (int i = 0; i < 199; ++i)
        AddWord("ten", "", "", "", 0, 10);
    AddWord("seven", "", "", "", 0, 7);  // replaces five, then is the smallest
    AddWord("eight", "", "", "", 0, 8);  // replaces seven
    AddWord("six", "", "", "", 0, 6);    // smaller than all held: ignored
    AddWord("eight2", "", "", "", 0, 8); // equal to the smallest held: ignored
    std::map<std::string, int> seen;
    SeedRandom(1);
    for (int draw = 0; draw < 20000; ++draw)
        ++seen[PickMiss(MissKey::Count)->Word];
    EXPECT_EQ(seen.count("five"), 0u);
    EXPECT_EQ(seen.count("seven"), 0u);
    EXPECT_EQ(seen.count("six"), 0u);
    EXPECT_EQ(seen.count("eight2"), 0u);
    EXPECT_GT(seen["eight"], 0);
    EXPECT_GT(seen["ten"], 0);
}

TEST_F(DrillSelection, MissRatioPrefersHigherShares)
{
    for (int i = 0; i < 200; ++i)
        AddWord("half", "", "", "", 1, 1);  // 0.5
    AddWord("all", "", "", "", 0, 3);       // 1.0 replaces a half
    AddWord("third", "", "", "", 1, 2);     // 0.667 replaces another
    std::map<std::string, int> seen;
    SeedRandom(2);
    for (int draw = 0; draw < 20000; ++draw)
        ++seen[PickMiss(MissKey::Ratio)->Word];
    EXPECT_GT(seen["all"], 0);
    EXPECT_GT(seen["third"], 0);
    EXPECT_EQ(seen["half"] + seen["all"] + seen["third"], 20000);
}

TEST_F(DrillSelection, SmallestRatioIsComparedInSinglePrecision)
{
    // 5/6 rounds down in single precision, so an equal key counts as greater and
    // replaces a held record; 2/3 rounds up, so an equal key does not.
    struct Case {
        unsigned right, wrong;
        bool lastHeld;
    };
    const Case cases[] = {{1, 5, true}, {1, 2, false}};
    for (const Case& c : cases) {
        ResetWorld();
        for (int i = 0; i < 200; ++i)
            AddWord("held", "", "", "", c.right, c.wrong);
        AddWord("last", "", "", "", c.right, c.wrong);
        int lastSeen = 0;
        SeedRandom(3);
        for (int draw = 0; draw < 20000; ++draw)
            lastSeen += std::string(PickMiss(MissKey::Ratio)->Word) == "last";
        EXPECT_EQ(lastSeen > 0, c.lastHeld) << c.right << "/" << c.wrong;
    }
}

TEST_F(DrillSelection, NullTagIsAllowed)
{
    AddWord("w");
    SeedRandom(1);
    EXPECT_EQ(SelectQuestion(1, 0, nullptr), g_wordBook.first);
}

namespace {

// The wrong-word pick written the plain way, slot rescans and all, to check the
// production version against on many books.
WordRecord* ReferencePickMiss(MissKey key)
{
    std::vector<WordRecord*> slots;
    std::vector<double> keys;
    float smallest = key == MissKey::Ratio ? 1.0f : 10000.0f;
    std::size_t smallestSlot = 0;
    for (WordRecord* r = g_wordBook.first; r != nullptr; r = r->next) {
        unsigned right = r->RightCount, wrong = r->WrongCount;
        if (wrong < 1 || r->CheckOnly != 0)
            continue;
        if (key == MissKey::Ratio ? right > wrong : right > wrong + 2)
            continue;
        double value = key == MissKey::Ratio ? double(wrong) / double(right + wrong)
                                             : double(wrong);
        if (slots.size() < 200) {
            if (value <= smallest) {
                smallest = static_cast<float>(value);
                smallestSlot = slots.size();
            }
            slots.push_back(r);
            keys.push_back(value);
        } else if (value > smallest) {
            slots[smallestSlot] = r;
            keys[smallestSlot] = value;
            smallestSlot = 0;
            for (std::size_t i = 1; i < keys.size(); ++i) {
                if (keys[i] < keys[smallestSlot])
                    smallestSlot = i;
            }
            smallest = static_cast<float>(keys[smallestSlot]);
        }
    }
    if (slots.empty())
        return nullptr;
    return slots[RandomRange(0, static_cast<int>(slots.size()) - 1)];
}

} // namespace

TEST_F(DrillSelection, MissAgreesWithPlainRescans)
{
    std::uint32_t dice = 99;
    auto roll = [&dice](unsigned n) {
        dice = Step(dice);
        return (dice >> 8) % n;
    };
    for (int book = 0; book < 60; ++book) {
        ResetWorld();
        int words = 150 + static_cast<int>(roll(1500));
        // Small books of few distinct keys, and some with counts in the thousands
        // where neighbouring ratios round to the same single-precision value.
        unsigned spread = book % 3 == 0 ? 5000 : 4 + book % 9;
        for (int i = 0; i < words; ++i) {
            unsigned wrong = roll(spread + 1);
            unsigned right = roll(spread + 3);
            AddWord("w", "", "", "", right, wrong, 0, roll(20) == 0);
        }
        for (MissKey key : {MissKey::Ratio, MissKey::Count}) {
            for (std::uint32_t seed = 0; seed < 20; ++seed) {
                SeedRandom(seed);
                WordRecord* expected = ReferencePickMiss(key);
                std::uint32_t state = RandomState();
                SeedRandom(seed);
                ASSERT_EQ(PickMiss(key), expected) << "book " << book << " seed " << seed;
                ASSERT_EQ(RandomState(), state);
            }
        }
    }
}
