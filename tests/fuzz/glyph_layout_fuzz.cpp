// Fuzzes the glyph layout, the symbol button faces and the code text rules with
// arbitrary bytes as a code string.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "phonetic/code_text.h"
#include "phonetic/phonetic_code.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// Placements follow the pen: codes on the row y left to right, each accent 7 pixels
// higher, inside the span of some earlier code.
void CheckLayout(const char* text, std::size_t length)
{
    const int x = 2, y = 8;
    std::unique_ptr<GlyphPlacement[]> placements(new GlyphPlacement[length + 1]);
    int count = LayoutPhoneticString(text, x, y, placements.get(), static_cast<int>(length));
    Check(count >= 0 && static_cast<std::size_t>(count) <= length);

    int pen = x;
    int lastLeft = x - 1;
    int drawn = 0;
    for (std::size_t i = 0; i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        int code = FindPhoneticCode(c);
        if (code >= 0) {
            Check(drawn < count);
            const GlyphPlacement& p = placements[drawn++];
            Check(p.icon == code && p.x == pen && p.y == y && p.x > lastLeft);
            lastLeft = p.x;
            pen += kPhoneticCodes[code].advance;
        } else if (FindAccentMark(c) >= 0 && lastLeft >= x) {
            Check(drawn < count);
            const GlyphPlacement& p = placements[drawn++];
            Check(p.icon == kPhoneticCodeCount + FindAccentMark(c));
            Check(p.y == y - kAccentRise && p.x >= lastLeft && p.x <= pen);
        } else {
            pen += kGapWidth;
        }
    }
    Check(drawn == count);

    // Less room lays out the same beginning and writes nothing more.
    if (count > 0) {
        int room = count / 2;
        std::unique_ptr<GlyphPlacement[]> fewer(new GlyphPlacement[room + 1]);
        fewer[room] = {-9, -9, -9};
        Check(LayoutPhoneticString(text, x, y, fewer.get(), room) == room);
        Check(fewer[room].icon == -9);
        for (int i = 0; i < room; ++i)
            Check(std::memcmp(&fewer[i], &placements[i], sizeof fewer[i]) == 0);
    }
}

void CheckButtonFace(const char* caption)
{
    GlyphPlacement placement;
    if (LayoutButtonFace(caption, &placement)) {
        Check(placement.icon >= 0 && placement.icon < kPhoneticCodeCount);
        Check(placement.x >= 0 && placement.x + kPhoneticCodes[placement.icon].advance <= 32);
        Check(placement.y == kButtonFaceTop);
    }
}

void CheckAppend(const char* field, int id, const char* caption)
{
    char text[kCodeTextRoom];
    ReadCodeText(field, text, sizeof text);
    std::size_t length = std::strlen(text);
    Check(length <= kCodeTextLimit && std::strncmp(text, field, length) == 0);
    char before[kCodeTextRoom];
    std::memcpy(before, text, sizeof text);
    bool appended = AppendSymbol(text, sizeof text, id, caption);
    std::size_t after = std::strlen(text);
    if (appended) {
        Check(after == length + 1 && std::strncmp(text, before, length) == 0);
        Check(text[length] == SymbolCharacter(id, caption));
    } else {
        Check(std::memcmp(text, before, sizeof text) == 0);
    }
}

} // namespace

// Input: the code string. Its first bytes also pick a button and its caption.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // An exactly sized copy, so any read past the terminator is caught.
    std::unique_ptr<char[]> text(new char[size + 1]);
    if (size > 0)
        std::memcpy(text.get(), data, size);
    text[size] = '\0';
    std::size_t length = std::strlen(text.get());

    CheckLayout(text.get(), length);

    char caption[3] = {0, 0, 0};
    std::memcpy(caption, text.get(), length < 2 ? length : 2);
    CheckButtonFace(caption);

    int id = kSymbolButtonFirstId;
    if (size >= 2)
        id += (data[0] | data[1] << 8) % (kAccentButtonLastId - kSymbolButtonFirstId + 1);
    CheckAppend(text.get(), id, caption);
    CheckAppend(text.get(), kAccentButtonFirstId + (size & 1), caption);
    return 0;
}
