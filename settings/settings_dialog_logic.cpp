// The settings dialog's OK: word file name check and switch, and storing the other fields.
#include "settings/settings_dialog_logic.h"

#include <cstdint>
#include <cstring>

#include "settings/settings_logic.h"
#include "wordbook/save.h"
#include "wordbook/text.h"

namespace {

constexpr char kHelpFileName[] = "vokaru.hlp";

bool FitsSetting(const char* text)
{
    return std::strlen(text) < kSettingTextSize;
}

void CopyText(char (&setting)[kSettingTextSize], const char* text)
{
    std::size_t length = std::strlen(text);
    if (length >= kSettingTextSize)
        length = kSettingTextSize - 1;
    std::memcpy(setting, text, length);
    setting[length] = '\0';
}

// The first text of the form that does not fit its setting, in the dialog's order.
SettingsField FirstTooLongText(const SettingsForm& form)
{
    const struct {
        const char* text;
        SettingsField field;
    } texts[] = {
        {form.soundFileName, kFieldSoundFileName},
        {form.correctSoundFileName, kFieldCorrectSoundFileName},
        {form.wrongSoundFileName, kFieldWrongSoundFileName},
        {form.listingApp, kFieldListingApp},
    };
    for (const auto& t : texts) {
        if (!FitsSetting(t.text))
            return t.field;
    }
    return kFieldNone;
}

} // namespace

SettingsRefusal CheckWordFileName(const char* name)
{
    if (IsBlankFileName(name) || !FitsSetting(name))
        return kRefuseFileName;
    return kRefuseNone;
}

WordFileSwitch SwitchWordFile(const char* name)
{
    if (std::strcmp(name, g_settings.DataFileName) == 0)
        return kWordFileSame;
    if (CheckWordFileName(name) != kRefuseNone)
        return kWordFileNotLoaded;
    int count = ReloadWordFile(name, g_settings.DataFileName);
    if (count < 0)
        return kWordFileNotLoaded;
    WriteIntSetting("DataCount", count);
    g_settings.DataCount = count;
    CopyText(g_settings.DataFileName, name);
    return kWordFileSwitched;
}

SettingsCheck StoreSettingsForm(const SettingsForm& form, Settings* settings)
{
    std::uint32_t interval = 0;
    switch (MinutesToInterval(ParseMinutesText(form.interval), &interval)) {
    case kIntervalTooShort:
        return {kRefuseIntervalShort, kFieldInterval};
    case kIntervalTooLong:
        return {kRefuseIntervalLong, kFieldInterval};
    case kIntervalOk:
        break;
    }
    SettingsField tooLong = FirstTooLongText(form);
    if (tooLong != kFieldNone)
        return {kRefuseTextTooLong, tooLong};

    settings->TimerInterval = interval;
    CopyText(settings->SoundFileName, form.soundFileName);
    settings->Popup = form.popup ? 1 : 0;
    settings->CorrectDialog = form.correctDialog ? 1 : 0;
    CopyText(settings->CorrectSoundFileName, form.correctSoundFileName);
    CopyText(settings->WrongSoundFileName, form.wrongSoundFileName);
    settings->ProblemPattern = PatternFromRadios(form.patternFirst, form.patternSecond);
    settings->ProblemTrend = TrendFromRadios(form.trendFirst, form.trendSecond);
    settings->ProblemContinue = ContinueCountForEntry(form.continueEntry);
    CopyText(settings->ListingApp, form.listingApp);
    return {kRefuseNone, kFieldNone};
}

bool MakeHelpFileName(const char* programPath, char* buffer, std::size_t size)
{
    const char* slash = FindLastBackslash(programPath);
    std::size_t folder = slash ? static_cast<std::size_t>(slash - programPath) + 1 : 0;
    if (folder + sizeof kHelpFileName > size)
        return false;
    std::memcpy(buffer, programPath, folder);
    std::memcpy(buffer + folder, kHelpFileName, sizeof kHelpFileName);
    return true;
}
