// The input method switch shared by the fields that want Japanese input on or off.
#include "drill/input_method_win32.h"

#include <ime.h>
#include <imm.h>

void SetInputMethodOpen(HWND control, bool open)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, 32);
    if (memory == nullptr)
        return;
    auto* request = static_cast<IMESTRUCT*>(GlobalLock(memory));
    if (request != nullptr) {
        request->fnc = IME_SETOPEN;
        request->wParam = open ? 1 : 0;
        GlobalUnlock(memory);
        SendIMEMessageExA(control, reinterpret_cast<LPARAM>(memory));
    }
    GlobalFree(memory);
    // Current Windows versions answer the request above without acting on it; the
    // input context does the same job there.
    if (HIMC context = ImmGetContext(control)) {
        ImmSetOpenStatus(context, open ? TRUE : FALSE);
        ImmReleaseContext(control, context);
    }
}
