// The question dialog's procedure: set-up, the hint in the answer box, the answer box
// editor, judging and counting, and continuous questioning.
#include "drill/question_dialog.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/message_box_win32.h"
#include "app/settings.h"
#include "drill/correct_dialog.h"
#include "drill/drill_state.h"
#include "drill/hint.h"
#include "drill/judge.h"
#include "drill/run_record.h"
#include "drill/selection.h"
#include "drill/sound_win32.h"
#include "platform/text_win32.h"
#include "resources/resource.h"

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

void CentreWithZOrder(HWND dialog)
{
    RECT r;
    GetWindowRect(dialog, &r);
    int x = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
    SetWindowPos(dialog, g_settings.Popup ? HWND_TOPMOST : HWND_TOP, x, y, 0, 0, SWP_NOSIZE);
}

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
    CentreWithZOrder(dialog);

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

void OnPronunciation(HWND dialog)
{
    // The pronunciation editor opens here once it exists; until then the button only
    // hands the focus back to OK.
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDOK)), TRUE);
}

INT_PTR CALLBACK QuestionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetUpQuestion(dialog);
        return FALSE;  // the focus is set
    case WM_COMMAND:
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
    DialogBoxParamW(GetModuleHandleW(nullptr), L"QUESTIONDIALOG", owner, QuestionDialogProc, 0);
}
