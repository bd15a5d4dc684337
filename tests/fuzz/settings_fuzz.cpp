// Settings read from a registry holding arbitrary texts of any length: reading must stay
// inside its buffers, and what is read must be a text a setting can hold.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/settings.h"
#include "platform/standin.h"

namespace {

const char* const kNames[] = {
    "DataFileName", "TimerInterval", "SoundFileName", "Popup", "DataCount", "Status",
    "CorrectDialog", "CorrectSoundFileName", "WrongSoundFileName", "ProblemPattern",
    "ProblemTrend", "ProblemContinue", "ListingApp",
};

void CheckText(const char (&text)[kSettingTextSize])
{
    if (std::memchr(text, '\0', sizeof text) == nullptr)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    StandinReset();
    // Each setting takes the bytes up to the next 0xFF; the first byte's bits choose
    // which settings exist at all, and which failure switches are on.
    std::size_t pos = 0;
    unsigned present = size > 0 ? data[pos++] : 0;
    unsigned failures = size > 1 ? data[pos++] : 0;
    for (unsigned i = 0; i < sizeof kNames / sizeof kNames[0]; ++i) {
        std::string text;
        while (pos < size && data[pos] != 0xFF)
            text.push_back(static_cast<char>(data[pos++]));
        ++pos;
        if ((present >> (i % 8)) & 1)
            StandinRegistryData()[std::string("Software\\VOKARU\\") + kNames[i]][""] = text;
    }
    StandinFail().open = failures & 1;
    StandinFail().create = failures & 2;
    StandinFail().read = failures & 4;
    StandinFail().write = failures & 8;
    LoadSettings();
    const Settings& s = g_settings;
    CheckText(s.DataFileName);
    CheckText(s.SoundFileName);
    CheckText(s.CorrectSoundFileName);
    CheckText(s.WrongSoundFileName);
    CheckText(s.ListingApp);
    if (s.TimerInterval == 0 || s.Status < 0 || s.Status > 3)
        std::abort();
    SaveSettings();
    return 0;
}
