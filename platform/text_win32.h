// Conversion between the program's CP932 texts and the UTF-16 of the Win32 W functions.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// Always code page 932, whatever the system's ANSI code page, so the program behaves the
// same on any Windows locale and under Wine.
std::wstring WideFromCp932(std::string_view text);
std::string Cp932FromWide(std::wstring_view text);

// A window's text as CP932, cut to at most `limit` bytes on a character boundary.
std::string GetWindowTextCp932(HWND window, std::size_t limit);
void SetWindowTextCp932(HWND window, std::string_view text);
std::string GetDlgItemTextCp932(HWND dialog, int id, std::size_t limit);
void SetDlgItemTextCp932(HWND dialog, int id, std::string_view text);

// A string-table entry as CP932, cut to at most `limit` bytes.
std::string LoadStringCp932(int id, std::size_t limit);
