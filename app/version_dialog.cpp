// The about box's dialog procedure.
#include "app/version_dialog.h"

#include "app/ui_context_win32.h"

namespace {

INT_PTR CALLBACK VersionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
            EndDialog(dialog, 0);
        return TRUE;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

void OpenVersionDialog(HWND owner)
{
    ShowDialog(GetModuleHandleW(nullptr), L"VERSIONDIALOG", owner, VersionDialogProc, 0);
}
