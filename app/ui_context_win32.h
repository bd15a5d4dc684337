// The common controls of the current version for the program's dialogs and message boxes.
//
// The hidden tray window uses no controls, so the activation context that asks for them is
// not the program's own manifest (which the loader turns into a context at start-up, where
// under Wine it costs the idle program some 20 KiB for as long as it runs). It is made from
// a second manifest resource when the first dialog or box opens, and is active while one
// shows.
#pragma once

#include <windows.h>

// Keeps the controls' activation context active on this thread while it lives. When the
// context cannot be made the dialogs still open, with the system folder's controls.
class ControlsContextScope {
public:
    ControlsContextScope();
    ~ControlsContextScope();
    ControlsContextScope(const ControlsContextScope&) = delete;
    ControlsContextScope& operator=(const ControlsContextScope&) = delete;

private:
    ULONG_PTR cookie_ = 0;
    bool active_ = false;
};

// DialogBoxParamW of one of the program's dialog templates, with the controls' context
// active while the dialog shows.
INT_PTR ShowDialog(HINSTANCE instance, const wchar_t* templateName, HWND owner, DLGPROC proc,
                   LPARAM parameter);
