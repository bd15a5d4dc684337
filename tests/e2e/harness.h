// Drives the real vokaru.exe from a test program in the same Wine prefix and desktop, the
// way a user's tools would: registry and files prepared beforehand, windows found by class
// and caption, messages sent to them, texts read back, and the program's traces checked.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// Every wait of the harness ends after this long at most unless the caller gives another.
constexpr DWORD kWaitMs = 20000;
// Starting a program under Wine on a loaded machine has been seen to take far longer than any
// other step, so waiting for the first window allows more.
constexpr DWORD kStartWaitMs = 60000;

// ---- Texts ----

std::string Utf8FromWide(const std::wstring& text);
std::wstring WideFromUtf8(const std::string& text);
// The program's own texts (word file, registry) are code page 932 bytes.
std::string Cp932FromUtf8(const std::string& text);
std::string Utf8FromCp932(const std::string& bytes);

// ---- Paths and files ----

// An environment variable's value, empty when unset.
std::wstring EnvText(const wchar_t* name);
// The Windows name of a Linux path (Wine maps the Linux root to drive Z:).
std::wstring WindowsPathFromUnix(const std::wstring& unixPath);
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);
// Makes an empty folder C:\vokaru-e2e\<name> (removing an older one) and returns its path.
std::wstring MakeScratchFolder(const std::wstring& name);
// The program under test, as a Windows path (VOKARU_EXE, or the path the build baked in).
std::wstring ProgramUnderTest();
bool WriteBytes(const std::wstring& path, const std::string& bytes);
// The file's bytes; `exists` (optional) tells whether it could be read at all.
std::string ReadBytes(const std::wstring& path, bool* exists = nullptr);
bool FileExists(const std::wstring& path);
bool IsReadOnly(const std::wstring& path);
// The names in a folder, sorted, without "." and "..".
std::vector<std::wstring> FolderNames(const std::wstring& folder);

// ---- Registry: one key per setting, HKCU\Software\VOKARU\<Name>, text in the unnamed value ----

// Removes HKCU\Software\VOKARU with everything below it.
void ClearSettings();
// Stores a setting as the program itself does: REG_SZ, no terminating NUL in the data.
bool PutSetting(const std::wstring& name, const std::wstring& text);

struct StoredSetting {
    bool keyExists = false;
    bool hasUnnamedValue = false;
    DWORD type = REG_NONE;
    std::wstring text;    // up to the first NUL
    DWORD valueCount = 0; // values of the key, the unnamed one included
};
StoredSetting ReadStoredSetting(const std::wstring& name);
// Waits until the setting's text equals `text`; false after the timeout.
bool WaitForSetting(const std::wstring& name, const std::wstring& text, DWORD ms = kWaitMs);

// ---- The program ----

struct Program {
    PROCESS_INFORMATION info = {};
    bool running = false;
};

// Starts `exe` with no arguments in `workFolder` (CreateProcessW).
bool StartProgram(Program* program, const std::wstring& exe, const std::wstring& workFolder);
// Waits for the program to end; false on timeout. `exitCode` receives its exit code.
bool WaitForExit(Program* program, DWORD ms, DWORD* exitCode);
bool HasExited(const Program& program);
// Ends the program if it still runs (by its process handle) and releases its handles.
void StopProgram(Program* program);

// ---- Finding windows ----

// The hidden tray window (class `Vokaru`) of the program, or nullptr.
HWND FindTrayWindow(const Program& program);
HWND WaitForTrayWindow(const Program& program, DWORD ms = kStartWaitMs);
// A visible top-level dialog (class #32770: dialogs and message boxes) of the program whose
// caption is `caption` (any caption when nullptr), or nullptr.
HWND FindDialog(const Program& program, const wchar_t* caption);
HWND WaitForDialog(const Program& program, const wchar_t* caption, DWORD ms = kWaitMs);
// Waits until the window is gone (destroyed or hidden).
bool WaitUntilGone(HWND window, DWORD ms = kWaitMs);
// One line per top-level window of the program (class, caption, visibility), for failures.
std::string DescribeWindows(const Program& program);

// ---- Reading what the program shows ----

std::wstring WindowText(HWND window);
std::wstring ControlText(HWND dialog, int id);
// Waits until the window's text equals `text` (sent messages overtake posted input).
bool WaitForText(HWND window, const std::wstring& text, DWORD ms = kWaitMs);

// Message boxes: the static text has id 0xFFFF, the buttons the ids of their answers.
constexpr int kMessageBoxTextId = 0xFFFF;
constexpr int kMessageBoxIconId = 0x440;
struct MessageBoxView {
    std::wstring caption;
    std::wstring text;
    std::vector<int> buttons; // ids among IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO
    int defaultButton = 0;    // id of the button drawn as the default one, 0 if none
    bool hasIcon = false;
    HWND owner = nullptr;
};
MessageBoxView ReadMessageBox(HWND box);

// ---- Sending what a user would ----

// The number of the registered message `VokaruTaskBar`.
UINT TaskbarMessage();
// What the tray icon reports for a mouse action on it (WM_LBUTTONDBLCLK, WM_RBUTTONDOWN).
bool PostTrayMouse(HWND tray, UINT mouseMessage);
// A menu command (WM_COMMAND with the id as its whole first parameter).
bool PostCommand(HWND window, UINT id);
// Presses a button of a dialog or message box (BM_CLICK).
bool ClickButton(HWND dialog, int id);
// Types characters into a control (WM_CHAR per character).
bool TypeText(HWND control, const std::wstring& text);
// Presses and releases a non-character key (Backspace, Left, Home, ...).
bool PressKey(HWND control, UINT virtualKey);

// ---- Screenshots (ImageMagick's import on the Linux side) ----

// Saves the whole display to the Linux path `unixPath` (a PNG); false if none appeared.
bool SaveScreenshot(const std::wstring& unixPath, DWORD ms = kWaitMs);
// A screenshot after start-up, kept in the build folder's e2e-shots on every run.
std::wstring SaveRunShot(const std::wstring& name);
// A screenshot of a failure, beside the test log.
std::wstring SaveFailureShot(const std::wstring& name);

} // namespace e2e
