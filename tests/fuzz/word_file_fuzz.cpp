// Arbitrary bytes as a word file: the reader must never fail unsafely, and whatever it
// accepts must come back identical after a save and a second load.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "wordbook/word_book.h"
#include "wordbook/word_file.h"

namespace {

std::string ScratchName(const char* what)
{
    return "/tmp/vokaru-fuzz-" + std::to_string(::getpid()) + "-" + what + ".csv";
}

void WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size)
{
    PlatSetNormal(path.c_str());
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr)
        std::abort();
    std::fwrite(data, 1, size, f);
    std::fclose(f);
}

std::string ReadFile(const std::string& path)
{
    std::string all;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr)
        return all;
    char chunk[4096];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        all.append(chunk, n);
    std::fclose(f);
    return all;
}

std::vector<WordRecord> Snapshot()
{
    std::vector<WordRecord> records;
    for (const WordRecord* r = g_wordBook.first; r; r = r->next)
        records.push_back(*r);
    return records;
}

void CheckTerminated(const WordRecord& r)
{
    if (std::strlen(r.Word) >= kWordSize || std::strlen(r.Explain1) >= kExplainSize ||
        std::strlen(r.Explain2) >= kExplainSize || std::strlen(r.Explain3) >= kRemarkSize ||
        std::strlen(r.Pronunce) >= kPronunceSize)
        std::abort();
}

bool SameTexts(const WordRecord& a, const WordRecord& b)
{
    return std::strcmp(a.Word, b.Word) == 0 && std::strcmp(a.Explain1, b.Explain1) == 0 &&
           std::strcmp(a.Explain2, b.Explain2) == 0 && std::strcmp(a.Explain3, b.Explain3) == 0 &&
           std::strcmp(a.Pronunce, b.Pronunce) == 0 && a.RightCount == b.RightCount &&
           a.WrongCount == b.WrongCount && a.CheckCount == b.CheckCount &&
           a.CheckOnly == b.CheckOnly;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string input = ScratchName("in");
    static const std::string saved = ScratchName("saved");
    FreeWordBook(&g_wordBook);
    WriteFile(input, data, size);
    int loaded = LoadCSVFile(input.c_str());
    if (loaded < 0) {
        // A failure names the reader.
        if (std::strncmp(GetLastErrorText(), "LoadCSVFile:", 12) != 0)
            std::abort();
        FreeWordBook(&g_wordBook);
        return 0;
    }
    std::vector<WordRecord> first = Snapshot();
    if (static_cast<int>(first.size()) != loaded)
        std::abort();
    for (const WordRecord& r : first)
        CheckTerminated(r);

    PlatSetNormal(saved.c_str());
    std::remove(saved.c_str());
    if (SaveAllRecord(saved.c_str()) != 0)
        std::abort();
    std::string bytes = ReadFile(saved);
    FreeWordBook(&g_wordBook);
    if (LoadCSVFile(saved.c_str()) != loaded)
        std::abort();
    std::vector<WordRecord> second = Snapshot();
    for (std::size_t i = 0; i < first.size(); ++i) {
        if (!SameTexts(first[i], second[i]))
            std::abort();
    }
    // And the file it writes is stable.
    PlatSetNormal(saved.c_str());
    if (SaveAllRecord(saved.c_str()) != 0 || ReadFile(saved) != bytes)
        std::abort();
    FreeWordBook(&g_wordBook);
    return 0;
}
