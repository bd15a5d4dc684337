// Fuzzes the matching walk, judging and masking with arbitrary CP932 bytes.
// Input: the word, a 0x00 byte, then the answer or meaning text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "drill/judge.h"
#include "wordbook/text.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const char* bytes = reinterpret_cast<const char*>(data);
    const void* split = std::memchr(bytes, 0, size);
    std::size_t wordLength = split ? static_cast<const char*>(split) - bytes : size;
    const char* textStart = split ? bytes + wordLength + 1 : bytes + size;
    std::size_t textLength = static_cast<std::size_t>(bytes + size - textStart);
    const void* textEnd = std::memchr(textStart, 0, textLength);
    if (textEnd)
        textLength = static_cast<const char*>(textEnd) - textStart;
    if (wordLength > kWordSize - 1)
        wordLength = kWordSize - 1;
    if (textLength > kExplainSize - 1)
        textLength = kExplainSize - 1;

    // Exact-size heap copies without terminators: any read past them is caught.
    std::unique_ptr<char[]> word(new char[wordLength ? wordLength : 1]);
    std::unique_ptr<char[]> text(new char[textLength ? textLength : 1]);
    std::memcpy(word.get(), bytes, wordLength);
    std::memcpy(text.get(), textStart, textLength);
    int counted = CountMatchBytes(word.get(), wordLength, text.get(), textLength);
    Check(counted >= 0 && static_cast<std::size_t>(counted) <= textLength);

    // The same through the terminated interfaces, the text in a buffer of its field's
    // size.
    std::unique_ptr<WordRecord> record(new WordRecord);
    ClearRecord(record.get());
    std::memcpy(record->Word, bytes, wordLength);
    std::unique_ptr<char[]> answer(new char[textLength + 1]);
    std::memcpy(answer.get(), textStart, textLength);
    answer[textLength] = '\0';
    Check(CountMatch(record->Word, answer.get()) == counted);

    Verdict verdict = JudgeAnswer(record.get(), answer.get());
    long long shortfall = static_cast<long long>(textLength) - counted;
    bool exact = wordLength == textLength &&
                 std::memcmp(record->Word, answer.get(), textLength) == 0;
    if (exact || shortfall == 0)
        Check(verdict == Verdict::Right);
    else if (shortfall == 1)
        Check(verdict == Verdict::OneLetterOff);
    else
        Check(verdict == Verdict::Wrong);

    const char* masked = MaskWord(record.get(), answer.get());
    std::size_t maskedLength = std::strlen(masked);
    Check(maskedLength == FitLength(answer.get(), textLength, kMaskSize - 1));
    for (std::size_t i = 0; i < maskedLength; ++i)
        Check(masked[i] == answer[i] || masked[i] == '*' || masked[i] == '+');

    // A Word field that lost its terminator is still read within its 64 bytes.
    std::memset(record->Word, 'e', sizeof record->Word);
    std::memcpy(record->Word, bytes, wordLength);
    JudgeAnswer(record.get(), answer.get());
    MaskWord(record.get(), answer.get());
    return 0;
}
