// The remarks history: ten registry values, most recent first, "*Non*" for an empty slot.
#include "wordbook/remarks_history.h"

#include <cstdio>
#include <cstring>

#include "platform/platform.h"

namespace {

constexpr char kHistoryKey[] = "Software\\VOKARU\\ComboString";
constexpr char kEmptySlot[] = "*Non*";

using SlotText = char[kComboStringSize];

// "Data01" for the most recent slot (number 1) up to "Data10".
void MakeSlotName(char (&name)[16], int number)
{
    std::snprintf(name, sizeof name, "Data%02d", number);
}

// Reads slot `number` as stored. A missing value, a failed read or a text that does not
// fit the slot's room reads as the empty-slot mark: a cut remark would be a different
// remark, and the combo box shows such slots as empty anyway.
void ReadSlot(PlatRegKey key, int number, SlotText& text)
{
    char name[16];
    MakeSlotName(name, number);
    std::size_t length = 0;
    if (!PlatRegQueryText(key, name, text, sizeof text, &length) || length >= sizeof text)
        std::memcpy(text, kEmptySlot, sizeof kEmptySlot);
}

void WriteSlot(PlatRegKey key, int number, const char* text)
{
    char name[16];
    MakeSlotName(name, number);
    PlatRegSetText(key, name, text);
}

void CreateHistory()
{
    RegKeyOwner key;
    if (!PlatRegCreate(kHistoryKey, key.Receive()))
        return;
    for (int number = 1; number <= kComboStringCount; ++number)
        WriteSlot(key.Get(), number, kEmptySlot);
}

} // namespace

const char* GetComboString(int index)
{
    static SlotText buffer;
    buffer[0] = '\0';
    RegKeyOwner key;
    if (!PlatRegOpen(kHistoryKey, key.Receive())) {
        // First use on this machine: the new history is empty whatever slot was asked.
        CreateHistory();
        return buffer;
    }
    if (index < 0 || index >= kComboStringCount)
        return buffer;
    ReadSlot(key.Get(), index + 1, buffer);
    if (std::strcmp(buffer, kEmptySlot) == 0)
        buffer[0] = '\0';
    return buffer;
}

void PushComboString(const char* remark)
{
    // A text that does not fit a slot would read back as empty and only push a real
    // remark out of the list.
    if (remark == nullptr || remark[0] == '\0' || std::strlen(remark) >= kComboStringSize)
        return;
    RegKeyOwner key;
    if (!PlatRegOpen(kHistoryKey, key.Receive()))
        return;

    // Slots as stored, from the most recent; `found` is the slot number of the remark,
    // or the last slot, whose text is then dropped.
    SlotText slots[kComboStringCount];
    int found = kComboStringCount;
    for (int number = 1; number <= kComboStringCount; ++number) {
        ReadSlot(key.Get(), number, slots[number - 1]);
        if (std::strcmp(slots[number - 1], remark) == 0) {
            found = number;
            break;
        }
    }
    // From the bottom up, so every text is written before its old place is reused.
    for (int number = found - 1; number >= 1; --number)
        WriteSlot(key.Get(), number + 1, slots[number - 1]);
    WriteSlot(key.Get(), 1, remark);
}

void ListComboStrings(ComboStringList* list)
{
    list->count = 0;
    for (int index = 0; index < kComboStringCount; ++index) {
        const char* text = GetComboString(index);
        if (text[0] == '\0')
            continue;
        std::memcpy(list->texts[list->count], text, std::strlen(text) + 1);
        ++list->count;
    }
}
