// The starter word book shipped beside the program: it loads as it is, writes back
// unchanged, and every word in it can be asked, shown, judged and edited.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "drill/judge.h"
#include "phonetic/phonetic_code.h"
#include "tests/unit/test_helpers.h"
#include "wordbook/text.h"
#include "wordbook/word_book.h"
#include "wordbook/word_file.h"

namespace {

// The CP932 book that tools/make_starter.py builds from resources/starter/tango.utf8.csv.
// The build passes its path; VOKARU_STARTER_BOOK in the environment points elsewhere.
std::string StarterBookPath()
{
    if (const char* path = std::getenv("VOKARU_STARTER_BOOK"))
        return path;
#ifdef VOKARU_STARTER_BOOK
    return VOKARU_STARTER_BOOK;
#else
    return "";
#endif
}

constexpr int kMinimumWords = 600;
// The longest text each field takes from a dialog: one byte less than the field holds.
constexpr std::size_t kWordRoom = kWordSize - 2;
constexpr std::size_t kExplainRoom = kExplainSize - 2;
constexpr std::size_t kRemarkRoom = kRemarkSize - 2;
constexpr std::size_t kPronunceRoom = kPronunceSize - 2;

// The remarks the book uses, in CP932.
const char kPhrase[] = "\x8f\x6e\x8c\xea";  // 熟語
const char* const kPartsOfSpeech[] = {
    "\x96\xbc\x8e\x8c",          // 名詞
    "\x93\xae\x8e\x8c",          // 動詞
    "\x8c\x60\x97\x65\x8e\x8c",  // 形容詞
    "\x95\x9b\x8e\x8c",          // 副詞
    "\x91\x4f\x92\x75\x8e\x8c",  // 前置詞
    "\x90\xda\x91\xb1\x8e\x8c",  // 接続詞
    "\x91\xe3\x96\xbc\x8e\x8c",  // 代名詞
    "\x8f\x95\x93\xae\x8e\x8c",  // 助動詞
    "\x8a\xd4\x93\x8a\x8e\x8c",  // 間投詞
    "\x90\x94\x8e\x8c",          // 数詞
    kPhrase,
};

// The stress mark stands right after the vowel it is drawn over.
const char kVowelCodes[] = "aAeE3ioOQRu";

std::vector<std::string> SplitSpaces(const std::string& text)
{
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == ' ')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

// Single spaces between non-empty parts.
bool HasTidySpaces(const std::string& text)
{
    for (const std::string& part : SplitSpaces(text))
        if (part.empty())
            return false;
    return true;
}

// Every lead byte has its second byte.
bool HasWholeCharacters(const char* text)
{
    for (std::size_t i = 0; text[i] != '\0'; ++i)
        if (IsLeadByte(static_cast<unsigned char>(text[i])) && text[++i] == '\0')
            return false;
    return true;
}

struct Placeholder {
    const char* token;  // as written between spaces in a phrase
    bool wantsFollower;  // "be" is a placeholder only with a space after it
    std::vector<const char*> forms;  // what a learner writes in its place
};

const Placeholder kPlaceholders[] = {
    {"be", true, {"is", "am", "are", "was", "were"}},
    {"one's", false, {"my", "our", "your", "his", "her", "their"}},
    {"oneself", false, {"myself", "yourself", "himself", "herself"}},
};

// The phrase with the placeholder's token replaced by `form` wherever it stands as a
// placeholder; empty when it stands nowhere.
std::string Substitute(const std::string& word, const Placeholder& placeholder,
                       const char* form)
{
    std::vector<std::string> parts = SplitSpaces(word);
    bool found = false;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        bool followed = i + 1 < parts.size();
        if (parts[i] == placeholder.token && (followed || !placeholder.wantsFollower)) {
            parts[i] = form;
            found = true;
        }
    }
    if (!found)
        return "";
    std::string joined = parts[0];
    for (std::size_t i = 1; i < parts.size(); ++i)
        joined += " " + parts[i];
    return joined;
}

class StarterBook : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetWorld();
        std::string source = StarterBookPath();
        if (source.empty())
            GTEST_SKIP() << "VOKARU_STARTER_BOOK names no starter book";
        bytes_ = ReadBytes(source);
        ASSERT_FALSE(bytes_.empty()) << "cannot read " << source;
        // A copy, because loading marks the file read-only.
        path_ = dir_.Path("tango.csv");
        WriteBytes(path_, bytes_);
        loaded_ = LoadCSVFile(path_.c_str());
        ASSERT_GE(loaded_, 0) << GetLastErrorText();
        for (WordRecord* r = g_wordBook.first; r; r = r->next)
            records_.push_back(r);
    }
    void TearDown() override { ResetWorld(); }

    ScratchDir dir_;
    std::string path_;
    std::string bytes_;
    int loaded_ = -1;
    std::vector<WordRecord*> records_;
};

} // namespace

TEST_F(StarterBook, EveryLineLoadsAsOneWord)
{
    // Lines end with CR LF and none is empty: an empty line would load as an empty word.
    int lines = 0;
    std::size_t start = 0;
    while (start < bytes_.size()) {
        std::size_t end = bytes_.find("\r\n", start);
        ASSERT_NE(end, std::string::npos) << "last line has no CR LF";
        std::string line = bytes_.substr(start, end - start);
        ++lines;
        EXPECT_FALSE(line.empty()) << "line " << lines << " is empty";
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos)
            << "line " << lines << " holds a lone CR or LF";
        start = end + 2;
    }
    EXPECT_EQ(loaded_, lines);
    EXPECT_EQ(static_cast<int>(records_.size()), lines);
    EXPECT_GE(lines, kMinimumWords);
}

TEST_F(StarterBook, WritesBackByteForByte)
{
    // The writer's own output: quoting only where a field needs it, zero counters, CR LF.
    std::string out = dir_.Path("out.csv");
    ASSERT_EQ(SaveAllRecord(out.c_str()), 0) << GetLastErrorText();
    EXPECT_TRUE(ReadBytes(out) == bytes_);
}

TEST_F(StarterBook, FieldsFitTheirDialogsAndCountersStartAtZero)
{
    for (const WordRecord* r : records_) {
        SCOPED_TRACE(r->Word);
        struct Field {
            const char* name;
            const char* text;
            std::size_t room;
            bool required;
        };
        const Field fields[] = {
            {"Word", r->Word, kWordRoom, true},
            {"Explain1", r->Explain1, kExplainRoom, true},
            {"Explain2", r->Explain2, kExplainRoom, false},
            {"Explain3", r->Explain3, kRemarkRoom, true},
            {"Pronunce", r->Pronunce, kPronunceRoom, true},
        };
        for (const Field& f : fields) {
            std::size_t length = std::strlen(f.text);
            EXPECT_LE(length, f.room) << f.name;
            if (f.required) {
                EXPECT_GT(length, 0u) << f.name;
            }
            EXPECT_TRUE(HasWholeCharacters(f.text)) << f.name;
        }
        EXPECT_EQ(r->RightCount, 0);
        EXPECT_EQ(r->WrongCount, 0);
        EXPECT_EQ(r->CheckCount, 0);
        EXPECT_EQ(r->CheckOnly, 0);
    }
}

TEST_F(StarterBook, WordsAreTypedEnglishAndAppearOnce)
{
    std::set<std::string> seen;
    for (const WordRecord* r : records_) {
        std::string word = r->Word;
        EXPECT_TRUE(seen.insert(word).second) << "twice: " << word;
        EXPECT_TRUE(HasTidySpaces(word)) << "spacing: [" << word << "]";
        for (char c : word) {
            bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
            EXPECT_TRUE(letter || c == ' ' || c == '\'') << "character in: " << word;
        }
    }
}

TEST_F(StarterBook, RemarkNamesThePartOfSpeechAndPhrasesAreMarked)
{
    for (const WordRecord* r : records_) {
        SCOPED_TRACE(r->Word);
        bool known = false;
        for (const char* part : kPartsOfSpeech)
            known = known || std::strcmp(r->Explain3, part) == 0;
        EXPECT_TRUE(known) << "unknown remark";
        bool phrase = std::strchr(r->Word, ' ') != nullptr;
        EXPECT_EQ(phrase, std::strcmp(r->Explain3, kPhrase) == 0)
            << "a set phrase is written with spaces and marked as one";
    }
}

TEST_F(StarterBook, PronunciationUsesCodesAndStressMarks)
{
    for (const WordRecord* r : records_) {
        std::string pronunce = r->Pronunce;
        SCOPED_TRACE(std::string(r->Word) + " /" + pronunce + "/");
        for (char c : pronunce) {
            unsigned char b = static_cast<unsigned char>(c);
            EXPECT_TRUE(FindPhoneticCode(b) >= 0 || FindAccentMark(b) >= 0 || c == ' ')
                << "not a code: '" << c << "'";
        }
        // A phrase is written word by word with one space between, so its symbols show
        // with a word gap.
        EXPECT_TRUE(HasTidySpaces(pronunce));
        std::vector<std::string> parts = SplitSpaces(pronunce);
        EXPECT_EQ(parts.size(), SplitSpaces(r->Word).size());
        int marks = 0;
        for (const std::string& part : parts) {
            int inPart = 0;
            for (std::size_t i = 0; i < part.size(); ++i) {
                if (FindAccentMark(static_cast<unsigned char>(part[i])) < 0)
                    continue;
                ++inPart;
                EXPECT_TRUE(i > 0 && std::strchr(kVowelCodes, part[i - 1]) != nullptr)
                    << "stress mark not after a vowel in " << part;
            }
            EXPECT_LE(inPart, 1) << "two stresses in " << part;
            marks += inPart;
        }
        EXPECT_GE(marks, 1) << "no stress mark";
    }
}

TEST_F(StarterBook, MeaningsDoNotGiveTheWordAway)
{
    for (const WordRecord* r : records_) {
        SCOPED_TRACE(r->Word);
        EXPECT_STREQ(MaskWord(r, r->Explain1), r->Explain1);
        EXPECT_STREQ(MaskWord(r, r->Explain2), r->Explain2);
    }
}

TEST_F(StarterBook, PlaceholderPhrasesAcceptWhatLearnersWrite)
{
    for (const Placeholder& placeholder : kPlaceholders) {
        SCOPED_TRACE(placeholder.token);
        int phrases = 0;
        for (const WordRecord* r : records_) {
            if (Substitute(r->Word, placeholder, "x").empty())
                continue;
            ++phrases;
            for (const char* form : placeholder.forms) {
                std::string answer = Substitute(r->Word, placeholder, form);
                EXPECT_EQ(JudgeAnswer(r, answer.c_str()), Verdict::Right)
                    << r->Word << " <- " << answer;
            }
            // A wrong word in the placeholder's place is not taken for it.
            std::string wrong = Substitute(r->Word, placeholder, "xyz");
            EXPECT_NE(JudgeAnswer(r, wrong.c_str()), Verdict::Right) << wrong;
        }
        EXPECT_GE(phrases, 1);
    }
}

TEST_F(StarterBook, KnownPhrasesJudgeAsAnswered)
{
    struct Case {
        const char* word;
        const char* answer;
        Verdict verdict;
    };
    const Case cases[] = {
        {"be afraid of", "am afraid of", Verdict::Right},
        {"be interested in", "were interested in", Verdict::Right},
        {"make up one's mind", "make up their mind", Verdict::Right},
        {"do one's best", "do his best", Verdict::Right},
        {"enjoy oneself", "enjoy myself", Verdict::Right},
        {"help oneself to", "help yourself to", Verdict::Right},
        {"be afraid of", "am afraid off", Verdict::OneLetterOff},
        {"enjoy oneself", "enjoy ourselves", Verdict::Wrong},
    };
    for (const Case& c : cases) {
        const WordRecord* r = FindRecord(c.word);
        ASSERT_NE(r, nullptr) << c.word << " is missing";
        EXPECT_EQ(JudgeAnswer(r, c.answer), c.verdict) << c.word << " <- " << c.answer;
    }
}
