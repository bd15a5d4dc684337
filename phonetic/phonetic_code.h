// Phonetic code strings: the code and accent tables, and where their glyphs are drawn.
#pragma once

#include <cstddef>

constexpr int kPhoneticCodeCount = 40;
constexpr int kAccentMarkCount = 2;
// The icon cache holds the code glyphs in table order, then the accent glyphs; a glyph
// icon index is a position in that order.
constexpr int kGlyphIconCount = kPhoneticCodeCount + kAccentMarkCount;

// Pixels the pen moves for a byte that is neither a code nor a drawn accent.
constexpr int kGapWidth = 8;
// An accent is drawn this many pixels above the row of the symbol it belongs to.
constexpr int kAccentRise = 7;

// Symbol buttons of the pronunciation editor: ids 10000 + code index. The first 36 show
// a glyph on their face, the last 4 only their caption; the accent buttons follow at
// 20000 + accent index.
constexpr int kSymbolButtonFirstId = 10000;
constexpr int kGlyphButtonLastId = 10035;
constexpr int kAccentButtonFirstId = 20000;
constexpr int kAccentButtonLastId = 20001;
// Where a symbol button draws its glyph: centred in a 32-pixel wide face, 4 pixels down.
constexpr int kButtonFaceWidth = 32;
constexpr int kButtonFaceTop = 4;

struct PhoneticCode {
    char code;
    const char* iconName;
    int advance;  // pixels the pen moves after the glyph
};

struct AccentMark {
    char mark;
    const char* iconName;
    int width;  // used only to centre the mark over the symbol before it
};

extern const PhoneticCode kPhoneticCodes[kPhoneticCodeCount];
extern const AccentMark kAccentMarks[kAccentMarkCount];

// Row of the code table for byte `c`, or -1. The NUL byte is never a code.
int FindPhoneticCode(unsigned char c);
// Row of the accent table for byte `c`, or -1.
int FindAccentMark(unsigned char c);

// Resource name of glyph icon `icon` (0 to kGlyphIconCount - 1), or nullptr.
const char* GlyphIconName(int icon);

// One glyph icon to draw, with its top-left corner at (x, y).
struct GlyphPlacement {
    int icon;
    int x;
    int y;
};

// Lays out a NUL-terminated code string with the first glyph's top-left corner at
// (x, y), byte by byte (the two bytes of a double-byte character count separately), as
// DrawPhoneticString draws it. Stores at most `room` placements in drawing order and
// returns how many it stored; a string never needs more than one per byte.
int LayoutPhoneticString(const char* text, int x, int y, GlyphPlacement* placements,
                         int room);

// Left edge of a glyph of the given advance width on a symbol button's face.
int ButtonFaceX(int advance);

// The glyph a symbol button draws on its face, given its caption as read with room for
// 2 characters: the code in the second byte. False when that byte is no code.
bool LayoutButtonFace(const char* caption, GlyphPlacement* placement);
