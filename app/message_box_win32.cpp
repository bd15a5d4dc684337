// Message-box helpers and the reported save of the word book.
#include "app/message_box_win32.h"

#include <cstdio>
#include <string>

#include "app/ui_context_win32.h"
#include "platform/text_win32.h"
#include "resources/resource.h"
#include "wordbook/save.h"
#include "wordbook/word_file.h"

namespace {

constexpr std::size_t kCaptionLimit = 63;
constexpr std::size_t kTextLimit = 127;
constexpr std::size_t kFormattedLimit = 255;

UINT BoxStyle(int style)
{
    switch (style) {
    case 3: return MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON1;
    case 4: return MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1;
    case 16: return MB_OK | MB_ICONSTOP;
    case 48: return MB_OK | MB_ICONEXCLAMATION;
    case 260: return MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2;
    default: return MB_OK;
    }
}

int ShowBox(HWND owner, int captionId, const std::string& text, int style)
{
    std::string caption = LoadStringCp932(captionId, kCaptionLimit);
    ControlsContextScope controls;
    return MessageBoxW(owner, WideFromCp932(text).c_str(), WideFromCp932(caption).c_str(),
                       BoxStyle(style) | MB_TASKMODAL | MB_SETFOREGROUND);
}

} // namespace

int ShowMessage(HWND owner, int captionId, int textId, int style)
{
    return ShowBox(owner, captionId, LoadStringCp932(textId, kTextLimit), style);
}

int ShowFormattedMessage(HWND owner, int captionId, int formatId, const char* argument,
                         int style)
{
    std::string format = LoadStringCp932(formatId, kTextLimit);
    char text[kFormattedLimit + 1];
    std::snprintf(text, sizeof text, format.c_str(), argument);
    return ShowBox(owner, captionId, text, style);
}

void ShowTextMessage(HWND owner, int captionId, const char* text, int style)
{
    ShowBox(owner, captionId, text, style);
}

void SaveWordBook(HWND owner)
{
    if (SaveWordBookFiles() < 0)
        ShowTextMessage(owner, IDS_ERROR, GetLastErrorText(), 16);
}
