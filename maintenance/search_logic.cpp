// The search dialog's rules over the word book: the pattern search, the status line of a
// word and storing an edited word.
#include "maintenance/search_logic.h"

#include <cstdio>
#include <cstring>

#include "drill/run_record.h"
#include "maintenance/wildcard.h"
#include "wordbook/remarks_history.h"

namespace {

// Room for the status line: the format's own text plus five numbers.
constexpr std::size_t kStatusLineSize = 256;

bool IsGiven(const char* pattern)
{
    return pattern != nullptr && pattern[0] != '\0';
}

// Copies `text` into a field of `size` bytes when it is shorter than size - 1 bytes;
// false, with the field untouched, when it is not.
bool StoreIfFits(char* field, std::size_t size, const char* text)
{
    if (text == nullptr)
        text = "";
    std::size_t length = std::strlen(text);
    if (length >= size - 1)
        return false;
    std::memcpy(field, text, length + 1);
    return true;
}

} // namespace

bool MatchesSearch(const WordRecord* record, const char* wordPattern, const char* meaningPattern)
{
    if (record == nullptr)
        return false;
    if (IsGiven(wordPattern) && WildcardMatch(wordPattern, record->Word) == 0)
        return true;
    if (!IsGiven(meaningPattern))
        return false;
    return WildcardMatch(meaningPattern, record->Explain1) == 0 ||
           WildcardMatch(meaningPattern, record->Explain2) == 0 ||
           WildcardMatch(meaningPattern, record->Explain3) == 0;
}

WordRecord* NextSearchMatch(const WordRecord* after, const char* wordPattern,
                            const char* meaningPattern)
{
    if (!IsGiven(wordPattern) && !IsGiven(meaningPattern))
        return nullptr;
    WordRecord* r = after == nullptr ? g_wordBook.first : after->next;
    for (; r != nullptr; r = r->next) {
        if (MatchesSearch(r, wordPattern, meaningPattern))
            return r;
    }
    return nullptr;
}

double RightRate(const WordRecord* record)
{
    int answers = record->RightCount + record->WrongCount;
    if (answers == 0)
        return 0.0;
    return static_cast<double>(record->RightCount) / answers * 100.0;
}

const char* FormatStatusLine(const char* format, const WordRecord* record)
{
    static char line[kStatusLineSize];
    line[0] = '\0';
    if (format == nullptr || record == nullptr)
        return line;
    std::snprintf(line, sizeof line, format, static_cast<int>(record->RightCount),
                  static_cast<int>(record->WrongCount), RightRate(record),
                  static_cast<int>(record->CheckCount), WrongWordCount(record->Word));
    return line;
}

bool ModifyRecord(WordRecord* record, const ModifyForm& form)
{
    if (!StoreIfFits(record->Word, sizeof record->Word, form.word) ||
        !StoreIfFits(record->Explain1, sizeof record->Explain1, form.explain1) ||
        !StoreIfFits(record->Explain2, sizeof record->Explain2, form.explain2) ||
        !StoreIfFits(record->Explain3, sizeof record->Explain3, form.remark))
        return false;
    PushComboString(record->Explain3);
    CopyField(record->Pronunce, sizeof record->Pronunce, form.pronunce != nullptr ? form.pronunce : "");
    record->CheckOnly = form.checkOnly ? 1 : 0;
    return true;
}
