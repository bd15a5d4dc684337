// The controls' activation context, made on first use from the program's second manifest.
#include "app/ui_context_win32.h"

#include "resources/resource.h"

namespace {

// The context, or nullptr when it could not be made (asked once per run).
HANDLE ControlsContext()
{
    static bool tried = false;
    static HANDLE context = nullptr;
    if (!tried) {
        tried = true;
        ACTCTXW request = {};
        request.cbSize = sizeof request;
        request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
        request.hModule = GetModuleHandleW(nullptr);
        request.lpResourceName = MAKEINTRESOURCEW(IDR_CONTROLS_MANIFEST);
        HANDLE made = CreateActCtxW(&request);
        context = made == INVALID_HANDLE_VALUE ? nullptr : made;
    }
    return context;
}

} // namespace

ControlsContextScope::ControlsContextScope()
{
    HANDLE context = ControlsContext();
    active_ = context != nullptr && ActivateActCtx(context, &cookie_);
}

ControlsContextScope::~ControlsContextScope()
{
    if (active_)
        DeactivateActCtx(0, cookie_);
}

INT_PTR ShowDialog(HINSTANCE instance, const wchar_t* templateName, HWND owner, DLGPROC proc,
                   LPARAM parameter)
{
    ControlsContextScope controls;
    return DialogBoxParamW(instance, templateName, owner, proc, parameter);
}
