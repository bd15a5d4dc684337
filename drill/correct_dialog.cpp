// The correct notice's dialog procedure.
#include "drill/correct_dialog.h"

#include "app/ui_context_win32.h"
#include "app/window_place_win32.h"
#include "resources/resource.h"

namespace {

constexpr UINT_PTR kBlinkTimerId = 2;
constexpr UINT kBlinkInterval = 500;
const int kFrames[2] = {IDC_CORRECT_FRAME0, IDC_CORRECT_FRAME1};

int g_frame = 0;

void OnInit(HWND dialog)
{
    // Without a timer the notice still shows, only without blinking.
    SetTimer(dialog, kBlinkTimerId, kBlinkInterval, nullptr);
    g_frame = 0;
    CentreOnScreen(dialog, HWND_TOPMOST);
}

void OnBlink(HWND dialog)
{
    int next = (g_frame + 1) % 2;
    ShowWindow(GetDlgItem(dialog, kFrames[next]), SW_SHOW);
    ShowWindow(GetDlgItem(dialog, kFrames[g_frame]), SW_HIDE);
    g_frame = next;
}

void Close(HWND dialog)
{
    KillTimer(dialog, kBlinkTimerId);
    EndDialog(dialog, 0);
}

INT_PTR CALLBACK CorrectDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInit(dialog);
        return TRUE;
    case WM_TIMER:
        if (wParam == kBlinkTimerId)
            OnBlink(dialog);
        return TRUE;
    case WM_COMMAND:
        // Only OK (and Enter) closes the notice; Escape is ignored.
        if (LOWORD(wParam) == IDOK)
            Close(dialog);
        return TRUE;
    case WM_CLOSE:
        Close(dialog);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

void OpenCorrectNotice(HWND owner)
{
    ShowDialog(GetModuleHandleW(nullptr), L"CORRECTDIALOG", owner, CorrectDialogProc, 0);
}
