// Fuzzes the remarks history with arbitrary stored texts of any length and any remark.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/standin.h"
#include "wordbook/remarks_history.h"

namespace {

const char kKey[] = "Software\\VOKARU\\ComboString";

std::vector<std::string> Visible()
{
    std::vector<std::string> slots;
    for (int index = 0; index < kComboStringCount; ++index) {
        const char* text = GetComboString(index);
        if (std::strlen(text) >= kComboStringSize)
            std::abort();
        slots.push_back(text);
    }
    return slots;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    StandinReset();
    if (input.ConsumeBool()) {
        auto& values = StandinRegistryData()[kKey];
        for (int number = 1; number <= kComboStringCount; ++number) {
            if (!input.ConsumeBool())
                continue;  // a missing slot
            char name[16];
            std::snprintf(name, sizeof name, "Data%02d", number);
            values[name] = input.ConsumeRandomLengthString(400);
        }
    }
    std::string remarkBytes = input.ConsumeRandomLengthString(200);
    std::string remark(remarkBytes.c_str());  // what a caller's C text holds
    std::uint8_t failures = input.ConsumeIntegral<std::uint8_t>();

    std::vector<std::string> before = Visible();
    ComboStringList list;
    ListComboStrings(&list);

    bool failing = (failures & 0x0F) != 0 && (failures & 0x30) == 0x30;
    if (failing) {
        StandinFail().open = failures & 1;
        StandinFail().create = failures & 2;
        StandinFail().read = failures & 4;
        StandinFail().write = failures & 8;
    }
    PushComboString(remark.c_str());
    GetComboString(static_cast<int>(failures) - 128);
    ListComboStrings(&list);
    if (list.count < 0 || list.count > kComboStringCount)
        std::abort();
    StandinFail() = StandinFailures{};
    std::vector<std::string> after = Visible();

    if (failing || remark == "*Non*")
        return 0;
    // What the combo box shows must move exactly as the history promises.
    std::vector<std::string> expected = before;
    if (!remark.empty() && remark.size() < kComboStringSize) {
        std::size_t found = kComboStringCount - 1;
        for (std::size_t i = 0; i < before.size(); ++i) {
            if (before[i] == remark) {
                found = i;
                break;
            }
        }
        expected.erase(expected.begin() + static_cast<long>(found));
        expected.insert(expected.begin(), remark);
    }
    if (after != expected)
        std::abort();
    return 0;
}
