// The one pair of conversions between CP932 and UTF-16, and the text calls built on them.
#include "platform/text_win32.h"

#include <vector>

#include "wordbook/text.h"

namespace {

constexpr UINT kCodePage = 932;

std::string CutToLimit(std::string text, std::size_t limit)
{
    text.resize(FitLength(text.data(), text.size(), limit));
    return text;
}

} // namespace

std::wstring WideFromCp932(std::string_view text)
{
    if (text.empty())
        return std::wstring();
    int n = MultiByteToWideChar(kCodePage, 0, text.data(), static_cast<int>(text.size()),
                                nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0)
        MultiByteToWideChar(kCodePage, 0, text.data(), static_cast<int>(text.size()),
                            wide.data(), n);
    return wide;
}

std::string Cp932FromWide(std::wstring_view text)
{
    if (text.empty())
        return std::string();
    int n = WideCharToMultiByte(kCodePage, 0, text.data(), static_cast<int>(text.size()),
                                nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(kCodePage, 0, text.data(), static_cast<int>(text.size()),
                            narrow.data(), n, nullptr, nullptr);
    return narrow;
}

std::string GetWindowTextCp932(HWND window, std::size_t limit)
{
    int length = GetWindowTextLengthW(window);
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    int got = GetWindowTextW(window, buffer.data(), static_cast<int>(buffer.size()));
    return CutToLimit(Cp932FromWide(std::wstring_view(buffer.data(),
                                                      static_cast<std::size_t>(got > 0 ? got : 0))),
                      limit);
}

void SetWindowTextCp932(HWND window, std::string_view text)
{
    SetWindowTextW(window, WideFromCp932(text).c_str());
}

std::string GetDlgItemTextCp932(HWND dialog, int id, std::size_t limit)
{
    return GetWindowTextCp932(GetDlgItem(dialog, id), limit);
}

void SetDlgItemTextCp932(HWND dialog, int id, std::string_view text)
{
    SetDlgItemTextW(dialog, id, WideFromCp932(text).c_str());
}

std::string LoadStringCp932(int id, std::size_t limit)
{
    const wchar_t* resource = nullptr;
    // With a zero buffer size LoadStringW hands back a pointer into the resource itself.
    int length = LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(id),
                             reinterpret_cast<LPWSTR>(&resource), 0);
    if (length <= 0 || resource == nullptr)
        return std::string();
    return CutToLimit(Cp932FromWide(std::wstring_view(resource, static_cast<std::size_t>(length))),
                      limit);
}
