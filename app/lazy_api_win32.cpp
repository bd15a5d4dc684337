// Loading rarely used system DLLs on the first call of one of their functions.
#include "app/lazy_api_win32.h"

#include <cwchar>

namespace {

// Only from the system folder: a DLL of the same name beside the program or in the
// current folder must never be picked up instead.
HMODULE LoadSystemDll(const wchar_t* dll)
{
    wchar_t path[MAX_PATH];
    UINT length = GetSystemDirectoryW(path, MAX_PATH);
    std::size_t name = std::wcslen(dll);
    if (length == 0 || length + 1 + name + 1 > MAX_PATH)
        return nullptr;
    path[length] = L'\\';
    std::wmemcpy(path + length + 1, dll, name + 1);
    return LoadLibraryW(path);
}

// Each function is looked up once; a failed lookup is not repeated.
template <typename Function>
Function Resolve(Function* cache, bool* tried, const wchar_t* dll, const char* name)
{
    if (!*tried) {
        *tried = true;
        // Through the generic function type, which any function pointer converts to.
        *cache = reinterpret_cast<Function>(
            reinterpret_cast<void (*)()>(LoadSystemFunction(dll, name)));
    }
    return *cache;
}

} // namespace

FARPROC LoadSystemFunction(const wchar_t* dll, const char* function)
{
    if (dll == nullptr || function == nullptr)
        return nullptr;
    // A DLL already in the process (loaded by an earlier call or by Windows itself) is
    // used as it is; its reference from here is never released.
    HMODULE module = GetModuleHandleW(dll);
    if (module == nullptr)
        module = LoadSystemDll(dll);
    if (module == nullptr)
        return nullptr;
    return GetProcAddress(module, function);
}

BOOL PlaySoundOnDemand(const wchar_t* sound, HMODULE module, DWORD flags)
{
    using PlaySoundFunction = BOOL(WINAPI*)(LPCWSTR, HMODULE, DWORD);
    static PlaySoundFunction playSound = nullptr;
    static bool tried = false;
    PlaySoundFunction call = Resolve(&playSound, &tried, L"winmm.dll", "PlaySoundW");
    return call != nullptr ? call(sound, module, flags) : FALSE;
}

BOOL GetOpenFileNameOnDemand(OPENFILENAMEW* open)
{
    using GetOpenFileNameFunction = BOOL(WINAPI*)(LPOPENFILENAMEW);
    static GetOpenFileNameFunction getOpenFileName = nullptr;
    static bool tried = false;
    GetOpenFileNameFunction call =
        Resolve(&getOpenFileName, &tried, L"comdlg32.dll", "GetOpenFileNameW");
    return call != nullptr ? call(open) : FALSE;
}
