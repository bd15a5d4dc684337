// Settings storage in the registry, with their defaults.
#include "app/settings.h"

#include <cstdio>
#include <cstring>

#include "platform/platform.h"
#include "wordbook/text.h"

Settings g_settings;

namespace {

constexpr char kKeyFormat[] = "Software\\VOKARU\\%s";
constexpr char kDefaultFileName[] = "tango.csv";

void MakeKeyPath(char (&path)[256], const char* name)
{
    std::snprintf(path, sizeof path, kKeyFormat, name);
}

void CopySettingText(char (&field)[kSettingTextSize], const char* text)
{
    std::size_t length = FitLength(text, std::strlen(text), kSettingTextSize - 1);
    std::memcpy(field, text, length);
    field[length] = '\0';
}

int ReadIntSetting(const char* name, const char* defaultText)
{
    long long value = ParseSettingNumber(ReadSetting(name, defaultText));
    // Out-of-range numbers keep their low 32 bits, as a plain conversion would.
    return static_cast<int>(static_cast<unsigned int>(value));
}

} // namespace

long long ParseSettingNumber(const char* text)
{
    const char* p = text;
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\v' || *p == '\f')
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = (*p == '-');
        ++p;
    }
    unsigned long long value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + static_cast<unsigned>(*p - '0');
        value &= 0xFFFFFFFFull; // only the low 32 bits ever matter
    }
    long long result = static_cast<long long>(value);
    return negative ? -result : result;
}

const char* ReadSetting(const char* name, const char* defaultText)
{
    static char buffer[kSettingTextSize];
    char path[256];
    MakeKeyPath(path, name);
    RegKeyOwner key;
    if (!PlatRegOpen(path, key.Receive())) {
        RegKeyOwner created;
        if (PlatRegCreate(path, created.Receive()))
            PlatRegSetText(created.Get(), nullptr, defaultText);
        CopySettingText(buffer, defaultText);
        return buffer;
    }
    std::size_t length = 0;
    if (!PlatRegQueryText(key.Get(), nullptr, buffer, sizeof buffer, &length)) {
        buffer[0] = '\0';
        return buffer;
    }
    if (length >= sizeof buffer) {
        // Too long for any setting: cut, it would name another file or a wrong number,
        // so the setting falls back to its default and the stored text is left alone.
        CopySettingText(buffer, defaultText);
    }
    return buffer;
}

void WriteSetting(const char* name, const char* text)
{
    char path[256];
    MakeKeyPath(path, name);
    RegKeyOwner key;
    if (!PlatRegOpen(path, key.Receive()))
        return;
    PlatRegSetText(key.Get(), nullptr, text);
}

void WriteIntSetting(const char* name, int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    WriteSetting(name, text);
}

void MakeDefaultDataFileName(char* buffer, std::size_t size)
{
    char program[1024];
    const char* slash = nullptr;
    if (PlatGetProgramPath(program, sizeof program))
        slash = FindLastBackslash(program);
    // Without the program's folder, or when the name would not fit a setting, the word
    // file is looked for in the current folder.
    std::size_t folder = slash ? static_cast<std::size_t>(slash - program) + 1 : 0;
    if (slash == nullptr || folder + sizeof kDefaultFileName > size) {
        std::snprintf(buffer, size, "%s", kDefaultFileName);
        return;
    }
    std::memcpy(buffer, program, folder);
    std::memcpy(buffer + folder, kDefaultFileName, sizeof kDefaultFileName);
}

void LoadSettings()
{
    Settings& s = g_settings;
    char defaultFile[kSettingTextSize];
    MakeDefaultDataFileName(defaultFile, sizeof defaultFile);
    CopySettingText(s.DataFileName, ReadSetting("DataFileName", defaultFile));
    long long interval = ParseSettingNumber(ReadSetting("TimerInterval", "600000"));
    s.TimerInterval = static_cast<std::uint32_t>(interval);
    if (s.TimerInterval == 0)
        s.TimerInterval = kDefaultTimerInterval;
    CopySettingText(s.SoundFileName, ReadSetting("SoundFileName", ""));
    s.Popup = ReadIntSetting("Popup", "1");
    s.DataCount = ReadIntSetting("DataCount", "0");
    s.Status = ReadIntSetting("Status", "0");
    // The tray knows four states only; anything else starts as the default.
    if (s.Status < 0 || s.Status > 3)
        s.Status = 0;
    s.CorrectDialog = ReadIntSetting("CorrectDialog", "1");
    CopySettingText(s.CorrectSoundFileName, ReadSetting("CorrectSoundFileName", ""));
    CopySettingText(s.WrongSoundFileName, ReadSetting("WrongSoundFileName", ""));
    s.ProblemPattern = ReadIntSetting("ProblemPattern", "1");
    s.ProblemTrend = ReadIntSetting("ProblemTrend", "1");
    s.ProblemContinue = ReadIntSetting("ProblemContinue", "1");
    CopySettingText(s.ListingApp, ReadSetting("ListingApp", ""));
}

void SaveSettings()
{
    const Settings& s = g_settings;
    char number[16];
    WriteSetting("DataFileName", s.DataFileName);
    std::snprintf(number, sizeof number, "%u", static_cast<unsigned>(s.TimerInterval));
    WriteSetting("TimerInterval", number);
    WriteSetting("SoundFileName", s.SoundFileName);
    WriteIntSetting("Popup", s.Popup);
    WriteIntSetting("CorrectDialog", s.CorrectDialog);
    WriteSetting("CorrectSoundFileName", s.CorrectSoundFileName);
    WriteSetting("WrongSoundFileName", s.WrongSoundFileName);
    WriteIntSetting("Status", s.Status);
    WriteIntSetting("ProblemPattern", s.ProblemPattern);
    WriteIntSetting("ProblemTrend", s.ProblemTrend);
    WriteIntSetting("ProblemContinue", s.ProblemContinue);
    WriteSetting("ListingApp", s.ListingApp);
}
