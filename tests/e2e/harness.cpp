// The end-to-end harness: files, registry, process, windows, messages and screenshots.
#include "tests/e2e/harness.h"

#include <algorithm>
#include <cstdio>

#ifndef VOKARU_E2E_PROGRAM
#define VOKARU_E2E_PROGRAM ""
#endif
#ifndef VOKARU_E2E_SHOT_DIR
#define VOKARU_E2E_SHOT_DIR ""
#endif
#ifndef VOKARU_E2E_FAILURE_DIR
#define VOKARU_E2E_FAILURE_DIR ""
#endif

namespace e2e {

namespace {

constexpr DWORD kPollMs = 50;
constexpr UINT kMessageTimeoutMs = 5000;
const wchar_t kSettingsRoot[] = L"Software\\VOKARU";
const wchar_t kScratchRoot[] = L"C:\\vokaru-e2e";

std::wstring Convert(UINT codePage, const std::string& bytes)
{
    if (bytes.empty())
        return std::wstring();
    int count = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()),
                                    nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(count), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), &wide[0],
                        count);
    return wide;
}

std::string Convert(UINT codePage, const std::wstring& wide)
{
    if (wide.empty())
        return std::string();
    int count = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()),
                                    nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(count), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), &bytes[0], count,
                        nullptr, nullptr);
    return bytes;
}

// Polls `ready` until it gives true or `ms` have passed.
template <typename Ready>
bool PollUntil(DWORD ms, Ready ready)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (ready())
            return true;
        if (GetTickCount() - start >= ms)
            return false;
        Sleep(kPollMs);
    }
}

std::wstring ClassName(HWND window)
{
    wchar_t name[256] = L"";
    GetClassNameW(window, name, 256);
    return name;
}

DWORD WindowProcess(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

std::vector<HWND> TopLevelWindows(DWORD pid)
{
    struct Search {
        DWORD pid;
        std::vector<HWND> found;
    } search{pid, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (WindowProcess(window) == s->pid)
                s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void DeleteTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW(JoinPath(folder, L"*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring path = JoinPath(folder, name);
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

std::wstring SafeFileName(const std::wstring& name)
{
    std::wstring safe = name;
    for (wchar_t& c : safe) {
        bool plain = (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') ||
                     (c >= L'0' && c <= L'9') || c == L'-' || c == L'_';
        if (!plain)
            c = L'_';
    }
    return safe;
}

std::wstring ShotFolder(const wchar_t* variable, const char* builtIn)
{
    std::wstring folder = EnvText(variable);
    if (folder.empty())
        folder = WideFromUtf8(builtIn);
    return folder;
}

// Quotes one argument for a Windows command line.
std::wstring QuoteArgument(const std::wstring& text)
{
    std::wstring quoted = L"\"";
    for (wchar_t c : text) {
        if (c == L'"')
            quoted += L'\\';
        quoted += c;
    }
    return quoted + L"\"";
}

} // namespace

// ---- Texts ----

std::string Utf8FromWide(const std::wstring& text) { return Convert(CP_UTF8, text); }
std::wstring WideFromUtf8(const std::string& text) { return Convert(CP_UTF8, text); }
std::string Cp932FromUtf8(const std::string& text) { return Convert(932, WideFromUtf8(text)); }
std::string Utf8FromCp932(const std::string& bytes) { return Utf8FromWide(Convert(932, bytes)); }

// ---- Paths and files ----

std::wstring EnvText(const wchar_t* name)
{
    DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0)
        return std::wstring();
    std::wstring value(size, L'\0');
    DWORD length = GetEnvironmentVariableW(name, &value[0], size);
    value.resize(length < size ? length : 0);
    return value;
}

std::wstring WindowsPathFromUnix(const std::wstring& unixPath)
{
    if (unixPath.empty() || unixPath[0] != L'/')
        return unixPath;
    std::wstring path = L"Z:" + unixPath;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name)
{
    if (!folder.empty() && folder.back() == L'\\')
        return folder + name;
    return folder + L"\\" + name;
}

std::wstring MakeScratchFolder(const std::wstring& name)
{
    CreateDirectoryW(kScratchRoot, nullptr);
    std::wstring folder = JoinPath(kScratchRoot, SafeFileName(name));
    DeleteTree(folder);
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

std::wstring ProgramUnderTest()
{
    std::wstring path = EnvText(L"VOKARU_EXE");
    if (path.empty())
        path = WideFromUtf8(VOKARU_E2E_PROGRAM);
    return WindowsPathFromUnix(path);
}

bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = bytes.empty() ||
              WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

std::string ReadBytes(const std::wstring& path, bool* exists)
{
    if (exists != nullptr)
        *exists = false;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr) != 0) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    if (exists != nullptr)
        *exists = ok;
    return bytes;
}

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsReadOnly(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

std::vector<std::wstring> FolderNames(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW(JoinPath(folder, L"*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(name);
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

// ---- Registry ----

void ClearSettings()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsRoot);
    RegDeleteKeyW(HKEY_CURRENT_USER, kSettingsRoot);
}

bool PutSetting(const std::wstring& name, const std::wstring& text)
{
    HKEY key = nullptr;
    std::wstring path = std::wstring(kSettingsRoot) + L"\\" + name;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return false;
    LONG result = RegSetValueExW(key, nullptr, 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(text.data()),
                                 static_cast<DWORD>(text.size() * sizeof(wchar_t)));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

StoredSetting ReadStoredSetting(const std::wstring& name)
{
    StoredSetting setting;
    HKEY key = nullptr;
    std::wstring path = std::wstring(kSettingsRoot) + L"\\" + name;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return setting;
    setting.keyExists = true;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     &setting.valueCount, nullptr, nullptr, nullptr, nullptr);
    DWORD size = 0;
    if (RegQueryValueExW(key, nullptr, nullptr, &setting.type, nullptr, &size) == ERROR_SUCCESS) {
        std::vector<wchar_t> data(size / sizeof(wchar_t) + 2, L'\0');
        DWORD got = size;
        if (RegQueryValueExW(key, nullptr, nullptr, &setting.type,
                             reinterpret_cast<BYTE*>(data.data()), &got) == ERROR_SUCCESS) {
            setting.hasUnnamedValue = true;
            setting.text = std::wstring(data.data());
        }
    }
    RegCloseKey(key);
    return setting;
}

bool WaitForSetting(const std::wstring& name, const std::wstring& text, DWORD ms)
{
    return PollUntil(ms, [&] {
        StoredSetting setting = ReadStoredSetting(name);
        return setting.hasUnnamedValue && setting.text == text;
    });
}

// ---- The program ----

bool StartProgram(Program* program, const std::wstring& exe, const std::wstring& workFolder)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    std::wstring commandLine = QuoteArgument(exe);
    if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        workFolder.c_str(), &startup, &program->info))
        return false;
    program->running = true;
    return true;
}

bool HasExited(const Program& program)
{
    return !program.running || WaitForSingleObject(program.info.hProcess, 0) == WAIT_OBJECT_0;
}

bool WaitForExit(Program* program, DWORD ms, DWORD* exitCode)
{
    if (!program->running)
        return false;
    if (WaitForSingleObject(program->info.hProcess, ms) != WAIT_OBJECT_0)
        return false;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(program->info.hProcess, &code);
    if (exitCode != nullptr)
        *exitCode = code;
    return true;
}

void StopProgram(Program* program)
{
    if (!program->running)
        return;
    if (WaitForSingleObject(program->info.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(program->info.hProcess, 255);
        WaitForSingleObject(program->info.hProcess, kWaitMs);
    }
    CloseHandle(program->info.hThread);
    CloseHandle(program->info.hProcess);
    program->info = PROCESS_INFORMATION{};
    program->running = false;
}

// ---- Finding windows ----

HWND FindTrayWindow(const Program& program)
{
    if (!program.running)
        return nullptr;
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, L"Vokaru", nullptr)) != nullptr) {
        if (WindowProcess(window) == program.info.dwProcessId)
            return window;
    }
    return nullptr;
}

HWND WaitForTrayWindow(const Program& program, DWORD ms)
{
    HWND tray = nullptr;
    PollUntil(ms, [&] { return (tray = FindTrayWindow(program)) != nullptr || HasExited(program); });
    return tray;
}

HWND FindDialog(const Program& program, const wchar_t* caption)
{
    if (!program.running)
        return nullptr;
    for (HWND window : TopLevelWindows(program.info.dwProcessId)) {
        if (!IsWindowVisible(window) || ClassName(window) != L"#32770")
            continue;
        if (caption == nullptr || WindowText(window) == caption)
            return window;
    }
    return nullptr;
}

HWND WaitForDialog(const Program& program, const wchar_t* caption, DWORD ms)
{
    HWND dialog = nullptr;
    PollUntil(ms, [&] {
        return (dialog = FindDialog(program, caption)) != nullptr || HasExited(program);
    });
    return dialog;
}

bool WaitUntilGone(HWND window, DWORD ms)
{
    return PollUntil(ms, [&] { return !IsWindow(window) || !IsWindowVisible(window); });
}

std::string DescribeWindows(const Program& program)
{
    std::string text = "top-level windows of the program:";
    if (!program.running)
        return text + " (not started)";
    if (HasExited(program)) {
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(program.info.hProcess, &code);
        text += " (the process has ended with exit code " + std::to_string(code) + ")";
    } else {
        text += " (the process still runs)";
    }
    for (HWND window : TopLevelWindows(program.info.dwProcessId)) {
        char line[64];
        std::snprintf(line, sizeof line, "\n  %p ", static_cast<void*>(window));
        text += line;
        text += "class \"" + Utf8FromWide(ClassName(window)) + "\" caption \"" +
                Utf8FromWide(WindowText(window)) + "\"";
        text += IsWindowVisible(window) ? " visible" : " hidden";
        if (ClassName(window) == L"#32770")
            text += " text \"" + Utf8FromWide(ControlText(window, kMessageBoxTextId)) + "\"";
    }
    return text;
}

// ---- Reading ----

std::wstring WindowText(HWND window)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                             &length))
        return std::wstring();
    std::vector<wchar_t> buffer(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(),
                             reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG,
                             kMessageTimeoutMs, &copied))
        return std::wstring();
    buffer.back() = L'\0';
    return std::wstring(buffer.data());
}

std::wstring ControlText(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    return control != nullptr ? WindowText(control) : std::wstring();
}

bool WaitForText(HWND window, const std::wstring& text, DWORD ms)
{
    return PollUntil(ms, [&] { return WindowText(window) == text; });
}

MessageBoxView ReadMessageBox(HWND box)
{
    MessageBoxView view;
    view.caption = WindowText(box);
    view.text = ControlText(box, kMessageBoxTextId);
    const int answers[] = {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO};
    for (int id : answers) {
        HWND button = GetDlgItem(box, id);
        if (button == nullptr || !IsWindowVisible(button))
            continue;
        view.buttons.push_back(id);
        if ((GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            view.defaultButton = id;
    }
    HWND icon = GetDlgItem(box, kMessageBoxIconId);
    DWORD_PTR handle = 0;
    if (icon != nullptr && IsWindowVisible(icon) &&
        SendMessageTimeoutW(icon, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &handle))
        view.hasIcon = handle != 0;
    view.owner = GetWindow(box, GW_OWNER);
    return view;
}

// ---- Sending ----

UINT TaskbarMessage()
{
    return RegisterWindowMessageW(L"VokaruTaskBar");
}

bool PostTrayMouse(HWND tray, UINT mouseMessage)
{
    return PostMessageW(tray, TaskbarMessage(), 1, mouseMessage) != 0;
}

bool PostCommand(HWND window, UINT id)
{
    return PostMessageW(window, WM_COMMAND, id, 0) != 0;
}

bool ClickButton(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    if (button == nullptr || !IsWindowEnabled(button))
        return false;
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                               &result) != 0;
}

bool TypeText(HWND control, const std::wstring& text)
{
    for (wchar_t c : text) {
        SHORT key = VkKeyScanW(c);
        if (!PostMessageW(control, WM_CHAR, c, 1))
            return false;
        if (key != -1)
            PostMessageW(control, WM_KEYUP, LOBYTE(key), 0xC0000001);
    }
    return true;
}

bool PressKey(HWND control, UINT virtualKey)
{
    return PostMessageW(control, WM_KEYDOWN, virtualKey, 1) != 0 &&
           PostMessageW(control, WM_KEYUP, virtualKey, 0xC0000001) != 0;
}

// ---- Screenshots ----

bool SaveScreenshot(const std::wstring& unixPath, DWORD ms)
{
    std::wstring windowsPath = WindowsPathFromUnix(unixPath);
    DeleteFileW(windowsPath.c_str());
    // Wine starts Linux programs too; the shell writes under a temporary name and renames,
    // so the picture appears whole or not at all.
    const std::wstring script =
        L"mkdir -p \"$(dirname \"$0\")\" && timeout 20 import -window root \"png:$0.part\" && "
        L"mv -f \"$0.part\" \"$0\"";
    std::wstring shell = L"Z:\\bin\\sh";
    std::wstring commandLine =
        QuoteArgument(shell) + L" -c " + QuoteArgument(script) + L" " + QuoteArgument(unixPath);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(shell.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info))
        return false;
    if (info.hThread != nullptr)
        CloseHandle(info.hThread);
    if (info.hProcess != nullptr)
        CloseHandle(info.hProcess);
    return PollUntil(ms, [&] { return FileExists(windowsPath); });
}

std::wstring SaveRunShot(const std::wstring& name)
{
    std::wstring folder = ShotFolder(L"VOKARU_E2E_SHOTS", VOKARU_E2E_SHOT_DIR);
    if (folder.empty())
        return std::wstring();
    std::wstring path = folder + L"/" + SafeFileName(name) + L".png";
    return SaveScreenshot(path) ? path : std::wstring();
}

std::wstring SaveFailureShot(const std::wstring& name)
{
    std::wstring folder = ShotFolder(L"VOKARU_E2E_FAILURES", VOKARU_E2E_FAILURE_DIR);
    if (folder.empty())
        return std::wstring();
    std::wstring path = folder + L"/e2e-failure-" + SafeFileName(name) + L".png";
    return SaveScreenshot(path) ? path : std::wstring();
}

} // namespace e2e
