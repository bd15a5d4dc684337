// Opening the help file or the HTML guide beside the program.
#include "app/help_win32.h"

#include <shellapi.h>

#include <cstring>
#include <string>

#include "platform/platform.h"
#include "platform/text_win32.h"
#include "wordbook/text.h"

namespace {

// The program's folder with its trailing backslash, or false when it cannot be had.
bool ProgramFolder(std::string* folder)
{
    char path[1024];
    if (!PlatGetProgramPath(path, sizeof path))
        return false;
    const char* slash = FindLastBackslash(path);
    *folder = slash ? std::string(path, static_cast<std::size_t>(slash - path) + 1) : std::string();
    return true;
}

} // namespace

void OpenHelp(HWND owner, const char* keyword, const char* anchor)
{
    std::string folder;
    if (!ProgramFolder(&folder))
        return;
    std::string help = folder + "vokaru.hlp";
    if (PlatPathExists(help.c_str())) {
        std::wstring file = WideFromCp932(help);
        if (keyword == nullptr) {
            WinHelpW(owner, file.c_str(), HELP_FORCEFILE, 0);
        } else {
            std::wstring key = WideFromCp932(keyword);
            WinHelpW(owner, file.c_str(), HELP_KEY, reinterpret_cast<ULONG_PTR>(key.c_str()));
        }
        return;
    }
    std::string guide = folder + kGuideFileName;
    if (!PlatPathExists(guide.c_str()))
        return;
    // A file URL keeps the section anchor, which a plain path would lose.
    std::wstring url = L"file:///" + WideFromCp932(guide);
    for (wchar_t& c : url) {
        if (c == L'\\')
            c = L'/';
    }
    if (anchor != nullptr && anchor[0] != '\0')
        url += L"#" + WideFromCp932(anchor);
    ShellExecuteW(owner, L"open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
