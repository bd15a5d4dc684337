// The settings dialog's procedure: fields filled from the settings, OK with its checks
// and the word file switch, help, browsing for files and trying the sounds.
#include "settings/settings_dialog.h"

#include <commdlg.h>

#include <cstdio>
#include <string>

#include "app/help_win32.h"
#include "app/lazy_api_win32.h"
#include "app/message_box_win32.h"
#include "app/settings.h"
#include "app/ui_context_win32.h"
#include "drill/sound_win32.h"
#include "platform/platform.h"
#include "platform/text_win32.h"
#include "resources/resource.h"
#include "settings/settings_dialog_logic.h"
#include "settings/settings_logic.h"

namespace {

// The edits have no limit of their own: read them whole, so that a text longer than its
// setting is refused on OK instead of being cut into another name.
constexpr std::size_t kWholeText = std::string::npos;
constexpr std::size_t kContinueFormatLimit = 11;
constexpr std::size_t kProgramPathSize = 112;
constexpr DWORD kBrowsePathRoom = 1024;
const wchar_t kHelpKeyword[] = L"出題環境の設定";

struct BrowseButton {
    int button;
    int edit;
    const wchar_t* filter;  // (description, pattern) pairs, each text NUL-terminated
};

const BrowseButton kBrowseButtons[] = {
    {IDC_SETTINGS_DATA_FILE_BROWSE, IDC_SETTINGS_DATA_FILE,
     L"CSV files(*.csv)\0*.csv\0All files(*.*)\0*.*\0"},
    {IDC_SETTINGS_SOUND_BROWSE, IDC_SETTINGS_SOUND,
     L"WAV files(*.wav)\0*.wav\0All files(*.*)\0*.*\0"},
    {IDC_SETTINGS_CORRECT_SOUND_BROWSE, IDC_SETTINGS_CORRECT_SOUND,
     L"WAV files(*.wav)\0*.wav\0All files(*.*)\0*.*\0"},
    {IDC_SETTINGS_WRONG_SOUND_BROWSE, IDC_SETTINGS_WRONG_SOUND,
     L"WAV files(*.wav)\0*.wav\0All files(*.*)\0*.*\0"},
    {IDC_SETTINGS_LISTING_APP_BROWSE, IDC_SETTINGS_LISTING_APP,
     L"EXE files(*.exe)\0*.exe\0All files(*.*)\0*.*\0"},
};

struct TestButton {
    int button;
    int edit;
};

const TestButton kTestButtons[] = {
    {IDC_SETTINGS_SOUND_TEST, IDC_SETTINGS_SOUND},
    {IDC_SETTINGS_CORRECT_SOUND_TEST, IDC_SETTINGS_CORRECT_SOUND},
    {IDC_SETTINGS_WRONG_SOUND_TEST, IDC_SETTINGS_WRONG_SOUND},
};

const struct {
    SettingsField field;
    int control;
} kFieldControls[] = {
    {kFieldDataFileName, IDC_SETTINGS_DATA_FILE},
    {kFieldInterval, IDC_SETTINGS_INTERVAL},
    {kFieldSoundFileName, IDC_SETTINGS_SOUND},
    {kFieldCorrectSoundFileName, IDC_SETTINGS_CORRECT_SOUND},
    {kFieldWrongSoundFileName, IDC_SETTINGS_WRONG_SOUND},
    {kFieldListingApp, IDC_SETTINGS_LISTING_APP},
};

int ControlForField(SettingsField field)
{
    for (const auto& f : kFieldControls) {
        if (f.field == field)
            return f.control;
    }
    return IDC_SETTINGS_DATA_FILE;
}

int MessageForRefusal(SettingsRefusal refusal)
{
    switch (refusal) {
    case kRefuseIntervalShort: return IDS_BAD_INTERVAL;
    case kRefuseIntervalLong: return IDS_INTERVAL_TOO_LONG;
    case kRefuseTextTooLong: return IDS_TOO_LONG;
    default: return IDS_CANNOT_LOAD;
    }
}

// The dialog manager moves the focus, so the default button stays right and an edit's
// text comes up selected for retyping.
void FocusControl(HWND dialog, int id)
{
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
}

// Error box owned by the dialog; the dialog stays open with the field focused.
void Refuse(HWND dialog, int textId, int control)
{
    ShowMessage(dialog, IDS_ERROR, textId, 16);
    FocusControl(dialog, control);
}

bool IsChecked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

// An edit's whole text as CP932. False when it holds a character that code page 932
// cannot spell: the converted name would point at some other file.
bool ReadFileName(HWND dialog, int id, std::string* text)
{
    HWND edit = GetDlgItem(dialog, id);
    int length = GetWindowTextLengthW(edit);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    int got = GetWindowTextW(edit, wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    *text = Cp932FromWide(wide);
    return WideFromCp932(*text) == wide;
}

// ---- opening ----

void FillContinueList(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_SETTINGS_CONTINUE);
    std::string format = LoadStringCp932(IDS_CONTINUE_FORMAT, kContinueFormatLimit);
    for (int count : kContinueCounts) {
        char entry[32];
        std::snprintf(entry, sizeof entry, format.c_str(), count);
        SendMessageW(list, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(WideFromCp932(entry).c_str()));
    }
    SendMessageW(list, CB_SETCURSEL,
                 static_cast<WPARAM>(ContinueEntryForCount(g_settings.ProblemContinue)), 0);
}

void OnInitDialog(HWND dialog)
{
    const Settings& s = g_settings;
    SetDlgItemTextCp932(dialog, IDC_SETTINGS_DATA_FILE, s.DataFileName);
    char minutes[16];
    std::snprintf(minutes, sizeof minutes, "%u", IntervalToMinutes(s.TimerInterval));
    SetDlgItemTextCp932(dialog, IDC_SETTINGS_INTERVAL, minutes);
    SetDlgItemTextCp932(dialog, IDC_SETTINGS_SOUND, s.SoundFileName);
    SetDlgItemTextCp932(dialog, IDC_SETTINGS_CORRECT_SOUND, s.CorrectSoundFileName);
    SetDlgItemTextCp932(dialog, IDC_SETTINGS_WRONG_SOUND, s.WrongSoundFileName);
    SetDlgItemTextCp932(dialog, IDC_SETTINGS_LISTING_APP, s.ListingApp);
    // A stored value other than 0 or 1 shows as checked rather than as a third state.
    CheckDlgButton(dialog, IDC_SETTINGS_POPUP, s.Popup != 0 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_SETTINGS_CORRECT_DIALOG,
                   s.CorrectDialog != 0 ? BST_CHECKED : BST_UNCHECKED);
    CheckRadioButton(dialog, IDC_SETTINGS_PATTERN_SOME, IDC_SETTINGS_PATTERN_NONE,
                     IDC_SETTINGS_PATTERN_SOME + PatternRadioIndex(s.ProblemPattern));
    CheckRadioButton(dialog, IDC_SETTINGS_TREND_NEW, IDC_SETTINGS_TREND_RANDOM,
                     IDC_SETTINGS_TREND_NEW + TrendRadioIndex(s.ProblemTrend));
    FillContinueList(dialog);
}

// ---- OK ----

// The word file first: its switch stands even when a later field is refused.
bool ApplyWordFile(HWND dialog)
{
    std::string name;
    if (!ReadFileName(dialog, IDC_SETTINGS_DATA_FILE, &name) ||
        CheckWordFileName(name.c_str()) != kRefuseNone ||
        SwitchWordFile(name.c_str()) == kWordFileNotLoaded) {
        Refuse(dialog, IDS_CANNOT_LOAD, IDC_SETTINGS_DATA_FILE);
        return false;
    }
    return true;
}

void OnOk(HWND dialog)
{
    if (!ApplyWordFile(dialog))
        return;

    const int textIds[] = {IDC_SETTINGS_SOUND, IDC_SETTINGS_CORRECT_SOUND,
                           IDC_SETTINGS_WRONG_SOUND, IDC_SETTINGS_LISTING_APP};
    std::string texts[4];
    for (int i = 0; i < 4; ++i) {
        if (!ReadFileName(dialog, textIds[i], &texts[i])) {
            Refuse(dialog, IDS_CANNOT_LOAD, textIds[i]);
            return;
        }
    }
    std::string interval = GetDlgItemTextCp932(dialog, IDC_SETTINGS_INTERVAL, kWholeText);
    LRESULT entry = SendDlgItemMessageW(dialog, IDC_SETTINGS_CONTINUE, CB_GETCURSEL, 0, 0);

    SettingsForm form;
    form.interval = interval.c_str();
    form.soundFileName = texts[0].c_str();
    form.correctSoundFileName = texts[1].c_str();
    form.wrongSoundFileName = texts[2].c_str();
    form.listingApp = texts[3].c_str();
    form.popup = IsChecked(dialog, IDC_SETTINGS_POPUP);
    form.correctDialog = IsChecked(dialog, IDC_SETTINGS_CORRECT_DIALOG);
    form.patternFirst = IsChecked(dialog, IDC_SETTINGS_PATTERN_SOME);
    form.patternSecond = IsChecked(dialog, IDC_SETTINGS_PATTERN_FIRST);
    form.trendFirst = IsChecked(dialog, IDC_SETTINGS_TREND_NEW);
    form.trendSecond = IsChecked(dialog, IDC_SETTINGS_TREND_WRONG);
    form.continueEntry = entry == CB_ERR ? -1 : static_cast<int>(entry);

    SettingsCheck check = StoreSettingsForm(form, &g_settings);
    if (check.refusal != kRefuseNone) {
        Refuse(dialog, MessageForRefusal(check.refusal), ControlForField(check.field));
        return;
    }
    EndDialog(dialog, 0);
}

// ---- help, browsing, sound tests ----

// Help at the settings topic: the help file's keyword, or the guide's settings section.
void OnHelp(HWND dialog)
{
    OpenHelp(dialog, Cp932FromWide(kHelpKeyword).c_str(), "settings");
}

void OnBrowse(HWND dialog, const BrowseButton& browse)
{
    wchar_t path[kBrowsePathRoom] = L"";
    OPENFILENAMEW open = {};
    open.lStructSize = sizeof open;
    open.hwndOwner = dialog;
    open.lpstrFilter = browse.filter;
    open.nFilterIndex = 1;
    open.lpstrFile = path;
    open.nMaxFile = kBrowsePathRoom;
    open.Flags = OFN_FILEMUSTEXIST;
    if (!GetOpenFileNameOnDemand(&open))
        return;
    SetDlgItemTextW(dialog, browse.edit, path);
    FocusControl(dialog, browse.edit);
}

void OnTestSound(HWND dialog, const TestButton& test)
{
    std::string name = GetDlgItemTextCp932(dialog, test.edit, kSettingTextSize - 1);
    PlayDrillSound(name.c_str());
}

void OnCommand(HWND dialog, int id)
{
    switch (id) {
    case IDOK:
        OnOk(dialog);
        return;
    case IDCANCEL:
        EndDialog(dialog, 0);
        return;
    case IDC_SETTINGS_HELP:
        OnHelp(dialog);
        return;
    default:
        break;
    }
    for (const BrowseButton& browse : kBrowseButtons) {
        if (browse.button == id) {
            OnBrowse(dialog, browse);
            return;
        }
    }
    for (const TestButton& test : kTestButtons) {
        if (test.button == id) {
            OnTestSound(dialog, test);
            return;
        }
    }
}

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return TRUE;  // the first tab stop, the word file name, takes the focus
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

int OpenSettingsDialog(HWND owner)
{
    ShowDialog(GetModuleHandleW(nullptr), L"ENVDIALOG", owner, SettingsDialogProc, 0);
    return 0;
}
