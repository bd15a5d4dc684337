// The platform layer on Windows: the real registry, file and process calls, with CP932
// paths and texts converted to UTF-16 at this edge.
#include <windows.h>
#include <io.h>

#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "platform/text_win32.h"
#include "platform/platform.h"

namespace {

HKEY AsKey(PlatRegKey key) { return static_cast<HKEY>(key); }

std::wstring Wide(const char* text) { return WideFromCp932(text ? text : ""); }

DWORD Attributes(const char* path)
{
    return GetFileAttributesW(Wide(path).c_str());
}

} // namespace

bool PlatRegOpen(const char* path, PlatRegKey* key)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, Wide(path).c_str(), 0, KEY_ALL_ACCESS, &opened) !=
        ERROR_SUCCESS)
        return false;
    *key = opened;
    return true;
}

bool PlatRegCreate(const char* path, PlatRegKey* key)
{
    HKEY created = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, Wide(path).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &created,
                        nullptr) != ERROR_SUCCESS)
        return false;
    *key = created;
    return true;
}

bool PlatRegQueryText(PlatRegKey key, const char* name, char* buffer, std::size_t size,
                      std::size_t* length)
{
    if (size > 0)
        buffer[0] = '\0';
    std::wstring valueName = name ? Wide(name) : std::wstring();
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(AsKey(key), valueName.c_str(), nullptr, &type, nullptr, &bytes) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    std::vector<wchar_t> wide(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD got = static_cast<DWORD>((wide.size() - 1) * sizeof(wchar_t));
    if (RegQueryValueExW(AsKey(key), valueName.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(wide.data()), &got) != ERROR_SUCCESS)
        return false;
    // The stored text may or may not carry its terminator; it ends at the first NUL.
    std::string text = Cp932FromWide(wide.data());
    *length = text.size();
    if (size > 0) {
        std::size_t n = text.size() < size - 1 ? text.size() : size - 1;
        std::memcpy(buffer, text.data(), n);
        buffer[n] = '\0';
    }
    return true;
}

bool PlatRegSetText(PlatRegKey key, const char* name, const char* text)
{
    std::wstring valueName = name ? Wide(name) : std::wstring();
    std::wstring wide = Wide(text);
    // The length is that of the text without its terminator.
    return RegSetValueExW(AsKey(key), valueName.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(wide.c_str()),
                          static_cast<DWORD>(wide.size() * sizeof(wchar_t))) == ERROR_SUCCESS;
}

void PlatRegClose(PlatRegKey key) { RegCloseKey(AsKey(key)); }

bool PlatPathExists(const char* path) { return Attributes(path) != INVALID_FILE_ATTRIBUTES; }

bool PlatIsDirectory(const char* path)
{
    DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool PlatSetReadOnly(const char* path)
{
    return SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_READONLY) != 0;
}

bool PlatSetNormal(const char* path)
{
    return SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_NORMAL) != 0;
}

bool PlatIsReadOnly(const char* path)
{
    DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

bool PlatCopyFile(const char* from, const char* to)
{
    return CopyFileW(Wide(from).c_str(), Wide(to).c_str(), FALSE) != 0;
}

bool PlatReplaceFile(const char* from, const char* to)
{
    return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool PlatDeleteFile(const char* path) { return DeleteFileW(Wide(path).c_str()) != 0; }

std::FILE* PlatOpenFile(const char* path, const char* mode)
{
    if (PlatIsDirectory(path))
        return nullptr;
    return _wfopen(Wide(path).c_str(), Wide(mode).c_str());
}

bool PlatWriteFile(std::FILE* file, const void* data, std::size_t size)
{
    return std::fwrite(data, 1, size, file) == size;
}

bool PlatFlushFile(std::FILE* file)
{
    return std::fflush(file) == 0 && _commit(_fileno(file)) == 0;
}

bool PlatGetProgramPath(char* buffer, std::size_t size)
{
    // Room for the longest path Windows has, left unfilled: only the pages the name takes
    // are touched, where a filled 64 KiB block would stay resident for the whole run.
    constexpr DWORD kRoom = 32768;
    std::unique_ptr<wchar_t[]> wide(new (std::nothrow) wchar_t[kRoom]);
    if (!wide)
        return false;
    DWORD n = GetModuleFileNameW(nullptr, wide.get(), kRoom);
    if (n == 0 || n >= kRoom)
        return false;
    std::string path = Cp932FromWide(std::wstring_view(wide.get(), n));
    // A name that code page 932 cannot spell would point somewhere else.
    if (WideFromCp932(path) != std::wstring(wide.get(), n) || path.size() + 1 > size)
        return false;
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return true;
}

std::uint32_t PlatTickCount() { return GetTickCount(); }
