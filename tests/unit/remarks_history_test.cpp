// The remarks history against the in-memory registry: slots, moves and silent failures.
#include "wordbook/remarks_history.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/standin.h"

namespace {

const char kKey[] = "Software\\VOKARU\\ComboString";

std::string SlotName(int number)
{
    char name[16];
    std::snprintf(name, sizeof name, "Data%02d", number);
    return name;
}

// The ten stored texts, Data01 first ("<missing>" for an absent value).
std::vector<std::string> StoredSlots()
{
    std::vector<std::string> slots;
    auto& values = StandinRegistryData()[kKey];
    for (int number = 1; number <= 10; ++number) {
        auto v = values.find(SlotName(number));
        slots.push_back(v == values.end() ? "<missing>" : v->second);
    }
    return slots;
}

// Stores the given texts in Data01, Data02, ... and "*Non*" in the rest.
void StoreSlots(const std::vector<std::string>& texts)
{
    auto& values = StandinRegistryData()[kKey];
    for (int number = 1; number <= 10; ++number)
        values[SlotName(number)] =
            number <= static_cast<int>(texts.size()) ? texts[number - 1] : "*Non*";
}

std::vector<std::string> Listed()
{
    ComboStringList list;
    ListComboStrings(&list);
    std::vector<std::string> texts;
    for (int i = 0; i < list.count; ++i)
        texts.push_back(list.texts[i]);
    return texts;
}

std::vector<std::string> Numbered(int from, int to)
{
    std::vector<std::string> texts;
    for (int i = from; i <= to; ++i)
        texts.push_back("remark" + std::to_string(i));
    return texts;
}

class RemarksHistory : public ::testing::Test {
protected:
    void SetUp() override { StandinReset(); }
    void TearDown() override { StandinReset(); }
};

TEST_F(RemarksHistory, FirstUseCreatesTenEmptySlots)
{
    for (int index : {7, 0}) {
        StandinReset();
        EXPECT_STREQ(GetComboString(index), "");
        EXPECT_EQ(StoredSlots(), std::vector<std::string>(10, "*Non*"));
    }
    EXPECT_TRUE(Listed().empty());
}

TEST_F(RemarksHistory, ReadsSlotsByIndex)
{
    StoreSlots({"noun", "verb", "*Non*", "adj"});
    EXPECT_STREQ(GetComboString(0), "noun");
    EXPECT_STREQ(GetComboString(1), "verb");
    EXPECT_STREQ(GetComboString(2), "");
    EXPECT_STREQ(GetComboString(3), "adj");
    EXPECT_STREQ(GetComboString(9), "");
    EXPECT_STREQ(GetComboString(-1), "");
    EXPECT_STREQ(GetComboString(10), "");
    EXPECT_EQ(Listed(), (std::vector<std::string>{"noun", "verb", "adj"}));
}

TEST_F(RemarksHistory, MissingSlotReadsEmpty)
{
    StoreSlots({"noun", "verb"});
    StandinRegistryData()[kKey].erase("Data01");
    EXPECT_STREQ(GetComboString(0), "");
    EXPECT_EQ(Listed(), (std::vector<std::string>{"verb"}));
}

// A stored text that does not fit the slot's room is never cut into another remark.
TEST_F(RemarksHistory, OverLongStoredTextReadsEmpty)
{
    std::string fits(127, 'a');
    std::string tooLong(128, 'b');
    std::string huge(5000, 'c');
    StoreSlots({fits, tooLong, huge, "noun"});
    EXPECT_EQ(GetComboString(0), fits);
    EXPECT_STREQ(GetComboString(1), "");
    EXPECT_STREQ(GetComboString(2), "");
    EXPECT_EQ(Listed(), (std::vector<std::string>{fits, "noun"}));

    // Pushing moves the unreadable slots down as empty ones; the rest keep their order.
    PushComboString("verb");
    EXPECT_EQ(StoredSlots(), (std::vector<std::string>{"verb", fits, "*Non*", "*Non*", "noun",
                                                       "*Non*", "*Non*", "*Non*", "*Non*",
                                                       "*Non*"}));
}

TEST_F(RemarksHistory, PushesListNewestFirst)
{
    GetComboString(0);
    PushComboString("noun");
    PushComboString("verb");
    PushComboString("adj");
    EXPECT_EQ(Listed(), (std::vector<std::string>{"adj", "verb", "noun"}));
    EXPECT_EQ(StoredSlots(), (std::vector<std::string>{"adj", "verb", "noun", "*Non*", "*Non*",
                                                       "*Non*", "*Non*", "*Non*", "*Non*",
                                                       "*Non*"}));
}

TEST_F(RemarksHistory, RepushMovesToTopKeepingOthersInOrder)
{
    GetComboString(0);
    PushComboString("noun");
    PushComboString("verb");
    PushComboString("adj");
    PushComboString("verb");
    EXPECT_EQ(StoredSlots(), (std::vector<std::string>{"verb", "adj", "noun", "*Non*", "*Non*",
                                                       "*Non*", "*Non*", "*Non*", "*Non*",
                                                       "*Non*"}));
    // The most recent one again changes nothing.
    PushComboString("verb");
    EXPECT_EQ(Listed(), (std::vector<std::string>{"verb", "adj", "noun"}));
}

TEST_F(RemarksHistory, EleventhDropsTheOldest)
{
    GetComboString(0);
    for (const std::string& remark : Numbered(1, 11))
        PushComboString(remark.c_str());
    std::vector<std::string> expected = Numbered(2, 11);
    std::reverse(expected.begin(), expected.end());
    EXPECT_EQ(StoredSlots(), expected);
}

TEST_F(RemarksHistory, PushOfTheOldestMovesItWithoutLoss)
{
    std::vector<std::string> full = Numbered(1, 10);
    StoreSlots(full);
    PushComboString("remark10");
    std::vector<std::string> expected = {"remark10"};
    expected.insert(expected.end(), full.begin(), full.end() - 1);
    EXPECT_EQ(StoredSlots(), expected);
}

TEST_F(RemarksHistory, PushFromTheMiddleOfAFullHistory)
{
    StoreSlots(Numbered(1, 10));
    PushComboString("remark6");
    EXPECT_EQ(StoredSlots(),
              (std::vector<std::string>{"remark6", "remark1", "remark2", "remark3", "remark4",
                                        "remark5", "remark7", "remark8", "remark9",
                                        "remark10"}));
}

TEST_F(RemarksHistory, EmptyAndUnfittingTextsChangeNothing)
{
    StoreSlots({"noun", "verb"});
    std::vector<std::string> before = StoredSlots();
    PushComboString("");
    PushComboString(nullptr);
    PushComboString(std::string(128, 'x').c_str());
    EXPECT_EQ(StoredSlots(), before);

    std::string longest(127, 'y');
    PushComboString(longest.c_str());
    EXPECT_EQ(Listed(), (std::vector<std::string>{longest, "noun", "verb"}));
}

TEST_F(RemarksHistory, EntriesAreCaseSensitive)
{
    StoreSlots({"Noun", "verb"});
    PushComboString("noun");
    EXPECT_EQ(Listed(), (std::vector<std::string>{"noun", "Noun", "verb"}));
}

TEST_F(RemarksHistory, DoubleByteRemarksCompareWhole)
{
    // "名詞" and "動詞" share their last character.
    StoreSlots({"\x96\xBC\x8E\x8C", "\x93\xAE\x8E\x8C"});
    PushComboString("\x93\xAE\x8E\x8C");
    EXPECT_EQ(Listed(), (std::vector<std::string>{"\x93\xAE\x8E\x8C", "\x96\xBC\x8E\x8C"}));
}

// "*Non*" is stored like any text, taking the first empty slot's place, but never listed.
TEST_F(RemarksHistory, EmptyMarkAsRemarkIsStoredButNotListed)
{
    StoreSlots({"noun", "*Non*", "verb", "adj"});
    PushComboString("*Non*");
    EXPECT_EQ(StoredSlots(), (std::vector<std::string>{"*Non*", "noun", "verb", "adj", "*Non*",
                                                       "*Non*", "*Non*", "*Non*", "*Non*",
                                                       "*Non*"}));
    EXPECT_STREQ(GetComboString(0), "");
    EXPECT_EQ(Listed(), (std::vector<std::string>{"noun", "verb", "adj"}));
}

TEST_F(RemarksHistory, FailedOpenOrCreateIsSilent)
{
    StandinFail().create = true;
    EXPECT_STREQ(GetComboString(0), "");
    EXPECT_TRUE(StandinRegistryData().empty());
    PushComboString("noun");
    EXPECT_TRUE(StandinRegistryData().empty());

    StandinReset();
    StoreSlots({"noun"});
    StandinFail().open = true;
    StandinFail().create = true;
    EXPECT_STREQ(GetComboString(0), "");
    PushComboString("verb");
    StandinFail() = StandinFailures{};
    EXPECT_EQ(Listed(), (std::vector<std::string>{"noun"}));
}

TEST_F(RemarksHistory, FailedReadsGiveEmptyTexts)
{
    StoreSlots({"noun", "verb"});
    StandinFail().read = true;
    EXPECT_STREQ(GetComboString(0), "");
    EXPECT_TRUE(Listed().empty());
    // Unreadable slots move down as empty ones; the push itself still lands.
    PushComboString("adj");
    StandinFail().read = false;
    EXPECT_EQ(Listed(), (std::vector<std::string>{"adj"}));
}

TEST_F(RemarksHistory, FailedWritesAreSilent)
{
    StandinFail().write = true;
    EXPECT_STREQ(GetComboString(0), "");
    StandinFail().write = false;
    // The key was created, its slots could not be written.
    EXPECT_EQ(StoredSlots(), std::vector<std::string>(10, "<missing>"));
    EXPECT_TRUE(Listed().empty());

    StoreSlots({"noun", "verb"});
    StandinFail().write = true;
    PushComboString("adj");
    StandinFail().write = false;
    EXPECT_EQ(Listed(), (std::vector<std::string>{"noun", "verb"}));
}

} // namespace
