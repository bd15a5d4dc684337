// Glyph icons on the screen: the icon cache, the drawing of code strings, the glyph
// display field and the faces of the symbol buttons.
#include "phonetic/glyph_display_win32.h"

#include <cstring>
#include <vector>

#include "phonetic/phonetic_code.h"
#include "platform/text_win32.h"

namespace {

// Filled once, never destroyed: glyphs are painted far too often to load them each time.
HICON g_glyphIcons[kGlyphIconCount] = {};
bool g_glyphIconsLoaded = false;

// Where a glyph display field starts its string.
constexpr int kDisplayX = 2;
constexpr int kDisplayY = 8;
// A symbol button's caption is read with room for this many characters: "(a" of "(a)".
constexpr std::size_t kCaptionRoom = 2;

// Each subclassed control keeps its own procedure (and a display field its text source)
// as window properties, so that several dialogs with such controls can be open at once.
const wchar_t kOwnProcProperty[] = L"VokaruGlyphOwnProc";
const wchar_t kTextSourceProperty[] = L"VokaruGlyphTextSource";

void DrawGlyph(HDC dc, const GlyphPlacement& placement)
{
    HICON icon = g_glyphIcons[placement.icon];
    // An icon that failed to load draws nothing; the layout has moved the pen anyway.
    if (icon != nullptr)
        DrawIcon(dc, placement.x, placement.y, icon);
}

WNDPROC OwnProc(HWND control)
{
    return reinterpret_cast<WNDPROC>(GetPropW(control, kOwnProcProperty));
}

void Subclass(HWND control, WNDPROC replacement)
{
    LONG_PTR own = SetWindowLongPtrW(control, GWLP_WNDPROC,
                                     reinterpret_cast<LONG_PTR>(replacement));
    SetPropW(control, kOwnProcProperty, reinterpret_cast<HANDLE>(own));
}

// Passes a message to the control's own procedure; at its destruction the properties go.
LRESULT CallOwnProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC own = OwnProc(control);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
        RemovePropW(control, kOwnProcProperty);
        RemovePropW(control, kTextSourceProperty);
    }
    return CallWindowProcW(own, control, message, wParam, lParam);
}

LRESULT CALLBACK GlyphDisplayProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto source = reinterpret_cast<GlyphTextSource>(GetPropW(field, kTextSourceProperty));
    LRESULT result = CallOwnProc(field, message, wParam, lParam);
    if (message == WM_PAINT && source != nullptr) {
        std::string text = source(field);
        HDC dc = GetDC(field);
        DrawPhoneticString(dc, text.c_str(), kDisplayX, kDisplayY);
        ReleaseDC(field, dc);
    }
    return result;
}

// The messages after which a button has drawn its face anew and the glyph must follow.
bool RepaintsButtonFace(UINT message)
{
    return message == WM_PAINT || message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN ||
           message == WM_LBUTTONUP;
}

LRESULT CALLBACK SymbolButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CallOwnProc(button, message, wParam, lParam);
    if (!RepaintsButtonFace(message))
        return result;
    std::string caption = GetWindowTextCp932(button, kCaptionRoom);
    GlyphPlacement placement;
    if (LayoutButtonFace(caption.c_str(), &placement)) {
        LoadGlyphIcons(GetModuleHandleW(nullptr));
        HDC dc = GetDC(button);
        DrawGlyph(dc, placement);
        ReleaseDC(button, dc);
    }
    return result;
}

} // namespace

void LoadGlyphIcons(HINSTANCE instance)
{
    if (g_glyphIconsLoaded)
        return;
    for (int i = 0; i < kGlyphIconCount; ++i) {
        // The resource names are plain ASCII.
        const char* name = GlyphIconName(i);
        std::wstring wideName(name, name + std::strlen(name));
        g_glyphIcons[i] = LoadIconW(instance, wideName.c_str());
    }
    g_glyphIconsLoaded = true;
}

void DrawPhoneticString(HDC dc, const char* text, int x, int y)
{
    LoadGlyphIcons(GetModuleHandleW(nullptr));
    // At most one glyph per byte.
    std::vector<GlyphPlacement> placements(std::strlen(text) + 1);
    int count = LayoutPhoneticString(text, x, y, placements.data(),
                                     static_cast<int>(placements.size()));
    for (int i = 0; i < count; ++i)
        DrawGlyph(dc, placements[static_cast<std::size_t>(i)]);
}

void SubclassGlyphDisplay(HWND field, GlyphTextSource source)
{
    if (field == nullptr)
        return;
    SetPropW(field, kTextSourceProperty, reinterpret_cast<HANDLE>(source));
    Subclass(field, GlyphDisplayProc);
}

void SubclassSymbolButton(HWND button)
{
    if (button != nullptr)
        Subclass(button, SymbolButtonProc);
}
