// The guide driver's shared parts: the word file as records, telling which word a question
// dialog shows, and running vokaru.exe from a folder of its own with given settings.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace guide {

// ---- Word file ----

// One line of a word file: the nine fields as CP932 bytes, unquoted.
struct Record {
    std::vector<std::string> fields;
    const std::string& Word() const { return fields[0]; }
};

// Splits CP932 word file bytes into records (CR LF or LF line ends, double-quote quoting,
// a lead byte always takes the next byte along). A last line without a line end counts.
std::vector<Record> ParseWordFile(const std::string& bytes);
// The UTF-8 lines of a word file as CP932 with CR LF line ends.
std::string WordFileFromUtf8(const std::vector<std::string>& lines);

// ---- What a question shows ----

// True when `shown` (the answer box's hint, CP932) is a hint of `word`: the same number of
// bytes, letters shown or "*", double-byte characters shown or the full-width asterisk,
// everything else unchanged.
bool HintFits(const std::string& word, const std::string& shown);
// True when `shown` (a meaning field, CP932) is `meaning` with parts hidden: the same number
// of bytes, each byte unchanged or turned into "*" or "+".
bool MaskFits(const std::string& meaning, const std::string& shown);

// The fields of an open question dialog, as CP932 bytes.
struct QuestionView {
    std::wstring caption;
    std::string answer, explain1, explain2, remark;
};
QuestionView ReadQuestion(HWND dialog);
// Indexes of the records that the question could show.
std::vector<std::size_t> MatchingRecords(const std::vector<Record>& book, const QuestionView& view);

// ---- The program ----

struct Setting {
    const wchar_t* name;
    std::wstring text;
};

// True when `caption` is that of a question (question or check mode).
bool IsQuestionCaption(const std::wstring& caption);
// The visible question dialog of the program, or nullptr after `ms`.
HWND WaitForQuestion(const e2e::Program& program, DWORD ms = e2e::kWaitMs);
// The first visible dialog or message box of the program other than `except`, or nullptr.
HWND WaitForOtherDialog(const e2e::Program& program, HWND except, DWORD ms = e2e::kWaitMs);
// Presses a button by posting the click, so that a box it opens does not block the driver.
bool Press(HWND dialog, int id);
// Types into a control and waits until it shows `expected` (both UTF-8).
bool TypeAndWait(HWND control, const std::string& typed, const std::string& expected);
// Polls `ready` every 50 ms until it gives true or `ms` have passed.
template <typename Ready>
bool PollUntil(DWORD ms, Ready ready)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (ready())
            return true;
        if (GetTickCount() - start >= ms)
            return false;
        Sleep(50);
    }
}

inline std::string U8(const std::wstring& text) { return e2e::Utf8FromWide(text); }
inline std::wstring W(const std::string& utf8) { return e2e::WideFromUtf8(utf8); }

// ---- Modes ----

// Takes the guide's screenshots; see driver.cpp for the arguments.
int RunShots(const std::wstring& exe, const std::wstring& starterBook, const std::wstring& outDir);
// Checks an unpacked package folder; prints PASS/FAIL lines, returns the failure count.
int RunPackageCheck(const std::wstring& folder);

} // namespace guide
