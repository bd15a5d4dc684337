// The thin layer over the operating system: registry, files, program path, tick count.
// Paths and texts are CP932 bytes; the Windows side converts them at its edge.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// ---- Registry (under the current user's hive) ----

using PlatRegKey = void*;

// Opens an existing key with full access. False when it does not exist or cannot be opened.
bool PlatRegOpen(const char* path, PlatRegKey* key);
// Creates a key (or opens it if it exists) with full access.
bool PlatRegCreate(const char* path, PlatRegKey* key);
// Reads a REG_SZ value (`name` nullptr: the unnamed value) into `buffer` of `size` bytes,
// always NUL-terminated. `*length` receives the full length of the stored text in bytes,
// which may exceed size - 1; then only a prefix was copied. False when there is no
// readable value.
bool PlatRegQueryText(PlatRegKey key, const char* name, char* buffer, std::size_t size,
                      std::size_t* length);
// Writes `text` as a REG_SZ value (`name` nullptr: the unnamed value). False on failure.
bool PlatRegSetText(PlatRegKey key, const char* name, const char* text);
void PlatRegClose(PlatRegKey key);

// Owns an open key for one scope.
class RegKeyOwner {
public:
    RegKeyOwner() = default;
    ~RegKeyOwner() { if (key_ != nullptr) PlatRegClose(key_); }
    RegKeyOwner(const RegKeyOwner&) = delete;
    RegKeyOwner& operator=(const RegKeyOwner&) = delete;
    PlatRegKey* Receive() { return &key_; }
    PlatRegKey Get() const { return key_; }
private:
    PlatRegKey key_ = nullptr;
};

// ---- Files ----

// True when something (a file or a folder) exists at `path`.
bool PlatPathExists(const char* path);
// True when `path` names a folder.
bool PlatIsDirectory(const char* path);
// Sets the file's attributes to read-only alone, or to normal. False on failure.
bool PlatSetReadOnly(const char* path);
bool PlatSetNormal(const char* path);
// True when the file carries the read-only attribute.
bool PlatIsReadOnly(const char* path);
// Copies `from` onto `to`, overwriting an existing `to`. False on failure.
bool PlatCopyFile(const char* from, const char* to);
// Puts `from` in place of `to` in one step (replacing `to`). False on failure.
bool PlatReplaceFile(const char* from, const char* to);
// Deletes a file. False on failure.
bool PlatDeleteFile(const char* path);
// Opens a file in binary mode ("rb", "wb"). nullptr on failure.
std::FILE* PlatOpenFile(const char* path, const char* mode);
// Flushes a file written with PlatOpenFile down to the disk. False on failure.
bool PlatFlushFile(std::FILE* file);

// ---- Process ----

// The program file's full path. False when it cannot be had or does not fit `size`.
bool PlatGetProgramPath(char* buffer, std::size_t size);
// Milliseconds since the system started.
std::uint32_t PlatTickCount();

// Writes `size` bytes to a file opened with PlatOpenFile. False when not all were written.
bool PlatWriteFile(std::FILE* file, const void* data, std::size_t size);
