// Linux stand-in for the platform layer: an in-memory registry whose failures a test can
// switch on, and std::filesystem for files. Used by the native tests and benchmarks.
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/platform.h"
#include "platform/standin.h"

namespace fs = std::filesystem;

namespace {

StandinRegistry g_registry;
StandinFailures g_failures;
std::string g_programPath = "C:\\Vokaru\\vokaru.exe";

struct OpenKey {
    std::string path;
};

} // namespace

StandinRegistry& StandinRegistryData() { return g_registry; }
StandinFailures& StandinFail() { return g_failures; }

void StandinReset()
{
    g_registry.clear();
    g_failures = StandinFailures{};
    g_programPath = "C:\\Vokaru\\vokaru.exe";
}

void StandinSetProgramPath(const std::string& path) { g_programPath = path; }

bool PlatRegOpen(const char* path, PlatRegKey* key)
{
    if (g_failures.open || g_registry.find(path) == g_registry.end())
        return false;
    *key = new OpenKey{path};
    return true;
}

bool PlatRegCreate(const char* path, PlatRegKey* key)
{
    if (g_failures.create)
        return false;
    g_registry[path];
    *key = new OpenKey{path};
    return true;
}

bool PlatRegQueryText(PlatRegKey key, const char* name, char* buffer, std::size_t size,
                      std::size_t* length)
{
    if (size > 0)
        buffer[0] = '\0';
    if (g_failures.read)
        return false;
    auto k = g_registry.find(static_cast<OpenKey*>(key)->path);
    if (k == g_registry.end())
        return false;
    auto v = k->second.find(name ? name : "");
    if (v == k->second.end())
        return false;
    const std::string& text = v->second;
    // Like the real registry, a stored text reads up to its first NUL.
    std::size_t full = std::strlen(text.c_str());
    *length = full;
    if (size > 0) {
        std::size_t n = full < size - 1 ? full : size - 1;
        std::memcpy(buffer, text.data(), n);
        buffer[n] = '\0';
    }
    return true;
}

bool PlatRegSetText(PlatRegKey key, const char* name, const char* text)
{
    if (g_failures.write)
        return false;
    g_registry[static_cast<OpenKey*>(key)->path][name ? name : ""] = text;
    return true;
}

void PlatRegClose(PlatRegKey key) { delete static_cast<OpenKey*>(key); }

bool PlatPathExists(const char* path)
{
    std::error_code ec;
    return fs::exists(path, ec);
}

bool PlatIsDirectory(const char* path)
{
    std::error_code ec;
    return fs::is_directory(path, ec);
}

bool PlatSetReadOnly(const char* path)
{
    return ::chmod(path, 0444) == 0;
}

bool PlatSetNormal(const char* path)
{
    return ::chmod(path, 0644) == 0;
}

bool PlatIsReadOnly(const char* path)
{
    struct stat st;
    return ::stat(path, &st) == 0 && (st.st_mode & 0222) == 0;
}

bool PlatCopyFile(const char* from, const char* to)
{
    std::error_code ec;
    // A read-only target refuses the copy, as on Windows.
    if (fs::exists(to, ec) && PlatIsReadOnly(to))
        return false;
    return fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
}

bool PlatReplaceFile(const char* from, const char* to)
{
    if (g_failures.replace)
        return false;
    return std::rename(from, to) == 0;
}

bool PlatDeleteFile(const char* path)
{
    return std::remove(path) == 0;
}

std::FILE* PlatOpenFile(const char* path, const char* mode)
{
    if (PlatIsDirectory(path))
        return nullptr;
    // Read-only files refuse writing even to root, as they do on Windows.
    if (mode[0] != 'r' && PlatPathExists(path) && PlatIsReadOnly(path))
        return nullptr;
    return std::fopen(path, mode);
}

bool PlatWriteFile(std::FILE* file, const void* data, std::size_t size)
{
    if (g_failures.writeBytesLeft >= 0) {
        std::size_t allowed = static_cast<std::size_t>(g_failures.writeBytesLeft);
        if (size > allowed) {
            std::fwrite(data, 1, allowed, file);
            g_failures.writeBytesLeft = 0;
            return false;
        }
        g_failures.writeBytesLeft -= static_cast<long>(size);
    }
    return std::fwrite(data, 1, size, file) == size;
}

// Hands the bytes to the system; the stand-in leaves the disk sync to the system so that
// tests and fuzzing that save thousands of times stay fast.
bool PlatFlushFile(std::FILE* file)
{
    return std::fflush(file) == 0;
}

bool PlatGetProgramPath(char* buffer, std::size_t size)
{
    if (g_failures.programPath || g_programPath.size() + 1 > size)
        return false;
    std::memcpy(buffer, g_programPath.c_str(), g_programPath.size() + 1);
    return true;
}

std::uint32_t PlatTickCount()
{
    using namespace std::chrono;
    return static_cast<std::uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}
