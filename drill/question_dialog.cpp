// The question dialog's procedure: set-up, the hint in the answer box, the answer box
// editor, judging and counting, and continuous questioning.
#include "drill/question_dialog.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/message_box_win32.h"
#include "app/settings.h"
#include "app/ui_context_win32.h"
#include "app/window_place_win32.h"
#include "drill/correct_dialog.h"
#include "drill/drill_state.h"
#include "drill/hint.h"
#include "drill/input_method_win32.h"
#include "drill/judge.h"
#include "drill/run_record.h"
#include "drill/selection.h"
#include "drill/sound_win32.h"
#include "phonetic/pronunciation_dialog.h"
#include "platform/platform.h"
#include "platform/text_win32.h"
#include "resources/resource.h"
#include "wordbook/remarks_history.h"
#include "wordbook/word_book.h"

namespace {

constexpr std::size_t kAnswerLimit = 127;
constexpr std::size_t kTitleLimit = 127;

HFONT g_questionFont = nullptr;   // created at first use, kept for the whole run
WNDPROC g_editProc = nullptr;     // the answer box's own procedure
std::string g_initialText;        // what the answer box showed first, for Ctrl+Z
bool g_overwrite = true;          // editing mode of the answer box
bool g_swallowBackspace = false;  // drop the character a Backspace or Left key makes
bool g_closePending = false;      // the close box answered: end after this answer
bool g_reentry = false;           // set-up of a follow-up word runs inside the answer
int g_continueCount = 0;

// Word entry: the record whose expansion was last offered, so that it is offered once.
const WordRecord* g_lastExpanded = nullptr;
WNDPROC g_wordFieldProc = nullptr;
WNDPROC g_meaningFieldProc = nullptr;

// Read limits and longest accepted texts of word entry's fields.
constexpr std::size_t kEntryReadLimit = 255;
constexpr std::size_t kExpandReadLimit = 129;

bool InCheckMode() { return g_settings.Status >= 2; }

HFONT QuestionFont()
{
    if (g_questionFont == nullptr) {
        LOGFONTW font = {};
        font.lfHeight = 18;
        font.lfWeight = 400;
        font.lfCharSet = SHIFTJIS_CHARSET;
        wcscpy(font.lfFaceName, L"ＭＳ Ｐゴシック");
        g_questionFont = CreateFontIndirectW(&font);
    }
    return g_questionFont;
}

// ---- answer box editor ----

void GetSelection(HWND edit, DWORD* start, DWORD* end)
{
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(start), reinterpret_cast<LPARAM>(end));
}

void SelectOne(HWND edit, DWORD start)
{
    SendMessageW(edit, EM_SETSEL, start, start + 1);
}

void WidenEmptySelection(HWND edit)
{
    DWORD start, end;
    GetSelection(edit, &start, &end);
    if (start == end)
        SelectOne(edit, start);
}

bool ShiftHeld() { return GetKeyState(VK_SHIFT) < 0; }
bool CtrlHeld() { return GetKeyState(VK_CONTROL) < 0; }

// Returns true when the key is consumed.
bool OnAnswerKeyDown(HWND edit, WPARAM key)
{
    g_swallowBackspace = false;
    DWORD start, end;
    GetSelection(edit, &start, &end);
    switch (key) {
    case VK_BACK:
    case VK_LEFT:
        g_swallowBackspace = true;
        if (!g_overwrite || ShiftHeld())
            return false;
        if (start > 0)
            SendMessageW(edit, EM_SETSEL, start - 1, start);
        return true;
    case VK_HOME:
        if (!g_overwrite)
            return false;
        SelectOne(edit, 0);
        return true;
    case VK_RIGHT:
        if (!g_overwrite || ShiftHeld())
            return false;
        SelectOne(edit, start + (end - start == 2 ? 2 : 1));
        return true;
    case VK_INSERT:
        g_overwrite = !g_overwrite;
        if (g_overwrite)
            SelectOne(edit, start);
        else
            SendMessageW(edit, EM_SETSEL, start, start);
        return false;
    case 'Z':
        if (!CtrlHeld())
            return false;
        SetWindowTextCp932(edit, g_initialText);
        SelectOne(edit, 0);
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK AnswerBoxProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
        if (OnAnswerKeyDown(edit, wParam))
            return 0;
        break;
    case WM_CHAR:
        // Ctrl+Z was handled when the key went down; its character (26) would run the
        // edit control's own undo, which moves the selection off the restored hint.
        if (wParam == 26)
            return 0;
        if (g_overwrite) {
            if ((wParam == 8 || wParam == 127) && g_swallowBackspace) {
                g_swallowBackspace = false;
                return 0;
            }
            WidenEmptySelection(edit);
        }
        break;
    case WM_KEYUP:
        if (g_overwrite && wParam != VK_HOME && wParam != VK_LEFT && wParam != VK_RIGHT &&
            wParam != VK_INSERT)
            WidenEmptySelection(edit);
        break;
    default:
        break;
    }
    return CallWindowProcW(g_editProc, edit, message, wParam, lParam);
}

// ---- set-up ----

void SetUpWordEntry(HWND dialog);

void SetCaption(HWND dialog, int templateId)
{
    const WordRecord* r = g_currentRecord;
    std::string format = LoadStringCp932(templateId, kTitleLimit);
    char title[256];
    std::snprintf(title, sizeof title, format.c_str(), int{r->RightCount}, int{r->WrongCount},
                  SelectionTagText(g_selectionTag));
    SetWindowTextCp932(dialog, title);
}

void SetUpQuestion(HWND dialog)
{
    const WordRecord* r = g_currentRecord;
    for (int id : {IDC_QUESTION_WORD, IDC_QUESTION_EXPLAIN1, IDC_QUESTION_EXPLAIN2})
        SendDlgItemMessageW(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(QuestionFont()), TRUE);
    CentreOnScreen(dialog, g_settings.Popup ? HWND_TOPMOST : HWND_TOP);
    g_lastExpanded = nullptr;
    if (g_entryMode) {
        SetUpWordEntry(dialog);
        return;
    }

    ShowWindow(GetDlgItem(dialog, IDCANCEL), SW_HIDE);
    ShowWindow(GetDlgItem(dialog, IDC_QUESTION_CHECKONLY), SW_HIDE);
    PlayDrillSound(g_settings.SoundFileName);
    ShowWindow(GetDlgItem(dialog, IDC_QUESTION_REMARKS), SW_HIDE);

    HWND answer = GetDlgItem(dialog, IDC_QUESTION_WORD);
    bool check = InCheckMode();
    g_initialText = check ? r->Word : MakeHint(r->Word, g_settings.ProblemPattern);
    SendMessageW(answer, EM_SETREADONLY, check ? TRUE : FALSE, 0);
    SetCaption(dialog, check ? IDS_CHECK_CAPTION : IDS_QUESTION_CAPTION);
    SetWindowTextCp932(answer, g_initialText);

    // The meanings are shown with the word hidden while it is asked; MaskWord's buffer
    // is reused, so each masked text is used before the next is made.
    SetDlgItemTextCp932(dialog, IDC_QUESTION_EXPLAIN1, check ? r->Explain1 : MaskWord(r, r->Explain1));
    SetDlgItemTextCp932(dialog, IDC_QUESTION_EXPLAIN2, check ? r->Explain2 : MaskWord(r, r->Explain2));
    SetDlgItemTextCp932(dialog, IDC_QUESTION_REMARK, r->Explain3);

    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(answer), TRUE);
    if (!g_reentry) {
        g_editProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
            answer, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AnswerBoxProc)));
        g_continueCount = 0;
        if (g_settings.ProblemContinue > 1)
            CheckDlgButton(dialog, IDC_QUESTION_CONTINUE, BST_CHECKED);
    }
    g_overwrite = true;
    SelectOne(answer, 0);
    EnableWindow(GetDlgItem(dialog, IDC_QUESTION_PRONUNCE), r->Pronunce[0] != '\0');
}

// ---- word entry ----

LRESULT CALLBACK WordFieldProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETFOCUS)
        SetInputMethodOpen(edit, false);
    return CallWindowProcW(g_wordFieldProc, edit, message, wParam, lParam);
}

LRESULT CALLBACK MeaningFieldProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETFOCUS)
        SetInputMethodOpen(edit, true);
    return CallWindowProcW(g_meaningFieldProc, edit, message, wParam, lParam);
}

void FillRemarks(HWND dialog)
{
    ComboStringList list;
    ListComboStrings(&list);
    HWND combo = GetDlgItem(dialog, IDC_QUESTION_REMARKS);
    for (int i = 0; i < list.count; ++i)
        SendMessageW(combo, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(WideFromCp932(list.texts[i]).c_str()));
}

void SetUpWordEntry(HWND dialog)
{
    for (int id : {IDC_QUESTION_WORD, IDC_QUESTION_EXPLAIN1, IDC_QUESTION_EXPLAIN2})
        SendDlgItemMessageW(dialog, id, EM_SETREADONLY, FALSE, 0);
    ShowWindow(GetDlgItem(dialog, IDC_QUESTION_REMARK), SW_HIDE);
    SetWindowTextCp932(dialog, LoadStringCp932(IDS_ADD_CAPTION, kTitleLimit));
    FillRemarks(dialog);
    ShowWindow(GetDlgItem(dialog, IDC_QUESTION_CONTINUE), SW_HIDE);
    g_wordFieldProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        GetDlgItem(dialog, IDC_QUESTION_WORD), GWLP_WNDPROC,
        reinterpret_cast<LONG_PTR>(WordFieldProc)));
    g_meaningFieldProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        GetDlgItem(dialog, IDC_QUESTION_EXPLAIN1), GWLP_WNDPROC,
        reinterpret_cast<LONG_PTR>(MeaningFieldProc)));
}

// Offers to fill the fields from a word that is already in the book. Runs on every
// notification of the word field, also nested ones from its own text change and box.
void OfferExpansion(HWND dialog)
{
    std::string typed = GetDlgItemTextCp932(dialog, IDC_QUESTION_WORD, kExpandReadLimit);
    const WordRecord* found = FindRecord(typed.c_str());
    if (found == nullptr || found == g_lastExpanded)
        return;
    g_lastExpanded = found;
    SetDlgItemTextCp932(dialog, IDC_QUESTION_WORD, found->Word);
    HWND word = GetDlgItem(dialog, IDC_QUESTION_WORD);
    if (ShowFormattedMessage(dialog, IDS_EXPAND_CAPTION, IDS_EXPAND_FORMAT, typed.c_str(), 4) ==
        IDYES) {
        SetDlgItemTextCp932(dialog, IDC_QUESTION_WORD, found->Word);
        SetDlgItemTextCp932(dialog, IDC_QUESTION_EXPLAIN1, found->Explain1);
        SetDlgItemTextCp932(dialog, IDC_QUESTION_EXPLAIN2, found->Explain2);
        SetDlgItemTextCp932(dialog, IDC_QUESTION_REMARKS, found->Explain3);
        std::memcpy(g_currentRecord->Pronunce, found->Pronunce, sizeof found->Pronunce);
        CheckDlgButton(dialog, IDC_QUESTION_CHECKONLY,
                       found->CheckOnly == 1 ? BST_CHECKED : BST_UNCHECKED);
        SendMessageW(word, EM_SETSEL, 0, -1);
    } else {
        int end = GetWindowTextLengthW(word);
        SendMessageW(word, EM_SETSEL, end, end);
    }
}

// Copies a field's text into the record when it fits; false (and the message) when not.
bool TakeField(HWND dialog, int id, char* field, std::size_t size)
{
    std::string text = GetDlgItemTextCp932(dialog, id, kEntryReadLimit);
    if (text.size() >= size - 1) {
        ShowMessage(dialog, IDS_ERROR, IDS_TOO_LONG, 16);
        return false;
    }
    std::memcpy(field, text.c_str(), text.size() + 1);
    return true;
}

bool IsBlankWord(const char* word)
{
    for (; *word != '\0'; ++word) {
        if (*word != ' ')
            return false;
    }
    return true;
}

void PrepareNextWord(HWND dialog)
{
    HWND combo = GetDlgItem(dialog, IDC_QUESTION_REMARKS);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    FillRemarks(dialog);
    for (int id : {IDC_QUESTION_WORD, IDC_QUESTION_EXPLAIN1, IDC_QUESTION_EXPLAIN2})
        SetDlgItemTextW(dialog, id, L"");
    SetDlgItemTextCp932(dialog, IDC_QUESTION_REMARKS, g_currentRecord->Explain3);
    g_currentRecord->Pronunce[0] = '\0';
    CheckDlgButton(dialog, IDC_QUESTION_CHECKONLY, BST_UNCHECKED);
    SendMessageW(dialog, WM_NEXTDLGCTL,
                 reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_QUESTION_WORD)), TRUE);
    g_lastExpanded = nullptr;
}

// Stores the typed word: overwriting an existing one, or appended to the book.
void OnStoreWord(HWND dialog)
{
    WordRecord* r = g_currentRecord;
    if (!TakeField(dialog, IDC_QUESTION_WORD, r->Word, sizeof r->Word) ||
        !TakeField(dialog, IDC_QUESTION_EXPLAIN1, r->Explain1, sizeof r->Explain1) ||
        !TakeField(dialog, IDC_QUESTION_EXPLAIN2, r->Explain2, sizeof r->Explain2) ||
        !TakeField(dialog, IDC_QUESTION_REMARKS, r->Explain3, sizeof r->Explain3))
        return;
    PushComboString(r->Explain3);
    r->CheckOnly = IsDlgButtonChecked(dialog, IDC_QUESTION_CHECKONLY) == BST_CHECKED ? 1 : 0;

    WordRecord* found = FindRecord(r->Word);
    if (found != nullptr) {
        int answer = ShowMessage(dialog, IDS_OVERWRITE_CAPTION, IDS_OVERWRITE, 3);
        if (answer == IDCANCEL)
            return;
        if (answer == IDYES) {
            // The texts change; the statistics and the place in the book stay.
            std::memcpy(found->Word, r->Word, sizeof r->Word);
            std::memcpy(found->Explain1, r->Explain1, sizeof r->Explain1);
            std::memcpy(found->Explain2, r->Explain2, sizeof r->Explain2);
            std::memcpy(found->Explain3, r->Explain3, sizeof r->Explain3);
            std::memcpy(found->Pronunce, r->Pronunce, sizeof r->Pronunce);
            found->CheckOnly = r->CheckOnly;
            PrepareNextWord(dialog);
            return;
        }
    } else if (IsBlankWord(r->Word)) {
        ShowMessage(dialog, IDS_ERROR, IDS_WORD_REQUIRED, 16);
        return;
    }
    if (AppendRecord(r) != 0) {
        ShowTextMessage(dialog, IDS_ERROR, "Can't alloc memory", 16);
        return;
    }
    PrepareNextWord(dialog);
}

void OnEndWordEntry(HWND dialog)
{
    SaveWordBook(dialog);
    PlatSetReadOnly(g_settings.DataFileName);
    EndDialog(dialog, 0);
}

// ---- answering ----

void CountCheck()
{
    WordRecord* r = g_currentRecord;
    r->CheckCount = static_cast<std::uint16_t>(r->CheckCount + 1);
    BumpRunCounter(&g_runCounters.checkMode);
}

void JudgeAndCount(HWND dialog)
{
    WordRecord* r = g_currentRecord;
    std::string answer = GetDlgItemTextCp932(dialog, IDC_QUESTION_WORD, kAnswerLimit);
    Verdict verdict = JudgeAnswer(r, answer.c_str());
    if (verdict == Verdict::Right) {
        PlayDrillSound(g_settings.CorrectSoundFileName);
        if (g_settings.CorrectDialog)
            OpenCorrectNotice(dialog);
        r->RightCount = static_cast<std::uint16_t>(r->RightCount + 1);
        BumpRunCounter(&g_runCounters.right);
        return;
    }
    PlayDrillSound(g_settings.WrongSoundFileName);
    bool nearMiss = (verdict == Verdict::OneLetterOff);
    ShowFormattedMessage(dialog, IDS_WRONG_CAPTION, nearMiss ? IDS_NEAR_MISS_FORMAT : IDS_WRONG_FORMAT,
                         r->Word, nearMiss ? 48 : 16);
    r->WrongCount = static_cast<std::uint16_t>(r->WrongCount + 1);
    BumpRunCounter(&g_runCounters.wrong);
    AddWrongWord(r->Word);
}

void AskNextWord(HWND dialog)
{
    WordRecord* next = SelectQuestion(g_settings.ProblemTrend, g_displayOnly, &g_selectionTag);
    if (next == nullptr) {
        EndDialog(dialog, 0);
        return;
    }
    g_currentRecord = next;
    if (g_displayOnly == 0)
        g_settings.Status = next->CheckOnly == 1 ? 2 : 0;
    g_reentry = true;
    SetUpQuestion(dialog);
    g_reentry = false;
    ++g_continueCount;
    if (g_continueCount >= g_settings.ProblemContinue - 1) {
        CheckDlgButton(dialog, IDC_QUESTION_CONTINUE, BST_UNCHECKED);
        g_continueCount = 0;
    }
}

// OK, Escape and the close box all answer: a question cannot be skipped uncounted.
void OnAnswer(HWND dialog)
{
    if (InCheckMode())
        CountCheck();
    else
        JudgeAndCount(dialog);
    BumpRunCounter(&g_runCounters.asked);

    if (g_closePending) {
        g_closePending = false;
        EndDialog(dialog, 0);
    } else if (IsDlgButtonChecked(dialog, IDC_QUESTION_CONTINUE) != BST_CHECKED) {
        EndDialog(dialog, 0);
    } else {
        AskNextWord(dialog);
    }
}

// The editor drops down below the button; in question and check mode it only shows.
void OnPronunciation(HWND dialog)
{
    RECT button;
    GetWindowRect(GetDlgItem(dialog, IDC_QUESTION_PRONUNCE), &button);
    OpenPronunciationEditor(GetModuleHandleW(nullptr), dialog, g_currentRecord, g_entryMode,
                            button.left, button.bottom);
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDOK)), TRUE);
}

INT_PTR OnWordEntryCommand(HWND dialog, int id)
{
    switch (id) {
    case IDOK:
        OnStoreWord(dialog);
        return TRUE;
    case IDCANCEL:
        OnEndWordEntry(dialog);
        return TRUE;
    case IDC_QUESTION_WORD:
        OfferExpansion(dialog);
        return TRUE;
    case IDC_QUESTION_PRONUNCE:
        OnPronunciation(dialog);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK QuestionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetUpQuestion(dialog);
        // Word entry lets the dialog manager focus the word field; the other modes have
        // set the focus themselves.
        return g_entryMode ? TRUE : FALSE;
    case WM_COMMAND:
        if (g_entryMode)
            return OnWordEntryCommand(dialog, LOWORD(wParam));
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
            OnAnswer(dialog);
            return TRUE;
        case IDC_QUESTION_PRONUNCE:
            OnPronunciation(dialog);
            return TRUE;
        default:
            return FALSE;
        }
    case WM_CLOSE:
        if (g_entryMode) {
            // The close box keeps the stored words in memory; they reach the file later.
            EndDialog(dialog, 0);
            return TRUE;
        }
        g_closePending = true;
        OnAnswer(dialog);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

void OpenQuestionDialog(HWND owner)
{
    g_closePending = false;
    g_reentry = false;
    ShowDialog(GetModuleHandleW(nullptr), L"QUESTIONDIALOG", owner, QuestionDialogProc, 0);
}
