// The code and accent tables and the placement of glyphs for a phonetic code string.
#include "phonetic/phonetic_code.h"

const PhoneticCode kPhoneticCodes[kPhoneticCodeCount] = {
    {'a', "P_A", 8},   {'A', "P_A1", 8},  {'b', "P_B", 8},   {'C', "P_C1", 8},
    {':', "P_CLN", 6}, {'d', "P_D", 8},   {'e', "P_E", 8},   {'E', "P_E1", 8},
    {'3', "P_EP", 7},  {'f', "P_F", 6},   {'g', "P_G", 7},   {'G', "P_G1", 8},
    {'h', "P_H", 8},   {'i', "P_I", 4},   {'I', "P_I1", 4},  {'j', "P_J", 4},
    {'J', "P_J1", 7},  {'k', "P_K", 8},   {'l', "P_L", 4},   {'m', "P_M", 8},
    {'n', "P_N", 8},   {'o', "P_O", 8},   {'O', "P_O1", 8},  {'p', "P_P", 8},
    {'Q', "P_Q1", 10}, {'r', "P_R", 6},   {'R', "P_R1", 8},  {'s', "P_S", 8},
    {'S', "P_S1", 8},  {'t', "P_T", 6},   {'u', "P_U", 8},   {'v', "P_V", 8},
    {'w', "P_W", 8},   {'x', "P_X", 8},   {'z', "P_Z", 8},   {'Z', "P_Z1", 8},
    {'/', "P_SL", 6},  {'-', "P_MS", 6},  {'(', "P_QL", 4},  {')', "P_QR", 4},
};

const AccentMark kAccentMarks[kAccentMarkCount] = {
    {'\'', "P_ACC", 4},
    {'~', "P_~", 5},
};

int FindPhoneticCode(unsigned char c)
{
    for (int i = 0; i < kPhoneticCodeCount; ++i) {
        if (static_cast<unsigned char>(kPhoneticCodes[i].code) == c)
            return i;
    }
    return -1;
}

int FindAccentMark(unsigned char c)
{
    for (int i = 0; i < kAccentMarkCount; ++i) {
        if (static_cast<unsigned char>(kAccentMarks[i].mark) == c)
            return i;
    }
    return -1;
}

const char* GlyphIconName(int icon)
{
    if (icon >= 0 && icon < kPhoneticCodeCount)
        return kPhoneticCodes[icon].iconName;
    if (icon >= kPhoneticCodeCount && icon < kGlyphIconCount)
        return kAccentMarks[icon - kPhoneticCodeCount].iconName;
    return nullptr;
}

int LayoutPhoneticString(const char* text, int x, int y, GlyphPlacement* placements,
                         int room)
{
    int stored = 0;
    int pen = x;
    // 0 until the first code: an accent needs a symbol to sit on.
    int lastWidth = 0;
    for (const char* p = text; *p != '\0' && stored < room; ++p) {
        unsigned char c = static_cast<unsigned char>(*p);
        int code = FindPhoneticCode(c);
        if (code >= 0) {
            placements[stored++] = {code, pen, y};
            lastWidth = kPhoneticCodes[code].advance;
            pen += lastWidth;
            continue;
        }
        int accent = FindAccentMark(c);
        if (accent >= 0 && lastWidth != 0) {
            // Centred over the last symbol, measured back from the pen, which a gap
            // after that symbol may have moved on. C++ division truncates toward zero.
            int width = kAccentMarks[accent].width;
            placements[stored++] = {kPhoneticCodeCount + accent,
                                    pen - lastWidth + (lastWidth - width) / 2,
                                    y - kAccentRise};
            continue;
        }
        pen += kGapWidth;
    }
    return stored;
}

int ButtonFaceX(int advance)
{
    return (kButtonFaceWidth - advance) / 2;
}

bool LayoutButtonFace(const char* caption, GlyphPlacement* placement)
{
    // A caption shorter than two bytes has no second character to look at.
    if (caption == nullptr || caption[0] == '\0')
        return false;
    int code = FindPhoneticCode(static_cast<unsigned char>(caption[1]));
    if (code < 0)
        return false;
    *placement = {code, ButtonFaceX(kPhoneticCodes[code].advance), kButtonFaceTop};
    return true;
}
