// Windows functions whose DLLs are loaded on their first call, so that start-up maps only
// what the resident tray needs: the open-file dialog and sound playback bring in large DLL
// trees (comdlg32 pulls in the common controls and the printing stack) that most sessions
// never use.
#pragma once

#include <windows.h>
#include <commdlg.h>

// The address of `function` in the system DLL `dll` (a file name such as L"winmm.dll"),
// loading the DLL from the system folder on first use. The DLL stays loaded until the
// process ends. nullptr when the DLL or the function is missing.
FARPROC LoadSystemFunction(const wchar_t* dll, const char* function);

// PlaySoundW of winmm.dll. FALSE, as for a sound that cannot be played, when it is missing.
BOOL PlaySoundOnDemand(const wchar_t* sound, HMODULE module, DWORD flags);

// GetOpenFileNameW of comdlg32.dll. FALSE, as for Cancel, when it is missing.
BOOL GetOpenFileNameOnDemand(OPENFILENAMEW* open);
