// A small helper that tools/run starts inside the Wine desktop of vokaru.exe: it waits for
// the tray window (or a message box of the program) and can end the program the way the
// tray menu does. Wine's desktop launcher hides exit codes, so results go to a file.
//
//   vokaru_tray_probe wait  RESULT_FILE SECONDS   -> "tray", "box<TAB>caption<TAB>text", "timeout"
//   vokaru_tray_probe close RESULT_FILE SECONDS   -> "closed <exit code>", "none", "timeout"
#include <windows.h>

#include <cwchar>
#include <string>

#include "tests/e2e/harness.h"

namespace {

bool IsProgramWindow(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (process == nullptr)
        return false;
    wchar_t path[MAX_PATH] = L"";
    DWORD size = MAX_PATH;
    bool ours = false;
    if (QueryFullProcessImageNameW(process, 0, path, &size)) {
        std::wstring image = path;
        std::size_t slash = image.find_last_of(L"\\/");
        std::wstring name = slash == std::wstring::npos ? image : image.substr(slash + 1);
        ours = lstrcmpiW(name.c_str(), L"vokaru.exe") == 0;
    }
    CloseHandle(process);
    return ours;
}

HWND FindProgramBox()
{
    HWND found = nullptr;
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            wchar_t name[16] = L"";
            GetClassNameW(window, name, 16);
            if (IsWindowVisible(window) && std::wcscmp(name, L"#32770") == 0 &&
                IsProgramWindow(window)) {
                *reinterpret_cast<HWND*>(data) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string WaitForProgram(DWORD ms)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        if (HWND box = FindProgramBox())
            return "box\t" + e2e::Utf8FromWide(e2e::WindowText(box)) + "\t" +
                   e2e::Utf8FromWide(e2e::ControlText(box, e2e::kMessageBoxTextId));
        if (FindWindowW(L"Vokaru", nullptr) != nullptr)
            return "tray";
        Sleep(100);
    }
    return "timeout";
}

std::string CloseProgram(DWORD ms)
{
    HWND tray = FindWindowW(L"Vokaru", nullptr);
    if (tray == nullptr)
        return "none";
    DWORD pid = 0;
    GetWindowThreadProcessId(tray, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    e2e::PostCommand(tray, 99);
    if (process == nullptr)
        return "closed ?";
    std::string result = "timeout";
    if (WaitForSingleObject(process, ms) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(process, &code);
        result = "closed " + std::to_string(code);
    }
    CloseHandle(process);
    return result;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (args == nullptr || count != 4)
        return 2;
    std::wstring action = args[1];
    std::wstring resultFile = args[2];
    DWORD ms = static_cast<DWORD>(_wtoi(args[3])) * 1000;
    std::string result;
    if (action == L"wait")
        result = WaitForProgram(ms);
    else if (action == L"close")
        result = CloseProgram(ms);
    else
        return 2;
    return e2e::WriteBytes(resultFile, result + "\n") ? 0 : 1;
}
