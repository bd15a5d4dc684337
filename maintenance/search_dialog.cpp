// The search dialog's procedure: the pattern search or today's wrong words in the list,
// the picked word in the detail fields, and Modify, Clear and Delete on it.
#include "maintenance/search_dialog.h"

#include "app/ui_context_win32.h"
#include "app/window_place_win32.h"

#include <cstring>
#include <string>

#include "app/message_box_win32.h"
#include "drill/run_record.h"
#include "maintenance/search_logic.h"
#include "phonetic/glyph_display_win32.h"
#include "phonetic/pronunciation_dialog.h"
#include "platform/text_win32.h"
#include "resources/resource.h"
#include "wordbook/remarks_history.h"
#include "wordbook/word_book.h"

namespace {

// Dialog state, set by OpenSearchDialog for the dialog it runs.
HINSTANCE g_searchInstance = nullptr;
int g_searchMode = IDM_SEARCH;
int g_changeCount = 0;
WordRecord* g_selectedRecord = nullptr;  // the record in the detail fields, or none
// The selected record as the detail fields show it; the pronunciation editor works on
// it, and only Modify carries its pronunciation into the record.
WordRecord g_workingCopy;
// Set while the detail fields are filled: the notifications that causes are not the
// learner's doing.
bool g_refreshing = false;

// In the wrong-words mode the window ends this far below the top of the list.
constexpr int kListModeExtraHeight = 45;
constexpr std::size_t kStatusFormatLimit = 255;
// Detail fields are read whole, so an over-long text is always refused, never cut into
// one that fits.
constexpr std::size_t kWholeText = std::string::npos;

// The detail controls that work only while a record is picked.
const int kRecordButtons[] = {IDC_SEARCH_PRONUNCE, IDC_SEARCH_CHECKONLY, IDC_SEARCH_MODIFY,
                              IDC_SEARCH_CLEAR, IDC_SEARCH_DELETE, IDC_SEARCH_REMARK};
const int kDetailEdits[] = {IDC_SEARCH_WORD, IDC_SEARCH_EXPLAIN1, IDC_SEARCH_EXPLAIN2};

bool InWrongWordsMode() { return g_searchMode == IDM_WRONG_WORDS; }

// A record field as text, stopped at the field's end even without a terminator.
std::string FieldText(const char* field, std::size_t size)
{
    return std::string(field, strnlen(field, size));
}

HWND ListBox(HWND dialog) { return GetDlgItem(dialog, IDC_SEARCH_LIST); }

void AddListLine(HWND dialog, const std::string& text)
{
    SendMessageW(ListBox(dialog), LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(WideFromCp932(text).c_str()));
}

void AddMessageLine(HWND dialog, int stringId)
{
    AddListLine(dialog, LoadStringCp932(stringId, kStatusFormatLimit));
}

// The text of list line `line` as CP932.
std::string ListLineText(HWND dialog, int line)
{
    HWND list = ListBox(dialog);
    LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(line), 0);
    if (length == LB_ERR)
        return std::string();
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    LRESULT got = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(line),
                               reinterpret_cast<LPARAM>(text.data()));
    text.resize(got == LB_ERR ? 0 : static_cast<std::size_t>(got));
    return Cp932FromWide(text);
}

int CurrentLine(HWND dialog)
{
    return static_cast<int>(SendMessageW(ListBox(dialog), LB_GETCURSEL, 0, 0));
}

// What the glyph display field draws: the working copy's pronunciation.
std::string WorkingPronunce(HWND)
{
    return FieldText(g_workingCopy.Pronunce, sizeof g_workingCopy.Pronunce);
}

void RepaintGlyphs(HWND dialog)
{
    InvalidateRect(GetDlgItem(dialog, IDC_SEARCH_GLYPHS), nullptr, TRUE);
}

// ---- opening ----

void FillWrongWords(HWND dialog)
{
    if (g_wrongWords.count == 0) {
        AddMessageLine(dialog, IDS_NO_WRONG_WORDS);
        return;
    }
    for (int i = 0; i < g_wrongWords.count && i < kWrongWordLimit; ++i) {
        const WrongWordEntry& entry = g_wrongWords.entries[i];
        AddListLine(dialog, FieldText(entry.Word, sizeof entry.Word));
    }
}

// Hides the search, cuts the window off just below the list and fills the list with
// today's wrong words.
void SetUpWrongWordsMode(HWND dialog)
{
    for (int id : {IDC_SEARCH_RUN, IDC_SEARCH_WORD_PATTERN, IDC_SEARCH_MEANING_PATTERN})
        ShowWindow(GetDlgItem(dialog, id), SW_HIDE);
    RECT window, list;
    GetWindowRect(dialog, &window);
    GetWindowRect(ListBox(dialog), &list);
    SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left,
                 list.bottom - list.top + kListModeExtraHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowTextCp932(dialog, LoadStringCp932(IDS_WRONG_LIST_TITLE, kStatusFormatLimit));
    FillWrongWords(dialog);
}

void FillRemarkHistory(HWND dialog)
{
    ComboStringList remarks;
    ListComboStrings(&remarks);
    HWND combo = GetDlgItem(dialog, IDC_SEARCH_REMARK);
    for (int i = 0; i < remarks.count; ++i)
        SendMessageW(combo, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(WideFromCp932(remarks.texts[i]).c_str()));
}

void OnInitDialog(HWND dialog)
{
    std::memset(&g_workingCopy, 0, sizeof g_workingCopy);
    g_selectedRecord = nullptr;
    g_refreshing = false;
    if (InWrongWordsMode())
        SetUpWrongWordsMode(dialog);
    SubclassGlyphDisplay(GetDlgItem(dialog, IDC_SEARCH_GLYPHS), WorkingPronunce);
    FillRemarkHistory(dialog);
    CentreOnScreen(dialog, nullptr);
}

// ---- showing the picked word ----

void EnableRecordControls(HWND dialog, bool enable)
{
    for (int id : kRecordButtons)
        EnableWindow(GetDlgItem(dialog, id), enable ? TRUE : FALSE);
    for (int id : kDetailEdits)
        SendDlgItemMessageW(dialog, id, EM_SETREADONLY, enable ? FALSE : TRUE, 0);
}

void ShowRecord(HWND dialog, const WordRecord* record)
{
    std::memcpy(&g_workingCopy, record, sizeof g_workingCopy);
    SetDlgItemTextCp932(dialog, IDC_SEARCH_WORD, FieldText(record->Word, sizeof record->Word));
    RepaintGlyphs(dialog);
    SetDlgItemTextCp932(dialog, IDC_SEARCH_EXPLAIN1,
                        FieldText(record->Explain1, sizeof record->Explain1));
    SetDlgItemTextCp932(dialog, IDC_SEARCH_EXPLAIN2,
                        FieldText(record->Explain2, sizeof record->Explain2));
    SetDlgItemTextCp932(dialog, IDC_SEARCH_REMARK,
                        FieldText(record->Explain3, sizeof record->Explain3));
    std::string format = LoadStringCp932(IDS_STATUS_FORMAT, kStatusFormatLimit);
    SetDlgItemTextCp932(dialog, IDC_SEARCH_STATUS, FormatStatusLine(format.c_str(), record));
    CheckDlgButton(dialog, IDC_SEARCH_CHECKONLY, record->CheckOnly != 0 ? BST_CHECKED : BST_UNCHECKED);
    EnableRecordControls(dialog, true);
}

// Empty, read-only details; the check box keeps its mark.
void ClearDetails(HWND dialog)
{
    std::memset(&g_workingCopy, 0, sizeof g_workingCopy);
    for (int id : {IDC_SEARCH_WORD, IDC_SEARCH_EXPLAIN1, IDC_SEARCH_EXPLAIN2, IDC_SEARCH_REMARK,
                   IDC_SEARCH_STATUS})
        SetDlgItemTextW(dialog, id, L"");
    RepaintGlyphs(dialog);
    EnableRecordControls(dialog, false);
}

// The current list line's record (the first in the book with that word) in the details,
// or empty details when there is none.
void ShowSelection(HWND dialog)
{
    g_refreshing = true;
    g_selectedRecord = nullptr;
    int line = CurrentLine(dialog);
    if (line != LB_ERR)
        g_selectedRecord = FindRecord(ListLineText(dialog, line).c_str());
    if (g_selectedRecord != nullptr)
        ShowRecord(dialog, g_selectedRecord);
    else
        ClearDetails(dialog);
    g_refreshing = false;
}

// ---- search ----

std::string ReadPattern(HWND dialog, int id)
{
    return GetDlgItemTextCp932(dialog, id, kPatternLimit);
}

void UpdateSearchButton(HWND dialog)
{
    bool typed = !ReadPattern(dialog, IDC_SEARCH_WORD_PATTERN).empty() ||
                 !ReadPattern(dialog, IDC_SEARCH_MEANING_PATTERN).empty();
    EnableWindow(GetDlgItem(dialog, IDC_SEARCH_RUN), typed ? TRUE : FALSE);
}

void FocusList(HWND dialog)
{
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(ListBox(dialog)), TRUE);
}

void OnSearch(HWND dialog)
{
    std::string word = ReadPattern(dialog, IDC_SEARCH_WORD_PATTERN);
    std::string meaning = ReadPattern(dialog, IDC_SEARCH_MEANING_PATTERN);
    if (word.empty() && meaning.empty())
        return;
    SendMessageW(ListBox(dialog), LB_RESETCONTENT, 0, 0);
    int listed = 0;
    for (WordRecord* r = NextSearchMatch(nullptr, word.c_str(), meaning.c_str()); r != nullptr;
         r = NextSearchMatch(r, word.c_str(), meaning.c_str())) {
        AddListLine(dialog, FieldText(r->Word, sizeof r->Word));
        ++listed;
    }
    if (listed == 0)
        AddMessageLine(dialog, IDS_NO_MATCH);
    SendMessageW(ListBox(dialog), LB_SETCURSEL, 0, 0);
    // The list's focus notification shows the first line; when the list had the focus
    // already (Enter pressed in it) none comes, and the old details would stay.
    bool hadFocus = GetFocus() == ListBox(dialog);
    FocusList(dialog);
    if (hadFocus)
        ShowSelection(dialog);
}

// ---- Modify, Clear, Delete, pronunciation ----

// Asks a Yes/No question about the selected word; true for Yes.
bool Confirm(HWND dialog, int captionId, int formatId)
{
    std::string word = FieldText(g_selectedRecord->Word, sizeof g_selectedRecord->Word);
    return ShowFormattedMessage(dialog, captionId, formatId, word.c_str(), 4) == IDYES;
}

// Puts the selected record's word in place of the current list line, still selected.
void ReplaceCurrentLine(HWND dialog)
{
    int line = CurrentLine(dialog);
    if (line == LB_ERR)
        return;
    HWND list = ListBox(dialog);
    std::wstring word = WideFromCp932(FieldText(g_selectedRecord->Word, sizeof g_selectedRecord->Word));
    SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(line), 0);
    SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(line),
                 reinterpret_cast<LPARAM>(word.c_str()));
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
}

void OnModify(HWND dialog)
{
    if (g_selectedRecord == nullptr)
        return;
    if (!Confirm(dialog, IDS_OVERWRITE_CAPTION, IDS_MODIFY_FORMAT))
        return;
    std::string word = GetDlgItemTextCp932(dialog, IDC_SEARCH_WORD, kWholeText);
    std::string explain1 = GetDlgItemTextCp932(dialog, IDC_SEARCH_EXPLAIN1, kWholeText);
    std::string explain2 = GetDlgItemTextCp932(dialog, IDC_SEARCH_EXPLAIN2, kWholeText);
    std::string remark = GetDlgItemTextCp932(dialog, IDC_SEARCH_REMARK, kWholeText);
    std::string pronunce = WorkingPronunce(nullptr);
    ModifyForm form = {word.c_str(), explain1.c_str(), explain2.c_str(), remark.c_str(),
                       pronunce.c_str(),
                       IsDlgButtonChecked(dialog, IDC_SEARCH_CHECKONLY) == BST_CHECKED};
    if (!ModifyRecord(g_selectedRecord, form)) {
        ShowMessage(dialog, IDS_ERROR, IDS_TOO_LONG, 16);
        return;
    }
    ReplaceCurrentLine(dialog);
    ++g_changeCount;
}

void OnClear(HWND dialog)
{
    if (g_selectedRecord == nullptr)
        return;
    if (!Confirm(dialog, IDS_CLEAR_CAPTION, IDS_CLEAR_FORMAT))
        return;
    g_selectedRecord->RightCount = 0;
    g_selectedRecord->WrongCount = 0;
    g_selectedRecord->CheckCount = 0;
    ShowSelection(dialog);
    ++g_changeCount;
}

void OnDelete(HWND dialog)
{
    if (g_selectedRecord == nullptr)
        return;
    if (!Confirm(dialog, IDS_DELETE_CAPTION, IDS_DELETE_FORMAT))
        return;
    RemoveRecord(g_selectedRecord);
    g_selectedRecord = nullptr;
    int line = CurrentLine(dialog);
    if (line != LB_ERR)
        SendMessageW(ListBox(dialog), LB_DELETESTRING, static_cast<WPARAM>(line), 0);
    ShowSelection(dialog);
    ++g_changeCount;
    // The Delete button that had the focus is disabled now; the keyboard goes on in the
    // list.
    HWND focus = GetFocus();
    if (focus == nullptr || !IsWindowEnabled(focus))
        FocusList(dialog);
}

void OnPronunciation(HWND dialog)
{
    if (g_selectedRecord == nullptr)
        return;
    RECT button;
    GetWindowRect(GetDlgItem(dialog, IDC_SEARCH_PRONUNCE), &button);
    OpenPronunciationEditor(g_searchInstance, dialog, &g_workingCopy, 1, button.left,
                            button.bottom);
    RepaintGlyphs(dialog);
}

// Notifications of the pattern fields and the list box.
void OnNotification(HWND dialog, int id)
{
    if (g_refreshing)
        return;
    if (!InWrongWordsMode() && (id == IDC_SEARCH_WORD_PATTERN || id == IDC_SEARCH_MEANING_PATTERN))
        UpdateSearchButton(dialog);
    if (id == IDC_SEARCH_LIST)
        ShowSelection(dialog);
}

void OnCommand(HWND dialog, int id)
{
    switch (id) {
    case IDCANCEL:
        EndDialog(dialog, 0);
        break;
    case IDC_SEARCH_RUN:
        OnSearch(dialog);
        break;
    case IDC_SEARCH_MODIFY:
        OnModify(dialog);
        break;
    case IDC_SEARCH_CLEAR:
        OnClear(dialog);
        break;
    case IDC_SEARCH_DELETE:
        OnDelete(dialog);
        break;
    case IDC_SEARCH_PRONUNCE:
        OnPronunciation(dialog);
        break;
    default:
        OnNotification(dialog, id);
        break;
    }
}

INT_PTR CALLBACK SearchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return TRUE;
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

int OpenSearchDialog(HINSTANCE instance, HWND owner, int mode)
{
    g_searchInstance = instance;
    g_searchMode = mode;
    g_changeCount = 0;
    ShowDialog(instance, L"LISTDIALOG", owner, SearchDialogProc, 0);
    g_selectedRecord = nullptr;
    return g_changeCount;
}
