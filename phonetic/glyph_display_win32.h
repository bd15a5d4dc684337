// Drawing phonetic code strings as glyph icons, and the controls that show them.
#pragma once

#include <windows.h>

#include <string>

// Loads the 42 glyph icons from `instance` into the icon cache on the first call; later
// calls return at once. The icons stay loaded until the process ends.
void LoadGlyphIcons(HINSTANCE instance);

// Draws `text` as glyphs with the first glyph's top-left corner at (x, y) of `dc`. The
// icons come from the program's own module.
void DrawPhoneticString(HDC dc, const char* text, int x, int y);

// The code string a glyph display field shows, asked for at every paint of `field`.
using GlyphTextSource = std::string (*)(HWND field);

// Makes an edit control a glyph display field: after its own painting it draws the
// string `source` gives at (2, 8). Whoever changes that string invalidates the field.
void SubclassGlyphDisplay(HWND field, GlyphTextSource source);

// Gives a symbol button a glyph face: the code in its caption "(a)" is drawn as its glyph
// above the caption.
void SubclassSymbolButton(HWND button);
