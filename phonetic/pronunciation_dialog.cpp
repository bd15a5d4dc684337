// The pronunciation editor PRODIALOG: the code field, its glyph display, the symbol and
// accent buttons, and the show-only form cut down to the display.
#include "phonetic/pronunciation_dialog.h"

#include <cstring>
#include <string>

#include "app/ui_context_win32.h"
#include "drill/input_method_win32.h"
#include "phonetic/code_text.h"
#include "phonetic/glyph_display_win32.h"
#include "phonetic/phonetic_code.h"
#include "platform/text_win32.h"
#include "resources/resource.h"

static_assert(IDC_PRONUNCE_A == kSymbolButtonFirstId, "symbol buttons start at code row 0");
static_assert(IDC_PRONUNCE_Z1 == kGlyphButtonLastId, "glyph faces end at code row 35");
static_assert(IDC_PRONUNCE_QR == kSymbolButtonFirstId + kPhoneticCodeCount - 1,
              "one symbol button per code row");
static_assert(IDC_PRONUNCE_ACC == kAccentButtonFirstId && IDC_PRONUNCE_TILDE == kAccentButtonLastId,
              "one accent button per accent row");

namespace {

// Editor state, set by OpenPronunciationEditor for the dialog it runs.
HINSTANCE g_editorInstance = nullptr;
WordRecord* g_editorRecord = nullptr;
int g_editorEditable = 0;
int g_editorX = 0;
int g_editorY = 0;

WNDPROC g_codeFieldProc = nullptr;  // the code field's own procedure

// The symbol buttons' captions are read with room for 2 characters: "(a" of "(a)".
constexpr std::size_t kCaptionRoom = 2;
// The show-only form keeps the glyph display and its label in view: its outer size plus
// this much room.
constexpr int kShowOnlyExtraWidth = 80;
constexpr int kShowOnlyExtraHeight = 40;

std::string ReadCodeField(HWND dialog)
{
    return GetDlgItemTextCp932(dialog, IDC_PRONUNCE_CODE, kCodeTextLimit);
}

void RepaintDisplay(HWND dialog)
{
    InvalidateRect(GetDlgItem(dialog, IDC_PRONUNCE_DISPLAY), nullptr, TRUE);
}

// Selects the whole code text and hands the code field the focus back from the clicked
// button, so that the next typed character replaces the text.
void SelectWholeCode(HWND dialog)
{
    HWND code = GetDlgItem(dialog, IDC_PRONUNCE_CODE);
    if (IsWindowEnabled(code))
        SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(code), TRUE);
    SendMessageW(code, EM_SETSEL, 0, -1);
}

// What the glyph display of this dialog shows: the code field as the editor reads it.
std::string DisplayedCode(HWND field)
{
    return ReadCodeField(GetParent(field));
}

// Code letters are ASCII, so the input method is off while the field has the focus; every
// key may change the text, so the display follows.
LRESULT CALLBACK CodeFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFOCUS:
        SetInputMethodOpen(field, false);
        break;
    case WM_KEYDOWN:
    case WM_CHAR:
        RepaintDisplay(GetParent(field));
        break;
    default:
        break;
    }
    return CallWindowProcW(g_codeFieldProc, field, message, wParam, lParam);
}

// Cuts the dialog down to the glyph display and its label, keeping its place.
void ShrinkToDisplay(HWND dialog)
{
    RECT display;
    GetWindowRect(GetDlgItem(dialog, IDC_PRONUNCE_DISPLAY), &display);
    SetWindowPos(dialog, HWND_TOPMOST, 0, 0,
                 display.right - display.left + kShowOnlyExtraWidth,
                 display.bottom - display.top + kShowOnlyExtraHeight, SWP_NOMOVE);
    EnableWindow(GetDlgItem(dialog, IDC_PRONUNCE_CODE), FALSE);
    EnableWindow(GetDlgItem(dialog, IDC_PRONUNCE_CLEAR), FALSE);
}

// Drops the dialog at the requested point, moved left or up where it would leave the
// screen at the right or bottom.
void PlaceAtRequestedPoint(HWND dialog)
{
    RECT r;
    GetWindowRect(dialog, &r);
    int width = r.right - r.left;
    int height = r.bottom - r.top;
    int x = g_editorX;
    int y = g_editorY;
    if (x + width > GetSystemMetrics(SM_CXSCREEN))
        x = GetSystemMetrics(SM_CXSCREEN) - width;
    if (y + height > GetSystemMetrics(SM_CYSCREEN))
        y = GetSystemMetrics(SM_CYSCREEN) - height;
    SetWindowPos(dialog, HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE);
}

void SetUpEditor(HWND dialog)
{
    LoadGlyphIcons(g_editorInstance);
    for (int id = kSymbolButtonFirstId; id <= kGlyphButtonLastId; ++id)
        SubclassSymbolButton(GetDlgItem(dialog, id));
    g_codeFieldProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(GetDlgItem(dialog, IDC_PRONUNCE_CODE), GWLP_WNDPROC,
                          reinterpret_cast<LONG_PTR>(CodeFieldProc)));
    SubclassGlyphDisplay(GetDlgItem(dialog, IDC_PRONUNCE_DISPLAY), DisplayedCode);
    SetDlgItemTextCp932(dialog, IDC_PRONUNCE_CODE, g_editorRecord->Pronunce);
    if (g_editorEditable == 0)
        ShrinkToDisplay(dialog);
    PlaceAtRequestedPoint(dialog);
}

void OnStore(HWND dialog)
{
    StoreCodeText(g_editorRecord, ReadCodeField(dialog).c_str());
    EndDialog(dialog, 0);
}

void OnClear(HWND dialog)
{
    SetDlgItemTextW(dialog, IDC_PRONUNCE_CODE, L"");
    RepaintDisplay(dialog);
}

// A symbol or accent button: appends its character unless refused; either way the whole
// text ends up selected.
void OnSymbol(HWND dialog, int id)
{
    std::string caption = GetDlgItemTextCp932(dialog, id, kCaptionRoom);
    std::string read = ReadCodeField(dialog);
    char text[kCodeTextRoom];
    std::memcpy(text, read.c_str(), read.size() + 1);
    if (AppendSymbol(text, sizeof text, id, caption.c_str())) {
        SetDlgItemTextCp932(dialog, IDC_PRONUNCE_CODE, text);
        SelectWholeCode(dialog);
        RepaintDisplay(dialog);
        return;
    }
    SelectWholeCode(dialog);
}

INT_PTR CALLBACK PronunciationDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetUpEditor(dialog);
        return TRUE;
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        if (id == IDOK)
            OnStore(dialog);
        else if (id == IDCANCEL)
            EndDialog(dialog, 0);
        else if (id == IDC_PRONUNCE_CLEAR)
            OnClear(dialog);
        else if (IsSymbolCommand(id))
            OnSymbol(dialog, id);
        else
            return FALSE;
        return TRUE;
    }
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

void OpenPronunciationEditor(HINSTANCE instance, HWND owner, WordRecord* record, int editable,
                             int x, int y)
{
    g_editorInstance = instance;
    g_editorRecord = record;
    g_editorEditable = editable;
    g_editorX = x;
    g_editorY = y;
    ShowDialog(instance, L"PRODIALOG", owner, PronunciationDialogProc, 0);
}
