// Help: the help file beside the program, or the HTML guide where there is none.
#pragma once

#include <windows.h>

// The guide shipped beside the program, opened where vokaru.hlp is missing.
constexpr char kGuideFileName[] = "vokaru-guide.html";

// Opens the help as a whole (`keyword` nullptr) or at a keyword's topic. With vokaru.hlp
// beside the program it goes to the help viewer; without it (current Windows has no
// viewer for such files) the HTML guide opens in the browser, at the section `anchor`.
void OpenHelp(HWND owner, const char* keyword, const char* anchor);
