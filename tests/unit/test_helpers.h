// Shared helpers for the native unit tests: scratch folders, file bytes, a clean book.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/standin.h"
#include "wordbook/word_book.h"

// A fresh folder under the system's temporary folder, removed with the object.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

private:
    std::filesystem::path dir_;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// Empties the word book and resets the platform stand-in.
void ResetWorld();

// Appends a record with the given texts and counters.
void AddWord(const char* word, const char* explain1 = "", const char* explain2 = "",
             const char* remark = "", unsigned right = 0, unsigned wrong = 0,
             unsigned check = 0, unsigned checkOnly = 0, const char* pronunce = "");
