// The word file reader and writer: quoting, columns, limits, messages and line numbers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/unit/test_helpers.h"
#include "wordbook/word_book.h"
#include "wordbook/word_file.h"

namespace {

class WordFileTest : public ::testing::Test {
protected:
    void SetUp() override { ResetWorld(); }
    void TearDown() override { ResetWorld(); }

    // Loads `bytes` from a fresh file; returns LoadCSVFile's result.
    int Load(const std::string& bytes)
    {
        path_ = dir_.Path("tango.csv");
        if (PlatPathExists(path_.c_str()))
            PlatSetNormal(path_.c_str());
        WriteBytes(path_, bytes);
        return LoadCSVFile(path_.c_str());
    }

    std::vector<WordRecord*> Records()
    {
        std::vector<WordRecord*> all;
        for (WordRecord* r = g_wordBook.first; r; r = r->next)
            all.push_back(r);
        return all;
    }

    std::string SaveToBytes()
    {
        std::string out = dir_.Path("out.csv");
        EXPECT_EQ(SaveAllRecord(out.c_str()), 0) << GetLastErrorText();
        return ReadBytes(out);
    }

    ScratchDir dir_;
    std::string path_;
};

struct FieldCase {
    const char* line;
    std::vector<std::string> texts;  // Word, Explain1, Explain2, Explain3, Pronunce
    unsigned right, wrong, check, checkOnly;
};

TEST_F(WordFileTest, SplitsAndUnquotesFields)
{
    const std::vector<FieldCase> cases = {
        {"apple,\x83\x8a\x83\x93\x83\x53,,fruit,1,2,3,0,a'p(l)\r\n",
         {"apple", "\x83\x8a\x83\x93\x83\x53", "", "fruit", "a'p(l)"}, 1, 2, 3, 0},
        // A comma inside quotes is data; without them it separates.
        {"\"a,b\",x\n", {"a,b", "x", "", "", ""}, 0, 0, 0, 0},
        {"a,b,x\n", {"a", "b", "x", "", ""}, 0, 0, 0, 0},
        // Doubled quotes inside a quoted field become one; a lone quote field.
        {"\"say \"\"hi\"\", ok\",\"\"\"\"\n", {"say \"hi\", ok", "\"", "", "", ""}, 0, 0, 0, 0},
        // Two quotes are the empty text; an unclosed quote keeps the rest of the line.
        {"\"\",\"abc,def\n", {"", "\"abc,def", "", "", ""}, 0, 0, 0, 0},
        // After the closing quote the field goes on unquoted; stray quotes are dropped.
        {"\"ab\"c\"d,e\n", {"abcd", "e", "", "", ""}, 0, 0, 0, 0},
        // A quote that is not the first byte has no meaning while splitting.
        {"a\"b,c\"\n", {"a\"b", "c\"", "", "", ""}, 0, 0, 0, 0},
        // A lead byte takes a following comma or quote with it.
        {"\xfd,x,y\n", {"\xfd,x", "y", "", "", ""}, 0, 0, 0, 0},
        {"\"\x81\"\",z\"\n", {"\x81\"", "z\"", "", "", ""}, 0, 0, 0, 0},
        // Numbers: wrap to 16 bits, negative, letters, blanks, sign.
        {"w,,,,70000,-1,abc, 7,\n", {"w", "", "", "", ""}, 4464, 65535, 0, 7},
        // More than nine columns: the rest is ignored.
        {"w,1,2,3,4,5,6,7,p,extra,more\n", {"w", "1", "2", "3", "p"}, 4, 5, 6, 7},
        // A CR inside a line ends it there.
        {"w,m\rjunk,more\n", {"w", "m", "", "", ""}, 0, 0, 0, 0},
        // A lead byte left alone at the line end is dropped.
        {"w,x\x82\r\n", {"w", "x", "", "", ""}, 0, 0, 0, 0},
    };
    for (const FieldCase& c : cases) {
        ResetWorld();
        ASSERT_EQ(Load(c.line), 1) << c.line << " " << GetLastErrorText();
        WordRecord* r = g_wordBook.first;
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->Word, c.texts[0]) << c.line;
        EXPECT_EQ(r->Explain1, c.texts[1]) << c.line;
        EXPECT_EQ(r->Explain2, c.texts[2]) << c.line;
        EXPECT_EQ(r->Explain3, c.texts[3]) << c.line;
        EXPECT_EQ(r->Pronunce, c.texts[4]) << c.line;
        EXPECT_EQ(r->RightCount, c.right) << c.line;
        EXPECT_EQ(r->WrongCount, c.wrong) << c.line;
        EXPECT_EQ(r->CheckCount, c.check) << c.line;
        EXPECT_EQ(r->CheckOnly, c.checkOnly) << c.line;
    }
}

TEST_F(WordFileTest, QuotesOnlyWhatNeedsIt)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"plain", "plain"},
        {"", ""},
        {" spaced ", " spaced "},
        {"a,b", "\"a,b\""},
        {"\"", "\"\"\"\""},
        {"say \"hi\", ok", "\"say \"\"hi\"\", ok\""},
        // A lead byte's second byte is not looked at: no quoting for it.
        {"\x81\"", "\x81\""},
        {"\xfd,", "\xfd,"},
        // A lone lead byte at the end would swallow the separator: dropped.
        {"ab\x82", "ab"},
    };
    for (const auto& [text, quoted] : cases)
        EXPECT_EQ(QuoteField(text.c_str()), quoted) << text;

    // The longest field made of quotes fits the buffer.
    std::string quotes(127, '"');
    EXPECT_EQ(std::string(QuoteField(quotes.c_str())), "\"" + std::string(254, '"') + "\"");
}

TEST_F(WordFileTest, WritesTheFixedFormatAndReadsItBack)
{
    AddWord("be afraid of", "\x8b\xb0\x82\xea\x82\xe9", "a,b \"c\"", " remark ", 65535, 2, 3, 1,
            "bi'");
    AddWord("");
    std::string bytes = SaveToBytes();
    EXPECT_EQ(bytes,
              "be afraid of,\x8b\xb0\x82\xea\x82\xe9,\"a,b \"\"c\"\"\", remark ,65535,2,3,1,bi'\r\n"
              ",,,,0,0,0,0,\r\n");

    ResetWorld();
    ASSERT_EQ(Load(bytes), 2);
    std::vector<WordRecord*> r = Records();
    EXPECT_STREQ(r[0]->Explain2, "a,b \"c\"");
    EXPECT_STREQ(r[0]->Explain3, " remark ");
    EXPECT_EQ(r[0]->RightCount, 65535);
    EXPECT_STREQ(r[1]->Word, "");
    EXPECT_EQ(SaveToBytes(), bytes);
}

TEST_F(WordFileTest, ReadsLongLinesWhole)
{
    // Every text at its limit and full of quotes: the writer makes lines far longer than
    // 400 bytes, and they must come back as one record each.
    std::string word(63, '"');
    std::string meaning(127, ',');
    std::string remark(63, '"');
    std::string pron(63, 'a');
    AddWord(word.c_str(), meaning.c_str(), meaning.c_str(), remark.c_str(), 1, 2, 3, 0,
            pron.c_str());
    AddWord("second");
    std::string bytes = SaveToBytes();
    ASSERT_GT(bytes.find("\r\n"), 400u);

    ResetWorld();
    ASSERT_EQ(Load(bytes), 2) << GetLastErrorText();
    std::vector<WordRecord*> r = Records();
    EXPECT_EQ(std::string(r[0]->Word), word);
    EXPECT_EQ(std::string(r[0]->Explain2), meaning);
    EXPECT_EQ(std::string(r[0]->Explain3), remark);
    EXPECT_STREQ(r[1]->Word, "second");
}

TEST_F(WordFileTest, ReportsBadDataWithTheTrueLineNumber)
{
    const std::string longLine = "ok," + std::string(500, 'x') + "\n";  // line 2: too long
    struct Case {
        std::string file;
        const char* message;
        int appended;
    };
    const std::vector<Case> cases = {
        {"a\n" + std::string(64, 'w') + "\n", "LoadCSVFile:Word too long at line 2.", 1},
        {std::string(63, 'w') + "\n" + std::string(128, 'w') + "\n",
         "LoadCSVFile:Illegual data at line 2.", 1},
        {"a," + std::string(128, 'm') + "\n", "LoadCSVFile:Illegual data at line 1.", 0},
        {"a,,,," + std::string(128, '1') + "\n", "LoadCSVFile:Illegual data at line 1.", 0},
        {"a,,," + std::string(64, 'r') + "\n", "LoadCSVFile:Explain3 too long at line 1.", 0},
        {"a,,,,,,,," + std::string(64, 'p') + "\n",
         "LoadCSVFile:Pronunce too long data at line 1.", 0},
        {"a,,,,,,,,,," + std::string(130, 'z') + "\n", "LoadCSVFile:Illegual data at line 1.",
         0},
        // A quoted field is measured after unquoting.
        {"\"" + std::string(126, 'q') + "\"\"\",x\n" + std::string(600, 'y') + "\n",
         "LoadCSVFile:Word too long at line 1.", 0},
        {"a\nb\n" + longLine, "LoadCSVFile:Illegual data at line 3.", 2},
    };
    for (const Case& c : cases) {
        ResetWorld();
        EXPECT_EQ(Load(c.file), -3) << c.message;
        EXPECT_STREQ(GetLastErrorText(), c.message);
        EXPECT_EQ(CountRecords(), c.appended) << c.message;
        // A failed load leaves the file's attributes alone.
        EXPECT_FALSE(PlatIsReadOnly(path_.c_str()));
    }
}

TEST_F(WordFileTest, RefusesAWordFileSavedAsUtf8)
{
    // "りんご" in UTF-8, with and without a byte-order mark, after ASCII-only lines.
    const std::string utf8Apple = "\xe3\x82\x8a\xe3\x82\x93\xe3\x81\x94";
    struct Case {
        std::string file;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"\xef\xbb\xbf" "apple,fruit\r\n", "LoadCSVFile:Not a Shift-JIS file (UTF-8) at line 1."},
        {"one,1\r\ntwo,2\r\napple," + utf8Apple + "\r\n",
         "LoadCSVFile:Not a Shift-JIS file (UTF-8) at line 3."},
    };
    for (const Case& c : cases) {
        ResetWorld();
        EXPECT_EQ(Load(c.file), -3);
        EXPECT_STREQ(GetLastErrorText(), c.message);
        EXPECT_EQ(ReadBytes(path_), c.file);  // untouched, and not marked read-only
        EXPECT_FALSE(PlatIsReadOnly(path_.c_str()));
    }
    // Real CP932 text, also text whose bytes happen to include UTF-8-like runs, loads.
    for (const std::string& cp932 :
         {std::string("apple,\x83\x8a\x83\x93\x83\x53\r\n"),
          std::string("x,\xe3\x81\x82\xa0\r\n"), std::string("k,\x8a\xbf\x8e\x9a\r\n"),
          // Half-width katakana pairs are valid two-byte UTF-8 too.
          std::string("y,\xd4\xbd\r\n")}) {
        ResetWorld();
        EXPECT_EQ(Load(cp932), 1) << GetLastErrorText();
    }
}

TEST_F(WordFileTest, AcceptsFieldsAtTheirLimits)
{
    std::string line = std::string(63, 'w') + "," + std::string(127, 'm') + "," +
                       std::string(127, 'n') + "," + std::string(63, 'r') + ",0,0,0,0," +
                       std::string(63, 'p') + "\n";
    ASSERT_EQ(Load(line), 1) << GetLastErrorText();
    EXPECT_EQ(std::string(g_wordBook.first->Explain2), std::string(127, 'n'));
}

TEST_F(WordFileTest, MissingEmptyAndUnreadableFiles)
{
    // A missing file is an empty book and leaves the last message alone.
    std::string before = GetLastErrorText();
    EXPECT_EQ(LoadCSVFile(dir_.Path("none.csv").c_str()), 0);
    EXPECT_EQ(GetLastErrorText(), before);
    // A folder cannot be read as a word file.
    std::string folder = dir_.Path("folder.csv");
    std::filesystem::create_directory(folder);
    EXPECT_EQ(LoadCSVFile(folder.c_str()), -2);
    EXPECT_STREQ(GetLastErrorText(), "LoadCSVFile:Can't open file.");
    // An empty file: no records, and it is marked read-only like any loaded file.
    EXPECT_EQ(Load(""), 0);
    EXPECT_TRUE(PlatIsReadOnly(path_.c_str()));
    // A blank line is a record; a last line without its line end counts too.
    ResetWorld();
    EXPECT_EQ(Load("\r\n\nlast"), 3);
    EXPECT_STREQ(Records()[2]->Word, "last");
}

TEST_F(WordFileTest, RunningOutOfMemoryStopsTheLoad)
{
    SetRecordAllocationLimit(2);
    EXPECT_EQ(Load("a\nb\nc\nd\n"), -1);
    EXPECT_STREQ(GetLastErrorText(), "LoadCSVFile:Can't alloc memory.");
    EXPECT_EQ(CountRecords(), 2);
}

TEST_F(WordFileTest, SavingAnEmptyBook)
{
    std::string missing = dir_.Path("missing.csv");
    EXPECT_EQ(SaveAllRecord(missing.c_str()), 0);
    EXPECT_FALSE(PlatPathExists(missing.c_str()));

    std::string existing = dir_.Path("existing.csv");
    WriteBytes(existing, "old,words\r\n");
    PlatSetReadOnly(existing.c_str());
    EXPECT_EQ(SaveAllRecord(existing.c_str()), 0);
    EXPECT_EQ(ReadBytes(existing), "");
    EXPECT_FALSE(PlatIsReadOnly(existing.c_str()));
}

TEST_F(WordFileTest, AFailedSaveLeavesTheOldFileWhole)
{
    std::string file = dir_.Path("tango.csv");
    const std::string old = "old,one\r\nold,two\r\n";
    AddWord("new", "meaning");

    // The write stops part way: the old bytes stay, the message names the operation.
    WriteBytes(file, old);
    StandinFail().writeBytesLeft = 5;
    EXPECT_EQ(SaveAllRecord(file.c_str()), -2);
    EXPECT_STREQ(GetLastErrorText(), "SaveAllRecord:Can't write file.");
    EXPECT_EQ(ReadBytes(file), old);
    EXPECT_FALSE(PlatPathExists((file + ".tmp").c_str()));

    // The new file cannot be put in place.
    StandinFail() = StandinFailures{};
    StandinFail().replace = true;
    EXPECT_EQ(SaveAllRecord(file.c_str()), -2);
    EXPECT_EQ(ReadBytes(file), old);

    // A folder in the way of the file: cannot open.
    std::string folder = dir_.Path("folder.csv");
    std::filesystem::create_directory(folder);
    EXPECT_EQ(SaveAllRecord(folder.c_str()), -2);
    EXPECT_STREQ(GetLastErrorText(), "SaveAllRecord:Can't open file.");

    // The book is untouched, so a later save succeeds.
    StandinFail() = StandinFailures{};
    EXPECT_EQ(SaveAllRecord(file.c_str()), 0);
    EXPECT_EQ(ReadBytes(file), "new,meaning,,,0,0,0,0,\r\n");
}

TEST_F(WordFileTest, InterruptedAtEveryByteTheOldFileSurvives)
{
    for (int i = 0; i < 30; ++i)
        AddWord(("word" + std::to_string(i)).c_str(), "\x88\xd3\x96\xa1", "x,y");
    std::string file = dir_.Path("tango.csv");
    const std::string full = SaveToBytes();
    const std::string old = "keep,me\r\n";
    for (long n = 0; n < static_cast<long>(full.size()); n += 7) {
        WriteBytes(file, old);
        StandinFail().writeBytesLeft = n;
        ASSERT_EQ(SaveAllRecord(file.c_str()), -2) << n;
        ASSERT_EQ(ReadBytes(file), old) << n;
    }
    StandinFail().writeBytesLeft = -1;
    EXPECT_EQ(SaveAllRecord(file.c_str()), 0);
    EXPECT_EQ(ReadBytes(file), full);
}

} // namespace
