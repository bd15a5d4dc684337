// Measures the resident cost of vokaru.exe beside a minimal tray program in the same run,
// with word books of 0, 10k and 100k words: start-up time until the tray window's message
// loop runs with the word book loaded (several starts, median), working set and private
// bytes once idle (read after every start), and CPU time over an idle period.
//
//   footprint_driver.exe VOKARU.EXE MINIMAL.EXE [IDLE_SECONDS [STARTS]]
//
// Output is one line per fact, flushed at once, for tools/footprint to read while the
// programs run (it takes the idle CPU time from the Linux side, since Wine's
// GetProcessTimes reports nothing for other processes):
//   STARTUP words=N program=P run=R ms=T
//   IDLE-BEGIN words=N program=P exe=NAME     both programs idle from here ...
//   IDLE-END words=N program=P                ... to here
//   RECORD bytes=S                            the size of one word record in memory
//   RESULT words=N program=P startup_ms=T workset_kib=W private_kib=B cpu_ms=C
//          private_runs=B1,B2,...
// cpu_ms is -1 when GetProcessTimes gives nothing for the other process. Memory is read
// two seconds after each start and at the end of the idle period; workset_kib and
// private_kib are the medians, private_runs every reading (under Wine one start of the same
// program can hold some 140 KiB more than the next in the X side's heap).
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdarg>
#include <string>
#include <vector>

#include "wordbook/word_book.h"

namespace {

struct Program {
    const char* label;         // "minimal" or "vokaru"
    std::wstring exe;
    const wchar_t* className;  // of its tray window
    bool loadsBook;            // ready only once the word book is loaded
};

struct Running {
    PROCESS_INFORMATION process = {};
    HWND window = nullptr;
    double startupMs = -1;     // negative: did not come up
};

struct Figures {
    std::vector<double> startups;
    std::vector<double> workingSetsKb;
    std::vector<double> privatesKb;
    double cpuMs = -1;
};

// How long a started program is left alone before its memory is read.
constexpr DWORD kSettleMs = 2000;

void Say(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::fflush(stdout);
}

double Now()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double CpuMs(HANDLE process)
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        return -1;
    auto ms = [](FILETIME t) {
        return static_cast<double>(static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime) /
               10000.0;
    };
    return ms(kernel) + ms(user);
}

std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text)
        out.push_back(c < 128 ? static_cast<char>(c) : '?');
    return out;
}

std::string FileNameOf(const std::wstring& path)
{
    std::size_t slash = path.find_last_of(L"\\/");
    return Narrow(slash == std::wstring::npos ? path : path.substr(slash + 1));
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
    if (file == INVALID_HANDLE_VALUE)
        return;
    std::string chunk;
    char line[256];
    for (int i = 0; i < words; ++i) {
        // A typical line: word, two CP932 meanings, a remark, counters and a pronunciation.
        int n = std::snprintf(line, sizeof line,
                              "word%d,\x88\xd3\x96\xa1\x81\x41\x88\xd3\x8e\x75,\x83\x8a\x83\x93\x83\x53,"
                              "\x96\xbc\x8e\x8c,%d,%d,0,0,w'\x3a\x72\x64\r\n",
                              i, i % 7, i % 5);
        chunk.append(line, static_cast<std::size_t>(n));
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

bool IsReadOnly(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// Starts the program and waits until it is ready: its tray window answers from the message
// loop. The window exists (and may answer sent messages while it registers its tray icon)
// before the word book is read, so for the program the loader's mark on the file, the
// read-only attribute set at the end of the load, must be seen first.
Running Start(const Program& program, const std::wstring& book)
{
    Running run;
    if (program.loadsBook)
        SetFileAttributesW(book.c_str(), FILE_ATTRIBUTE_NORMAL);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + program.exe + L"\"";
    double t0 = Now();
    if (!CreateProcessW(program.exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &run.process))
        return run;
    FindData data = {run.process.dwProcessId, program.className, nullptr};
    for (;;) {
        if (data.found == nullptr)
            EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&data));
        DWORD_PTR result;
        if (data.found != nullptr && (!program.loadsBook || IsReadOnly(book)) &&
            SendMessageTimeoutW(data.found, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 60000, &result))
            break;
        if (Now() - t0 > 120000 || WaitForSingleObject(run.process.hProcess, 0) == WAIT_OBJECT_0)
            return run;
        Sleep(1);
    }
    run.startupMs = Now() - t0;
    run.window = data.found;
    return run;
}

// Ends the program like its tray menu's exit command (id 99), which for the program also
// saves the word book.
void Stop(Running& run)
{
    if (run.process.hProcess == nullptr)
        return;
    if (run.window != nullptr)
        PostMessageW(run.window, WM_COMMAND, 99, 0);
    if (WaitForSingleObject(run.process.hProcess, 120000) != WAIT_OBJECT_0)
        TerminateProcess(run.process.hProcess, 1);
    CloseHandle(run.process.hThread);
    CloseHandle(run.process.hProcess);
    run = Running();
}

void ReadMemory(HANDLE process, Figures* f)
{
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                              sizeof memory))
        return;
    f->workingSetsKb.push_back(static_cast<double>(memory.WorkingSetSize) / 1024.0);
    // Wine reports no private usage for another process; its page-file usage counts the
    // same private memory (the process's anonymous pages).
    SIZE_T privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    f->privatesKb.push_back(static_cast<double>(privateBytes) / 1024.0);
}

std::string Joined(const std::vector<double>& values)
{
    std::string text;
    for (double v : values) {
        char number[32];
        std::snprintf(number, sizeof number, "%s%.0f", text.empty() ? "" : ",", v);
        text += number;
    }
    return text.empty() ? "-" : text;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// One word-book size: `starts` interleaved starts of both programs, then both idle side
// by side for `idleSeconds` while the caller samples them.
bool MeasureCase(int words, Program (&programs)[2], const std::wstring& book, int starts,
                 DWORD idleSeconds)
{
    Figures figures[2];
    for (int r = 1; r <= starts; ++r) {
        for (int p = 0; p < 2; ++p) {
            Running run = Start(programs[p], book);
            bool ok = run.startupMs >= 0;
            if (ok) {
                figures[p].startups.push_back(run.startupMs);
                Say("STARTUP words=%d program=%s run=%d ms=%.1f\n", words, programs[p].label, r,
                    run.startupMs);
                Sleep(kSettleMs);
                ReadMemory(run.process.hProcess, &figures[p]);
            }
            Stop(run);
            if (!ok) {
                Say("FAILED words=%d program=%s: no tray window\n", words, programs[p].label);
                return false;
            }
        }
    }
    Running idle[2];
    for (int p = 0; p < 2; ++p) {
        idle[p] = Start(programs[p], book);
        if (idle[p].startupMs < 0) {
            Say("FAILED words=%d program=%s: no tray window\n", words, programs[p].label);
            Stop(idle[0]);
            Stop(idle[1]);
            return false;
        }
    }
    Sleep(kSettleMs);
    double cpu0[2];
    for (int p = 0; p < 2; ++p) {
        cpu0[p] = CpuMs(idle[p].process.hProcess);
        Say("IDLE-BEGIN words=%d program=%s exe=%s\n", words, programs[p].label,
            FileNameOf(programs[p].exe).c_str());
    }
    Sleep(idleSeconds * 1000);
    for (int p = 0; p < 2; ++p) {
        Say("IDLE-END words=%d program=%s\n", words, programs[p].label);
        double cpu1 = CpuMs(idle[p].process.hProcess);
        // Wine answers 0 for other processes: no figure rather than a false zero.
        figures[p].cpuMs = cpu0[p] >= 0 && cpu1 > 0 ? cpu1 - cpu0[p] : -1;
        ReadMemory(idle[p].process.hProcess, &figures[p]);
    }
    for (int p = 0; p < 2; ++p) {
        Stop(idle[p]);
        Say("RESULT words=%d program=%s startup_ms=%.1f workset_kib=%.0f private_kib=%.0f "
            "cpu_ms=%.1f private_runs=%s\n",
            words, programs[p].label, Median(figures[p].startups),
            Median(figures[p].workingSetsKb), Median(figures[p].privatesKb), figures[p].cpuMs,
            Joined(figures[p].privatesKb).c_str());
    }
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: footprint_driver VOKARU.EXE MINIMAL.EXE [IDLE_SECONDS [STARTS]]\n");
        return 2;
    }
    Program programs[2] = {{"minimal", argv[2], L"MinimalTray", false},
                           {"vokaru", argv[1], L"Vokaru", true}};
    DWORD idle = argc > 3 ? static_cast<DWORD>(_wtoi(argv[3])) : 60;
    int starts = argc > 4 ? std::max(1, _wtoi(argv[4])) : 9;
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    Say("idle period %lu s, %d starts per program and word book\n",
        static_cast<unsigned long>(idle), starts);
    Say("RECORD bytes=%u\n", static_cast<unsigned>(sizeof(WordRecord)));
    PutSetting(L"Status", L"0");
    PutSetting(L"TimerInterval", L"600000");  // the minimal program's timer
    int failures = 0;
    bool warmedUp = false;
    for (int words : {0, 10000, 100000}) {
        std::wstring book = std::wstring(folder) + L"footprint-" + std::to_wstring(words) + L".csv";
        std::wstring backup = book.substr(0, book.size() - 4) + L".bak";
        SetFileAttributesW(book.c_str(), FILE_ATTRIBUTE_NORMAL);
        WriteWordBook(book, words);
        PutSetting(L"DataFileName", book);
        PutSetting(L"DataCount", L"0");
        if (!warmedUp) {
            // The first start of a program in a fresh Wine prefix pays for what Wine sets
            // up once (fonts, the tray's first client); it is not counted.
            for (Program& program : programs) {
                Running run = Start(program, book);
                Stop(run);
            }
            warmedUp = true;
        }
        if (!MeasureCase(words, programs, book, starts, idle))
            ++failures;
        SetFileAttributesW(book.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(book.c_str());
        SetFileAttributesW(backup.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(backup.c_str());
    }
    return failures == 0 ? 0 : 1;
}
