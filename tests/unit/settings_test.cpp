// Settings in the registry: defaults, conversions and silent failures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/settings.h"
#include "tests/unit/test_helpers.h"

namespace {

std::string& Stored(const std::string& name)
{
    return StandinRegistryData()["Software\\VOKARU\\" + name][""];
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetWorld(); }
    void TearDown() override { ResetWorld(); }
};

TEST_F(SettingsTest, FirstRunCreatesEverySettingWithItsDefault)
{
    StandinSetProgramPath("C:\\Program Files\\Vokaru\\vokaru.exe");
    LoadSettings();
    const std::vector<std::pair<std::string, std::string>> defaults = {
        {"DataFileName", "C:\\Program Files\\Vokaru\\tango.csv"},
        {"TimerInterval", "600000"}, {"SoundFileName", ""}, {"Popup", "1"},
        {"DataCount", "0"}, {"Status", "0"}, {"CorrectDialog", "1"},
        {"CorrectSoundFileName", ""}, {"WrongSoundFileName", ""}, {"ProblemPattern", "1"},
        {"ProblemTrend", "1"}, {"ProblemContinue", "1"}, {"ListingApp", ""},
    };
    EXPECT_EQ(StandinRegistryData().size(), defaults.size());
    for (const auto& [name, text] : defaults) {
        ASSERT_EQ(StandinRegistryData().count("Software\\VOKARU\\" + name), 1u) << name;
        EXPECT_EQ(Stored(name), text) << name;
    }
    EXPECT_STREQ(g_settings.DataFileName, "C:\\Program Files\\Vokaru\\tango.csv");
    EXPECT_EQ(g_settings.TimerInterval, 600000u);
    EXPECT_EQ(g_settings.Popup, 1);
    EXPECT_EQ(g_settings.CorrectDialog, 1);
    EXPECT_EQ(g_settings.ProblemContinue, 1);
}

TEST_F(SettingsTest, NumberConversions)
{
    const std::vector<std::pair<const char*, long long>> cases = {
        {"5", 5}, {" 5", 5}, {"\t-12x", -12}, {"+7", 7}, {"1a", 1}, {"abc", 0}, {"", 0},
        {"- 3", 0}, {"4294967297", 1}, {"99999999999999999999999", 4135583743LL},
    };
    for (const auto& [text, value] : cases) {
        long long parsed = ParseSettingNumber(text);
        EXPECT_EQ(parsed & 0xFFFFFFFFLL, value & 0xFFFFFFFFLL) << text;
    }

    Stored("Popup") = "1x";
    Stored("ProblemContinue") = " 5";
    Stored("TimerInterval") = "abc";
    Stored("Status") = "3";
    LoadSettings();
    EXPECT_EQ(g_settings.Popup, 1);
    EXPECT_EQ(g_settings.ProblemContinue, 5);
    EXPECT_EQ(g_settings.TimerInterval, 600000u);
    EXPECT_EQ(g_settings.Status, 3);

    for (const char* interval : {"0", "", "4294967296"}) {
        Stored("TimerInterval") = interval;
        LoadSettings();
        EXPECT_EQ(g_settings.TimerInterval, 600000u) << interval;
    }
    Stored("TimerInterval") = "4294967295";
    LoadSettings();
    EXPECT_EQ(g_settings.TimerInterval, 4294967295u);
}

TEST_F(SettingsTest, AKeyWithoutValueReadsAsEmptyNotAsDefault)
{
    StandinRegistryData()["Software\\VOKARU\\Popup"];  // key, no value
    StandinRegistryData()["Software\\VOKARU\\CorrectDialog"];
    LoadSettings();
    EXPECT_EQ(g_settings.Popup, 0);
    EXPECT_EQ(g_settings.CorrectDialog, 0);
    EXPECT_EQ(StandinRegistryData()["Software\\VOKARU\\Popup"].count(""), 0u);
}

TEST_F(SettingsTest, StatusOutsideItsFourStatesStartsAsZero)
{
    for (const char* text : {"4", "-1", "99"}) {
        Stored("Status") = text;
        LoadSettings();
        EXPECT_EQ(g_settings.Status, 0) << text;
    }
}

TEST_F(SettingsTest, OverlongTextsFallBackToTheDefaultAndAreLeftAlone)
{
    std::string longName(200, 'x');
    Stored("DataFileName") = longName;
    Stored("SoundFileName") = std::string(128, 's');
    Stored("ListingApp") = std::string(127, 'l');
    StandinSetProgramPath("C:\\V\\vokaru.exe");
    LoadSettings();
    EXPECT_STREQ(g_settings.DataFileName, "C:\\V\\tango.csv");
    EXPECT_STREQ(g_settings.SoundFileName, "");
    EXPECT_EQ(std::string(g_settings.ListingApp), std::string(127, 'l'));
    EXPECT_EQ(Stored("DataFileName"), longName);
}

TEST_F(SettingsTest, DefaultWordFileWithoutAUsableProgramPath)
{
    char name[128];
    StandinSetProgramPath("vokaru.exe");  // no folder
    MakeDefaultDataFileName(name, sizeof name);
    EXPECT_STREQ(name, "tango.csv");
    StandinSetProgramPath("C:\\" + std::string(200, 'd') + "\\vokaru.exe");  // too long
    MakeDefaultDataFileName(name, sizeof name);
    EXPECT_STREQ(name, "tango.csv");
    StandinSetProgramPath("C:\\" + std::string(108, 'd') + "\\vokaru.exe");
    MakeDefaultDataFileName(name, sizeof name);
    EXPECT_EQ(std::string(name), "C:\\" + std::string(108, 'd') + "\\tango.csv");
    // A program named with a double-byte character whose second byte is a backslash.
    StandinSetProgramPath("C:\\d\\\x95\x5c.exe");
    MakeDefaultDataFileName(name, sizeof name);
    EXPECT_STREQ(name, "C:\\d\\tango.csv");
    StandinFail().programPath = true;
    MakeDefaultDataFileName(name, sizeof name);
    EXPECT_STREQ(name, "tango.csv");
}

TEST_F(SettingsTest, RegistryFailuresNeverStopAnything)
{
    StandinFail().open = true;
    StandinFail().create = true;
    LoadSettings();
    EXPECT_EQ(g_settings.TimerInterval, 600000u);
    EXPECT_EQ(g_settings.Popup, 1);
    EXPECT_TRUE(StandinRegistryData().empty());

    StandinReset();
    LoadSettings();
    StandinFail().read = true;
    LoadSettings();  // keys exist, values unreadable: empty texts
    EXPECT_EQ(g_settings.Popup, 0);
    EXPECT_EQ(g_settings.TimerInterval, 600000u);

    StandinFail() = StandinFailures{};
    StandinFail().write = true;
    g_settings.ProblemTrend = 2;
    SaveSettings();
    EXPECT_EQ(Stored("ProblemTrend"), "1");
}

TEST_F(SettingsTest, SaveWritesEverySettingButDataCountAndNeverCreatesKeys)
{
    LoadSettings();
    g_settings.TimerInterval = 4000000000u;
    g_settings.DataCount = 42;
    g_settings.Status = 2;
    std::snprintf(g_settings.ListingApp, sizeof g_settings.ListingApp, "notepad.exe");
    StandinRegistryData().erase("Software\\VOKARU\\Popup");
    SaveSettings();
    EXPECT_EQ(Stored("TimerInterval"), "4000000000");
    EXPECT_EQ(Stored("DataCount"), "0");
    EXPECT_EQ(Stored("Status"), "2");
    EXPECT_EQ(Stored("ListingApp"), "notepad.exe");
    EXPECT_EQ(StandinRegistryData().count("Software\\VOKARU\\Popup"), 0u);

    WriteIntSetting("DataCount", 42);
    EXPECT_EQ(Stored("DataCount"), "42");
}

} // namespace
