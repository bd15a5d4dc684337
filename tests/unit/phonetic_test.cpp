// Tests of the phonetic code tables, glyph layout, symbol button faces, the editor's
// code text rules and the glyph icon sources.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "phonetic/code_text.h"
#include "phonetic/phonetic_code.h"
#include "wordbook/word_book.h"

namespace {

const char kCodeLetters[] = "aAbC:deE3fgGhiIjJklmnoOpQrRsStuvwxzZ/-()";
const char kAccentLetters[] = "'~";

int Advance(char code)
{
    return kPhoneticCodes[FindPhoneticCode(static_cast<unsigned char>(code))].advance;
}

std::string Describe(const std::vector<GlyphPlacement>& placements)
{
    std::string out;
    for (const GlyphPlacement& p : placements) {
        const char* name = GlyphIconName(p.icon);
        out += std::string(name != nullptr ? name : "?") + "@" + std::to_string(p.x) + "," +
               std::to_string(p.y) + " ";
    }
    return out;
}

std::vector<GlyphPlacement> Layout(const std::string& text, int x, int y)
{
    std::vector<GlyphPlacement> placements(text.size() + 1);
    int count = LayoutPhoneticString(text.c_str(), x, y, placements.data(),
                                     static_cast<int>(placements.size()));
    placements.resize(count);
    return placements;
}

// ---- Tables ----

TEST(PhoneticTables, EveryByteHasAtMostOneMeaning)
{
    std::string codes, accents;
    for (int c = 0; c < 256; ++c) {
        int code = FindPhoneticCode(static_cast<unsigned char>(c));
        int accent = FindAccentMark(static_cast<unsigned char>(c));
        EXPECT_FALSE(code >= 0 && accent >= 0) << c;
        if (code >= 0) {
            EXPECT_EQ(kPhoneticCodes[code].code, static_cast<char>(c));
            codes += static_cast<char>(c);
        }
        if (accent >= 0)
            accents += static_cast<char>(c);
    }
    EXPECT_EQ(codes.size(), std::strlen(kCodeLetters));
    EXPECT_EQ(accents.size(), std::strlen(kAccentLetters));
    for (int i = 0; kCodeLetters[i] != '\0'; ++i)
        EXPECT_EQ(FindPhoneticCode(static_cast<unsigned char>(kCodeLetters[i])), i) << i;
    for (int i = 0; kAccentLetters[i] != '\0'; ++i)
        EXPECT_EQ(FindAccentMark(static_cast<unsigned char>(kAccentLetters[i])), i) << i;
    EXPECT_EQ(FindPhoneticCode(0), -1);
    EXPECT_EQ(FindAccentMark(0), -1);
}

TEST(PhoneticTables, IconNamesAreDistinctAndCoverTheCache)
{
    std::set<std::string> names;
    for (int icon = 0; icon < kGlyphIconCount; ++icon) {
        ASSERT_NE(GlyphIconName(icon), nullptr) << icon;
        names.insert(GlyphIconName(icon));
    }
    EXPECT_EQ(names.size(), static_cast<std::size_t>(kGlyphIconCount));
    EXPECT_EQ(GlyphIconName(-1), nullptr);
    EXPECT_EQ(GlyphIconName(kGlyphIconCount), nullptr);
    EXPECT_STREQ(GlyphIconName(kPhoneticCodeCount + 1), "P_~");
}

// ---- Layout of DrawPhoneticString ----

struct LayoutCase {
    const char* what;
    std::string text;
    int x, y;
    std::string expected;
};

TEST(PhoneticLayout, WorkedExamplesAndEdgeCases)
{
    const LayoutCase cases[] = {
        {"empty string", "", 2, 8, ""},
        {"pQ'n", "pQ'n", 2, 8, "P_P@2,8 P_Q1@10,8 P_ACC@13,1 P_N@20,8 "},
        {"accent after a gap is measured from the pen", "a#'", 2, 8, "P_A@2,8 P_ACC@12,1 "},
        {"leading accent is a gap", "'a", 2, 8, "P_A@10,8 "},
        {"leading tilde is a gap", "~n", 0, 0, "P_N@8,0 "},
        {"two accents in a row", "a'~", 2, 8, "P_A@2,8 P_ACC@4,1 P_~@3,1 "},
        {"tilde wider than i truncates toward zero", "i~", 2, 8, "P_I@2,8 P_~@2,1 "},
        {"accent over the length mark", "o:'", 0, 20, "P_O@0,20 P_CLN@8,20 P_ACC@9,13 "},
        {"a and A differ", "aA", 2, 8, "P_A@2,8 P_A1@10,8 "},
        {"c q y and space are gaps", "cqy b", 2, 8, "P_B@34,8 "},
        {"double-byte character with a code as second byte", "\x83\x41", 2, 8,
         "P_A1@10,8 "},
        {"double-byte character without codes", "\x82\xA0n", 2, 8, "P_N@18,8 "},
        {"high bytes only", "\xFF\x80\xE0", 0, 0, ""},
        {"negative origin", "t", -5, -3, "P_T@-5,-3 "},
        {"ash is wider", "Qk", 0, 0, "P_Q1@0,0 P_K@10,0 "},
    };
    for (const LayoutCase& c : cases)
        EXPECT_EQ(Describe(Layout(c.text, c.x, c.y)), c.expected) << c.what;
}

TEST(PhoneticLayout, PenAdvancesByEachCodesWidth)
{
    // The whole code table in one string: each glyph starts where the previous ended.
    std::vector<GlyphPlacement> placements = Layout(kCodeLetters, 2, 8);
    ASSERT_EQ(placements.size(), std::strlen(kCodeLetters));
    int pen = 2;
    for (std::size_t i = 0; i < placements.size(); ++i) {
        EXPECT_EQ(placements[i].icon, static_cast<int>(i));
        EXPECT_EQ(placements[i].x, pen) << kCodeLetters[i];
        EXPECT_EQ(placements[i].y, 8);
        pen += Advance(kCodeLetters[i]);
    }
}

TEST(PhoneticLayout, StoresNoMoreThanTheRoomGiven)
{
    GlyphPlacement placements[3] = {{-7, -7, -7}, {-7, -7, -7}, {-7, -7, -7}};
    EXPECT_EQ(LayoutPhoneticString("abdef", 0, 0, placements, 2), 2);
    EXPECT_EQ(placements[1].icon, FindPhoneticCode('b'));
    EXPECT_EQ(placements[2].icon, -7) << "written past the room";
    EXPECT_EQ(LayoutPhoneticString("abc", 0, 0, placements, 0), 0);
}

// ---- Symbol button faces ----

TEST(SymbolButtonFace, GlyphIsCentredFourPixelsDown)
{
    struct Case {
        const char* caption;
        int icon;
        int x;
    } cases[] = {
        {"(Q)", FindPhoneticCode('Q'), 11},
        {"(i)", FindPhoneticCode('i'), 14},
        {"(a)", FindPhoneticCode('a'), 12},
        {"(:)", FindPhoneticCode(':'), 13},
        {"(g)", FindPhoneticCode('g'), 12},  // (32 - 7) / 2
        {"(Z", FindPhoneticCode('Z'), 12},   // caption read with room for 2 characters
    };
    for (const Case& c : cases) {
        GlyphPlacement placement = {-1, -1, -1};
        ASSERT_TRUE(LayoutButtonFace(c.caption, &placement)) << c.caption;
        EXPECT_EQ(placement.icon, c.icon) << c.caption;
        EXPECT_EQ(placement.x, c.x) << c.caption;
        EXPECT_EQ(placement.y, 4) << c.caption;
    }
}

TEST(SymbolButtonFace, EveryGlyphButtonCaptionDrawsItsRow)
{
    for (int i = 0; i <= kGlyphButtonLastId - kSymbolButtonFirstId; ++i) {
        char caption[4] = {'(', kCodeLetters[i], ')', '\0'};
        GlyphPlacement placement;
        ASSERT_TRUE(LayoutButtonFace(caption, &placement)) << caption;
        EXPECT_EQ(placement.icon, i);
        EXPECT_EQ(placement.x, (32 - Advance(kCodeLetters[i])) / 2);
    }
}

TEST(SymbolButtonFace, CaptionsWithoutACodeDrawNothing)
{
    const char* captions[] = {"", "/", "(", "(c)", "(')", "(~)", "  ", "\x83\x81"};
    for (const char* caption : captions) {
        GlyphPlacement placement = {-1, -1, -1};
        EXPECT_FALSE(LayoutButtonFace(caption, &placement)) << caption;
        EXPECT_EQ(placement.icon, -1);
    }
    GlyphPlacement placement;
    EXPECT_FALSE(LayoutButtonFace(nullptr, &placement));
}

// ---- Editor: appending symbols and accents ----

struct Click {
    int id;
    const char* caption;
};

// Starts from `start` and clicks the buttons in turn; returns the text and which clicks
// were refused ('R') or appended ('+').
std::string ClickAll(const std::string& start, const std::vector<Click>& clicks,
                     std::string* outcome)
{
    char text[kCodeTextRoom];
    ReadCodeText(start.c_str(), text, sizeof text);
    for (const Click& click : clicks) {
        std::string before = text;
        bool appended = AppendSymbol(text, sizeof text, click.id, click.caption);
        *outcome += appended ? '+' : 'R';
        if (!appended) {
            EXPECT_EQ(before, text) << "a refused click changed the text";
        }
    }
    return text;
}

TEST(CodeTextAppend, ClickSequences)
{
    const Click q = {10024, "(Q"}, a = {10000, "(a"}, slash = {10036, "/"},
                close = {10039, ")"}, stress = {20000, "\x81\x66"}, tilde = {20001, "\x81\x60"};
    struct Case {
        const char* what;
        std::string start;
        std::vector<Click> clicks;
        std::string text;
        std::string outcome;
    } cases[] = {
        {"accent on an empty text is refused", "", {stress, tilde}, "", "RR"},
        {"(Q) then stress", "", {q, stress}, "Q'", "++"},
        {"second accent is refused", "Q'", {stress, tilde}, "Q'", "RR"},
        {"tilde after a typed tilde is refused", "a~", {stress}, "a~", "R"},
        {"slash appends and takes an accent", "", {slash, stress}, "/'", "++"},
        {"closing bracket then tilde", "(s", {close, tilde}, "(s)~", "++"},
        {"accent after a typed character that is no code", "#", {stress}, "#'", "+"},
        {"accent after an accent then a symbol", "a'", {a, tilde}, "a'a~", "++"},
        {"accent after a double-byte character ending in a tilde byte", "\x81\x7E",
         {tilde}, "\x81\x7E~", "+"},
    };
    for (const Case& c : cases) {
        std::string outcome;
        EXPECT_EQ(ClickAll(c.start, c.clicks, &outcome), c.text) << c.what;
        EXPECT_EQ(outcome, c.outcome) << c.what;
    }
}

TEST(CodeTextAppend, CharacterTakenFromEachKindOfButton)
{
    EXPECT_EQ(SymbolCharacter(10000, "(a"), 'a');
    EXPECT_EQ(SymbolCharacter(10035, "(Z"), 'Z');
    EXPECT_EQ(SymbolCharacter(10036, "/"), '/');
    EXPECT_EQ(SymbolCharacter(10037, "-"), '-');
    EXPECT_EQ(SymbolCharacter(19999, "(x"), '(');
    // The accent buttons' captions are display text only.
    EXPECT_EQ(SymbolCharacter(20000, "\x81\x66"), '\'');
    EXPECT_EQ(SymbolCharacter(20001, "x"), '~');
    EXPECT_EQ(SymbolCharacter(10000, ""), '\0');
    EXPECT_EQ(SymbolCharacter(9999, "(a"), '\0');
    EXPECT_EQ(SymbolCharacter(20002, "(a"), '\0');
    EXPECT_TRUE(IsSymbolCommand(10000));
    EXPECT_TRUE(IsSymbolCommand(20001));
    EXPECT_FALSE(IsSymbolCommand(1030));
    EXPECT_FALSE(IsSymbolCommand(20002));
}

TEST(CodeTextAppend, NothingToAppendIsRefused)
{
    char text[kCodeTextRoom] = "ab";
    EXPECT_FALSE(AppendSymbol(text, sizeof text, 10005, "("));
    EXPECT_FALSE(AppendSymbol(text, sizeof text, 10036, ""));
    EXPECT_STREQ(text, "ab");
}

TEST(CodeTextAppend, LengthLimit)
{
    const Click b = {10002, "(b"}, stress = {20000, ""};
    const std::string almost(kCodeTextLimit - 1, 'a');
    struct Case {
        const char* what;
        std::string start;
        Click click;
        std::string text;
        std::string outcome;
    } cases[] = {
        {"one below the limit takes a symbol", almost, b, almost + "b", "+"},
        {"one below the limit takes an accent", almost, stress, almost + "'", "+"},
        {"a full text takes no symbol", almost + "b", b, almost + "b", "R"},
        {"a full text takes no accent", almost + "b", stress, almost + "b", "R"},
        // The field may hold more than is read; the read is full, so nothing is added.
        {"a longer field is read full and refused", almost + "bzzz", b, almost + "b", "R"},
        // A double-byte character that would cross the limit is not read, which leaves
        // room for one more byte.
        {"a cut double-byte character leaves room", almost + "\x83\x41", b, almost + "b", "+"},
    };
    for (const Case& c : cases) {
        std::string outcome;
        EXPECT_EQ(ClickAll(c.start, {c.click}, &outcome), c.text) << c.what;
        EXPECT_EQ(outcome, c.outcome) << c.what;
    }

    char text[kCodeTextRoom];
    std::memset(text, 'a', kCodeTextLimit + 1);
    text[kCodeTextLimit + 1] = '\0';
    EXPECT_FALSE(AppendSymbol(text, sizeof text, b.id, b.caption)) << "63 characters";

    char small[4] = "abc";
    EXPECT_FALSE(AppendSymbol(small, sizeof small, b.id, b.caption)) << "no room left";
    char unterminated[3] = {'a', 'b', 'c'};
    EXPECT_FALSE(AppendSymbol(unterminated, sizeof unterminated, b.id, b.caption));
    EXPECT_EQ(std::string(unterminated, 3), "abc");
}

// ---- Editor: reading and storing the code field ----

TEST(CodeTextRead, CutsToTheLimitAtACharacterBoundary)
{
    struct Case {
        const char* what;
        std::string field;
        std::size_t expected;
    } cases[] = {
        {"short text", "pQ'n", 4},
        {"exactly the limit", std::string(62, 'x'), 62},
        {"longer text", std::string(70, 'x'), 62},
        {"double-byte character across the limit", std::string(61, 'x') + "\x83\x41yy", 61},
        {"double-byte character ending at the limit", std::string(60, 'x') + "\x83\x41yy",
         62},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CodeTextLength(c.field.c_str()), c.expected) << c.what;
        char out[kCodeTextRoom];
        ReadCodeText(c.field.c_str(), out, sizeof out);
        EXPECT_EQ(std::string(out), c.field.substr(0, c.expected)) << c.what;
    }
    char tiny[3];
    ReadCodeText("\x83\x41\x83\x41", tiny, sizeof tiny);
    EXPECT_STREQ(tiny, "\x83\x41");
    ReadCodeText("a\x83\x41", tiny, sizeof tiny);
    EXPECT_STREQ(tiny, "a");
}

TEST(CodeTextRead, StoreCutsTheFieldToTheLimit)
{
    WordRecord record;
    ClearRecord(&record);
    std::memset(record.Pronunce, 'q', sizeof record.Pronunce);
    std::string field = std::string(61, 'e') + "ab";
    StoreCodeText(&record, field.c_str());
    EXPECT_EQ(std::string(record.Pronunce), field.substr(0, 62));
    StoreCodeText(&record, "");
    EXPECT_STREQ(record.Pronunce, "");
}

// ---- Glyph icon sources ----

struct IconSource {
    std::string kind;
    int width = 0;
    int height = 0;
    std::vector<std::string> rows;
};

// Reads resources/icons/*.txt (the format documented in tools/make_icons.py), keyed by
// resource name.
std::map<std::string, IconSource> ReadIconSources()
{
    namespace fs = std::filesystem;
    std::map<std::string, IconSource> sources;
    const fs::path folder = fs::path(VOKARU_SOURCE_DIR) / "resources" / "icons";
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".txt")
            continue;
        std::ifstream in(entry.path());
        std::string name = entry.path().stem().string();
        IconSource source;
        std::string line;
        while (std::getline(in, line)) {
            while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
                line.pop_back();
            if (line.empty() || line[0] == ';')
                continue;
            std::size_t colon = line.find(": ");
            if (source.rows.empty() && colon != std::string::npos) {
                std::string key = line.substr(0, colon), value = line.substr(colon + 2);
                if (key == "name")
                    name = value;
                else if (key == "kind")
                    source.kind = value;
                else if (key == "size")
                    std::sscanf(value.c_str(), "%dx%d", &source.width, &source.height);
                continue;
            }
            source.rows.push_back(line);
        }
        sources[name] = source;
    }
    return sources;
}

// Bounding box of the ink of a glyph source; false when it has none.
bool InkBox(const IconSource& source, int* left, int* top, int* right, int* bottom)
{
    *left = *top = 1000;
    *right = *bottom = -1;
    for (int y = 0; y < static_cast<int>(source.rows.size()); ++y) {
        for (int x = 0; x < static_cast<int>(source.rows[y].size()); ++x) {
            if (source.rows[y][x] != '#')
                continue;
            *left = std::min(*left, x);
            *right = std::max(*right, x);
            *top = std::min(*top, y);
            *bottom = std::max(*bottom, y);
        }
    }
    return *right >= 0;
}

TEST(GlyphSources, EveryCodeGlyphInkStaysInItsCell)
{
    std::map<std::string, IconSource> sources = ReadIconSources();
    for (int i = 0; i < kPhoneticCodeCount; ++i) {
        const PhoneticCode& code = kPhoneticCodes[i];
        auto found = sources.find(code.iconName);
        ASSERT_NE(found, sources.end()) << code.iconName;
        const IconSource& source = found->second;
        EXPECT_EQ(source.kind, "glyph") << code.iconName;
        EXPECT_EQ(source.width, 32) << code.iconName;
        EXPECT_EQ(source.height, 32) << code.iconName;
        int left, top, right, bottom;
        ASSERT_TRUE(InkBox(source, &left, &top, &right, &bottom)) << code.iconName;
        EXPECT_LE(left, 1) << code.iconName << ": glyph not in the top-left corner";
        EXPECT_LE(right, code.advance - 2) << code.iconName << ": ink past the advance width";
        EXPECT_LE(bottom, 13) << code.iconName << ": ink below row 13";
        if (std::strchr("abdefhiklmnorstuvwxzA3EOQRSZ", code.code) != nullptr) {
            EXPECT_EQ(bottom, 12) << code.iconName << ": letter not on the baseline";
        }
        if (std::strchr("gjpCI", code.code) != nullptr) {
            EXPECT_EQ(bottom, 13) << code.iconName << ": descender not down to row 13";
        }
        if (std::strchr("bdhklfij", code.code) != nullptr) {
            EXPECT_LE(top, 1) << code.iconName << ": ascender or dot below row 1";
        }
    }
}

TEST(GlyphSources, AccentsSitInTheirRows)
{
    std::map<std::string, IconSource> sources = ReadIconSources();
    struct Case {
        int accent;
        int top, bottom;
    } cases[] = {{0, 2, 5}, {1, 4, 5}};
    for (const Case& c : cases) {
        const AccentMark& mark = kAccentMarks[c.accent];
        auto found = sources.find(mark.iconName);
        ASSERT_NE(found, sources.end()) << mark.iconName;
        EXPECT_EQ(found->second.kind, "glyph");
        int left, top, right, bottom;
        ASSERT_TRUE(InkBox(found->second, &left, &top, &right, &bottom)) << mark.iconName;
        EXPECT_EQ(left, 0) << mark.iconName;
        EXPECT_LE(right, mark.width - 1) << mark.iconName;
        EXPECT_EQ(top, c.top) << mark.iconName;
        EXPECT_EQ(bottom, c.bottom) << mark.iconName;
    }
}

TEST(GlyphSources, NoTwoGlyphsLookAlike)
{
    std::map<std::string, IconSource> sources = ReadIconSources();
    std::map<std::vector<std::string>, std::string> seen;
    for (int icon = 0; icon < kGlyphIconCount; ++icon) {
        std::vector<std::string> ink;
        for (std::string row : sources[GlyphIconName(icon)].rows) {
            while (!row.empty() && row.back() == '.')
                row.pop_back();
            ink.push_back(row);
        }
        while (!ink.empty() && ink.back().empty())
            ink.pop_back();
        auto inserted = seen.emplace(ink, GlyphIconName(icon));
        EXPECT_TRUE(inserted.second)
            << GlyphIconName(icon) << " looks like " << inserted.first->second;
    }
}

TEST(IconSources, ColourIconsHaveTheirSizesAndDiffer)
{
    std::map<std::string, IconSource> sources = ReadIconSources();
    struct Case {
        const char* name;
        int size;
    } cases[] = {{"VOKARU", 16},   {"PAUSE", 16},    {"VOKARU_CHECK", 16}, {"PAUSE_CHECK", 16},
                 {"CORRECT1", 32}, {"CORRECT2", 32}, {"00ICON", 32}};
    std::set<std::vector<std::string>> pictures;
    for (const Case& c : cases) {
        auto found = sources.find(c.name);
        ASSERT_NE(found, sources.end()) << c.name;
        EXPECT_EQ(found->second.kind, "colour") << c.name;
        EXPECT_EQ(found->second.width, c.size) << c.name;
        EXPECT_EQ(found->second.height, c.size) << c.name;
        EXPECT_TRUE(pictures.insert(found->second.rows).second) << c.name << " repeats a picture";
    }
}

} // namespace
