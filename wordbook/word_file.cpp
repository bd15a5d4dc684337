// Reading and writing the word file.
#include "wordbook/word_file.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/platform.h"
#include "wordbook/text.h"
#include "wordbook/word_book.h"

namespace {

char g_lastError[kLastErrorSize] = "";

void SetLastError(const char* format, int line = 0)
{
    std::snprintf(g_lastError, sizeof g_lastError, format, line);
}

constexpr std::size_t kFieldLimit = 128;  // a field of this many bytes or more is bad data

// Reads whole lines, whatever their length, from a file opened in binary mode.
class LineReader {
public:
    explicit LineReader(std::FILE* file) : file_(file) {}

    // The next line without its LF, or false at the end of the file. The line stays
    // valid until the next call.
    bool Next(const char** line, std::size_t* length)
    {
        long_.clear();
        bool any = false;
        for (;;) {
            if (pos_ == end_ && !Fill()) {
                *line = long_.data();
                *length = long_.size();
                return any;
            }
            any = true;
            const char* start = buffer_ + pos_;
            const void* lf = std::memchr(start, '\n', end_ - pos_);
            if (lf != nullptr) {
                std::size_t n = static_cast<const char*>(lf) - start;
                pos_ += n + 1;
                if (long_.empty()) {
                    // The usual case: the whole line is in the buffer.
                    *line = start;
                    *length = n;
                } else {
                    long_.append(start, n);
                    *line = long_.data();
                    *length = long_.size();
                }
                return true;
            }
            long_.append(start, end_ - pos_);
            pos_ = end_;
        }
    }

private:
    bool Fill()
    {
        end_ = std::fread(buffer_, 1, sizeof buffer_, file_);
        pos_ = 0;
        return end_ > 0;
    }

    std::FILE* file_;
    char buffer_[64 * 1024];
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    std::string long_;  // a line that runs over the end of the buffer
};

bool IsLineEnd(char c)
{
    return c == '\0' || c == '\n' || c == '\r';
}

// Unquotes a field whose quoted stretch was closed: the opening quote is dropped, each
// pair of quotes becomes one quote, and every other quote is dropped.
std::size_t Unquote(const char* begin, const char* end, char* out)
{
    std::size_t n = 0;
    const char* p = begin + 1;
    while (p < end) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (IsLeadByte(c) && p + 1 < end) {
            out[n++] = p[0];
            out[n++] = p[1];
            p += 2;
        } else if (c == '"') {
            if (p + 1 < end && p[1] == '"') {
                out[n++] = '"';
                p += 2;
            } else {
                ++p;
            }
        } else {
            out[n++] = *p++;
        }
    }
    return n;
}

// atoi's reading (leading blanks, a sign, digits up to the first other byte), kept to
// the low 16 bits, which is all a counter holds; never overflows on long digit runs.
std::uint16_t ToCounter(const char* text)
{
    const char* p = text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = (*p++ == '-');
    unsigned value = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        value = (value * 10 + static_cast<unsigned>(*p - '0')) & 0xFFFFu;
    return static_cast<std::uint16_t>(negative ? 0u - value : value);
}

// Stores one field of column `column` into the template. Returns 0 or -3.
int StoreField(WordRecord* record, int column, const char* text, std::size_t length, int line)
{
    if (length >= kFieldLimit) {
        SetLastError("LoadCSVFile:Illegual data at line %d.", line);
        return -3;
    }
    switch (column) {
    case 0:
        if (length >= kWordSize) {
            SetLastError("LoadCSVFile:Word too long at line %d.", line);
            return -3;
        }
        std::memcpy(record->Word, text, length + 1);
        break;
    case 1:
        std::memcpy(record->Explain1, text, length + 1);
        break;
    case 2:
        std::memcpy(record->Explain2, text, length + 1);
        break;
    case 3:
        if (length >= kRemarkSize) {
            SetLastError("LoadCSVFile:Explain3 too long at line %d.", line);
            return -3;
        }
        std::memcpy(record->Explain3, text, length + 1);
        break;
    case 4: record->RightCount = ToCounter(text); break;
    case 5: record->WrongCount = ToCounter(text); break;
    case 6: record->CheckCount = ToCounter(text); break;
    case 7: record->CheckOnly = ToCounter(text); break;
    case 8:
        if (length >= kPronunceSize) {
            SetLastError("LoadCSVFile:Pronunce too long data at line %d.", line);
            return -3;
        }
        std::memcpy(record->Pronunce, text, length + 1);
        break;
    default:
        break; // columns past the ninth are only length-checked
    }
    return 0;
}

// Splits one line into fields and stores them into `record`. Returns 0 or -3.
int ParseLine(const char* line, std::size_t size, WordRecord* record, int lineNumber)
{
    const char* p = line;
    const char* const end = p + size;
    char field[kFieldLimit];
    for (int column = 0;; ++column) {
        const char* start = p;
        const bool quoted = (p < end && *p == '"');
        bool open = quoted;
        bool lineEnded = false;
        if (quoted)
            ++p;
        while (p < end) {
            unsigned char c = static_cast<unsigned char>(*p);
            if (IsLineEnd(*p)) {
                lineEnded = true;
                break;
            }
            if (IsLeadByte(c)) {
                // A lead byte takes the next byte with it. One left alone at the line's
                // end is dropped: kept, the writer would put it before a comma or a line
                // end, and the next read would take that byte into the character.
                if (p + 1 < end && !IsLineEnd(p[1])) {
                    p += 2;
                    continue;
                }
                lineEnded = true;
                break;
            }
            if (open && c == '"') {
                if (p + 1 < end && p[1] == '"') {
                    p += 2;
                } else {
                    open = false;
                    ++p;
                }
                continue;
            }
            if (!open && c == ',')
                break;
            ++p;
        }
        std::size_t length = static_cast<std::size_t>(p - start);
        if (quoted && !open) {
            // Unquoting never grows a field, and a raw field this long cannot shrink
            // below the limit, so the copy below stays inside its buffer.
            if (length > 2 * kFieldLimit + 2) {
                SetLastError("LoadCSVFile:Illegual data at line %d.", lineNumber);
                return -3;
            }
            char unquoted[2 * kFieldLimit + 4];
            length = Unquote(start, p, unquoted);
            if (length < kFieldLimit)
                std::memcpy(field, unquoted, length);
        } else if (length < kFieldLimit) {
            std::memcpy(field, start, length);
        }
        if (length >= kFieldLimit) {
            SetLastError("LoadCSVFile:Illegual data at line %d.", lineNumber);
            return -3;
        }
        field[length] = '\0';
        if (StoreField(record, column, field, length, lineNumber) != 0)
            return -3;
        if (lineEnded || p >= end)
            return 0;
        ++p; // the separating comma
    }
}

// Tells a word written in UTF-8 from one in CP932 by the texts it keeps: every non-ASCII
// byte of its texts forms valid UTF-8, and at least one character takes three bytes, as
// every kana and kanji (and the byte-order mark) does in UTF-8. CP932 text practically
// never passes: its lead bytes 0x81-0x9F can only stand as continuation bytes there.
// Half-width katakana pairs such as 0xD4 0xBD pass as two-byte UTF-8, hence the three-byte
// rule. Judging by the kept texts, not the raw line, gives a saved file the same verdict.
bool TextLooksLikeUtf8(const char* text, bool* threeByte)
{
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p != 0) {
        unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int trail = (c >= 0xC2 && c <= 0xDF) ? 1 : (c >= 0xE0 && c <= 0xEF) ? 2
                  : (c >= 0xF0 && c <= 0xF4) ? 3 : -1;
        if (trail < 0)
            return false;
        for (int i = 1; i <= trail; ++i) {
            // A sequence cut at the text's end passes: read as CP932, a UTF-8 text loses
            // its last byte where that byte, taken for a lead byte, met the line end.
            if (p[i] == 0)
                return true;
            if ((p[i] & 0xC0) != 0x80)
                return false;
        }
        if (trail >= 2)
            *threeByte = true;
        p += trail + 1;
    }
    return true;
}

bool HasNonAscii(const char* text)
{
    for (; *text != 0; ++text) {
        if (static_cast<unsigned char>(*text) >= 0x80)
            return true;
    }
    return false;
}

// Whether the record holds text outside ASCII, and if so whether it reads as UTF-8.
bool RecordHasNonAscii(const WordRecord* r)
{
    return HasNonAscii(r->Word) || HasNonAscii(r->Explain1) || HasNonAscii(r->Explain2) ||
           HasNonAscii(r->Explain3) || HasNonAscii(r->Pronunce);
}

bool RecordLooksLikeUtf8(const WordRecord* r)
{
    bool threeByte = false;
    for (const char* text : {r->Word, r->Explain1, r->Explain2, r->Explain3, r->Pronunce}) {
        if (!TextLooksLikeUtf8(text, &threeByte))
            return false;
    }
    return threeByte;
}

// Collects the bytes of the file in memory-sized pieces and writes them out.
class BufferedWriter {
public:
    explicit BufferedWriter(std::FILE* file) : file_(file) {}
    void Put(const char* text) { Put(text, std::strlen(text)); }
    void Put(const char* data, std::size_t size)
    {
        if (used_ + size > sizeof buffer_)
            Flush();
        if (size > sizeof buffer_) {
            ok_ = ok_ && PlatWriteFile(file_, data, size);
            return;
        }
        std::memcpy(buffer_ + used_, data, size);
        used_ += size;
    }
    bool Flush()
    {
        if (used_ > 0) {
            ok_ = ok_ && PlatWriteFile(file_, buffer_, used_);
            used_ = 0;
        }
        return ok_;
    }

private:
    std::FILE* file_;
    char buffer_[64 * 1024];
    std::size_t used_ = 0;
    bool ok_ = true;
};

// Writes `value` in decimal followed by a comma; returns the end.
char* AppendCounter(char* out, unsigned value)
{
    char digits[8];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (n > 0)
        *out++ = digits[--n];
    *out++ = ',';
    return out;
}

// Writes one text field as QuoteField gives it; most fields need no quoting and are
// written straight from the record.
void PutField(BufferedWriter& out, const char* text)
{
    const char* p = text;
    for (; *p != '\0'; ++p) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (c == '"' || c == ',' || IsLeadByte(c))
            break;
    }
    if (*p == '\0') {
        out.Put(text, static_cast<std::size_t>(p - text));
        return;
    }
    out.Put(QuoteField(text));
}

std::string TemporaryNameFor(const char* fileName)
{
    return std::string(fileName) + ".tmp";
}

} // namespace

const char* GetLastErrorText()
{
    return g_lastError;
}

int LoadCSVFile(const char* fileName)
{
    if (!PlatPathExists(fileName))
        return 0;
    std::FILE* file = PlatOpenFile(fileName, "rb");
    if (file == nullptr) {
        SetLastError("LoadCSVFile:Can't open file.");
        return -2;
    }
    LineReader reader(file);
    const char* line = nullptr;
    std::size_t length = 0;
    int lineNumber = 0;
    int result = 0;
    bool encodingChecked = false;
    while (reader.Next(&line, &length)) {
        ++lineNumber;
        WordRecord* record = NewRecord();
        if (record == nullptr) {
            SetLastError("LoadCSVFile:Can't alloc memory.");
            result = -1;
            break;
        }
        result = ParseLine(line, length, record, lineNumber);
        // A word file saved as UTF-8 (by a spreadsheet or an editor) would be read as
        // broken characters and, where a lead byte swallows a comma, broken fields, which
        // the next save would keep. The first word with non-ASCII text decides.
        if (result == 0 && !encodingChecked && RecordHasNonAscii(record)) {
            encodingChecked = true;
            if (RecordLooksLikeUtf8(record)) {
                SetLastError("LoadCSVFile:Not a Shift-JIS file (UTF-8) at line %d.", lineNumber);
                result = -3;
            }
        }
        if (result != 0) {
            ReleaseRecord(record);
            break;
        }
        LinkRecord(record);
    }
    std::fclose(file);
    if (result != 0)
        return result;
    PlatSetReadOnly(fileName);
    return lineNumber;
}

const char* QuoteField(const char* text)
{
    static char buffer[384];
    char* out = buffer + 1;
    char* const limit = buffer + sizeof buffer - 2; // room for the closing quote and NUL
    bool needQuotes = false;
    for (const char* p = text; *p != '\0' && out < limit;) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (IsLeadByte(c)) {
            // A lead byte with nothing after it is dropped: written out it would take the
            // following comma or line end into a character.
            if (p[1] == '\0' || out + 2 > limit)
                break;
            *out++ = *p++;
            *out++ = *p++;
            continue;
        }
        if (c == '"') {
            if (out + 2 > limit)
                break;
            *out++ = '"';
            needQuotes = true;
        } else if (c == ',') {
            needQuotes = true;
        }
        *out++ = *p++;
    }
    if (needQuotes) {
        buffer[0] = '"';
        *out++ = '"';
        *out = '\0';
        return buffer;
    }
    *out = '\0';
    return buffer + 1;
}

int SaveAllRecord(const char* fileName)
{
    if (!PlatPathExists(fileName) && g_wordBook.first == nullptr)
        return 0;
    if (PlatIsDirectory(fileName)) {
        SetLastError("SaveAllRecord:Can't open file.");
        return -2;
    }
    PlatSetNormal(fileName);
    // Write the whole book beside the word file first and put it in place only when
    // every byte is on the disk, so that a failed save leaves the old file as it was.
    const std::string tempName = TemporaryNameFor(fileName);
    std::FILE* file = PlatOpenFile(tempName.c_str(), "wb");
    if (file == nullptr) {
        SetLastError("SaveAllRecord:Can't open file.");
        return -2;
    }
    BufferedWriter out(file);
    char numbers[64];
    for (const WordRecord* r = g_wordBook.first; r != nullptr; r = r->next) {
        PutField(out, r->Word);
        out.Put(",", 1);
        PutField(out, r->Explain1);
        out.Put(",", 1);
        PutField(out, r->Explain2);
        out.Put(",", 1);
        PutField(out, r->Explain3);
        out.Put(",", 1);
        char* n = numbers;
        for (std::uint16_t value : {r->RightCount, r->WrongCount, r->CheckCount, r->CheckOnly})
            n = AppendCounter(n, value);
        out.Put(numbers, static_cast<std::size_t>(n - numbers));
        PutField(out, r->Pronunce);
        out.Put("\r\n", 2);
    }
    bool written = out.Flush() && PlatFlushFile(file);
    written = (std::fclose(file) == 0) && written;
    if (!written) {
        PlatDeleteFile(tempName.c_str());
        SetLastError("SaveAllRecord:Can't write file.");
        return -2;
    }
    if (!PlatReplaceFile(tempName.c_str(), fileName)) {
        PlatDeleteFile(tempName.c_str());
        SetLastError("SaveAllRecord:Can't open file.");
        return -2;
    }
    return 0;
}
