// Measures the resident cost of vokaru.exe beside a minimal tray program in the same run:
// start-up time until the message loop answers, working set and private bytes once idle,
// and CPU time over an idle minute. Word books of 0, 10k and 100k words.
//
//   footprint_driver.exe VOKARU.EXE MINIMAL.EXE [IDLE_SECONDS]
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Figures {
    double startupMs = 0;
    double workingSetKb = 0;
    double privateKb = 0;
    double cpuMs = 0;
    bool ok = false;
};

double Now()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * counter.QuadPart / frequency.QuadPart;
}

double CpuMs(HANDLE process)
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        return -1;
    auto ms = [](FILETIME t) {
        return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 10000.0;
    };
    return ms(kernel) + ms(user);
}

struct FindData {
    DWORD pid;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK FindWindowOf(HWND window, LPARAM param)
{
    auto* data = reinterpret_cast<FindData*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    wchar_t name[64];
    if (pid == data->pid && GetClassNameW(window, name, 64) && lstrcmpW(name, data->className) == 0) {
        data->found = window;
        return FALSE;
    }
    return TRUE;
}

void WriteWordBook(const std::wstring& path, int words)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    std::string chunk;
    char line[256];
    for (int i = 0; i < words; ++i) {
        // A typical line: word, two CP932 meanings, a remark, counters and a pronunciation.
        int n = std::snprintf(line, sizeof line,
                              "word%d,\x88\xd3\x96\xa1\x81\x41\x88\xd3\x8e\x75,\x83\x8a\x83\x93\x83\x53,"
                              "\x96\xbc\x8e\x8c,%d,%d,0,0,w'\x3a\x72\x64\r\n",
                              i, i % 7, i % 5);
        chunk.append(line, n);
        if (chunk.size() > 1 << 20) {
            DWORD written;
            WriteFile(file, chunk.data(), static_cast<DWORD>(chunk.size()), &written, nullptr);
            chunk.clear();
        }
    }
    DWORD written;
    WriteFile(file, chunk.data(), static_cast<DWORD>(chunk.size()), &written, nullptr);
    CloseHandle(file);
}

void PutSetting(const wchar_t* name, const std::wstring& text)
{
    std::wstring path = std::wstring(L"Software\\VOKARU\\") + name;
    HKEY key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) == ERROR_SUCCESS) {
        RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() * sizeof(wchar_t)));
        RegCloseKey(key);
    }
}

Figures Measure(const std::wstring& exe, const wchar_t* className, DWORD idleSeconds)
{
    Figures f;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::wstring commandLine = L"\"" + exe + L"\"";
    double t0 = Now();
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return f;
    // Ready: the window exists and its message loop answers, so the word book is loaded.
    FindData data = {process.dwProcessId, className, nullptr};
    for (;;) {
        data.found = nullptr;
        EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&data));
        DWORD_PTR result;
        if (data.found && SendMessageTimeoutW(data.found, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 60000, &result))
            break;
        if (Now() - t0 > 120000 || WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0)
            return f;
        Sleep(1);
    }
    f.startupMs = Now() - t0;
    Sleep(2000);  // settle
    double cpu0 = CpuMs(process.hProcess);
    Sleep(idleSeconds * 1000);
    f.cpuMs = CpuMs(process.hProcess) - cpu0;
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof memory)) {
        f.workingSetKb = memory.WorkingSetSize / 1024.0;
        // Wine reports no private usage for another process; its commit charge (the
        // page-file usage) counts the same private memory.
        SIZE_T privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
        f.privateKb = privateBytes / 1024.0;
    }
    PostMessageW(data.found, WM_COMMAND, 99, 0);
    if (WaitForSingleObject(process.hProcess, 120000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    f.ok = true;
    return f;
}

double Ratio(double a, double b) { return b > 0 ? a / b : 0; }

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: footprint_driver VOKARU.EXE MINIMAL.EXE [IDLE_SECONDS]\n");
        return 2;
    }
    std::wstring vokaru = argv[1];
    std::wstring minimal = argv[2];
    DWORD idle = argc > 3 ? static_cast<DWORD>(_wtoi(argv[3])) : 60;
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    std::printf("idle period: %lu s; figures: start-up ms, working set KiB, private KiB, idle CPU ms\n",
                static_cast<unsigned long>(idle));
    std::printf("%-10s %-8s %10s %10s %10s %10s\n", "words", "program", "startup", "workset", "private", "idleCPU");
    int failures = 0;
    for (int words : {0, 10000, 100000}) {
        std::wstring book = std::wstring(folder) + L"footprint-" + std::to_wstring(words) + L".csv";
        SetFileAttributesW(book.c_str(), FILE_ATTRIBUTE_NORMAL);
        WriteWordBook(book, words);
        PutSetting(L"DataFileName", book);
        PutSetting(L"DataCount", L"0");
        PutSetting(L"Status", L"0");
        Figures base = Measure(minimal, L"MinimalTray", idle);
        Figures v = Measure(vokaru, L"Vokaru", idle);
        if (!base.ok || !v.ok) {
            std::printf("%-10d measurement failed\n", words);
            ++failures;
            continue;
        }
        std::printf("%-10d %-8s %10.1f %10.0f %10.0f %10.1f\n", words, "minimal", base.startupMs,
                    base.workingSetKb, base.privateKb, base.cpuMs);
        std::printf("%-10d %-8s %10.1f %10.0f %10.0f %10.1f\n", words, "vokaru", v.startupMs,
                    v.workingSetKb, v.privateKb, v.cpuMs);
        std::printf("%-10d %-8s %10.2f %10.2f %10.2f %10.2f\n", words, "ratio",
                    Ratio(v.startupMs, base.startupMs), Ratio(v.workingSetKb, base.workingSetKb),
                    Ratio(v.privateKb, base.privateKb), Ratio(v.cpuMs, base.cpuMs));
        // What the book itself needs: one fixed-size record per word.
        double recordKb = words * 472.0 / 1024.0;
        std::printf("%-10d private bytes above the minimal program: %.0f KiB; word book records: %.0f KiB\n",
                    words, v.privateKb - base.privateKb, recordKb);
        SetFileAttributesW(book.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(book.c_str());
    }
    return failures == 0 ? 0 : 1;
}
