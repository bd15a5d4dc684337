// A Windows helper that drives the real vokaru.exe under Wine for the guide's screenshots
// and for the package check, and the parts both modes share.
//
//   vokaru_guide_driver shots EXE STARTER_BOOK OUT_DIR
//       runs EXE from scratch folders, saves full-screen pictures to OUT_DIR/raw/NAME.png and
//       writes OUT_DIR/shots.txt, one line "NAME X Y WIDTH HEIGHT" per picture: the
//       rectangle to cut out. OUT_DIR is a Linux path; EXE and STARTER_BOOK may be either.
//   vokaru_guide_driver package-check FOLDER
//       starts FOLDER\vokaru.exe as a learner would after unpacking the package, with an
//       empty registry; prints one "PASS: ..." or "FAIL: ..." line per check and exits with
//       the number of failures.
#include "tools/guide_shots/driver.h"

#include <cstdio>
#include <cwchar>

#include "wordbook/text.h"

namespace guide {

// ---- Word file ----

namespace {

// Splits one line (without its line end) into fields the way the program's reader does.
std::vector<std::string> SplitLine(const std::string& line)
{
    std::vector<std::string> fields;
    std::size_t i = 0;
    for (;;) {
        std::string field;
        if (i < line.size() && line[i] == '"') {
            ++i;
            for (;;) {
                if (i >= line.size())
                    break;
                unsigned char c = static_cast<unsigned char>(line[i]);
                if (IsLeadByte(c) && i + 1 < line.size()) {
                    field += line.substr(i, 2);
                    i += 2;
                } else if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                    field += '"';
                    i += 2;
                } else if (c == '"') {
                    ++i;
                    break;
                } else {
                    field += static_cast<char>(c);
                    ++i;
                }
            }
        }
        while (i < line.size() && line[i] != ',') {
            unsigned char c = static_cast<unsigned char>(line[i]);
            std::size_t width = IsLeadByte(c) && i + 1 < line.size() ? 2 : 1;
            if (c != '"')
                field += line.substr(i, width);
            i += width;
        }
        fields.push_back(field);
        if (i >= line.size())
            break;
        ++i; // the comma
    }
    fields.resize(9);
    return fields;
}

} // namespace

std::vector<Record> ParseWordFile(const std::string& bytes)
{
    std::vector<Record> records;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = start;
        while (end < bytes.size() && bytes[end] != '\n') {
            unsigned char c = static_cast<unsigned char>(bytes[end]);
            end += IsLeadByte(c) && end + 1 < bytes.size() && bytes[end + 1] != '\n' ? 2 : 1;
        }
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        records.push_back(Record{SplitLine(line)});
        start = end + 1;
    }
    return records;
}

std::string WordFileFromUtf8(const std::vector<std::string>& lines)
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += e2e::Cp932FromUtf8(line) + "\r\n";
    return bytes;
}

// ---- What a question shows ----

bool HintFits(const std::string& word, const std::string& shown)
{
    if (word.size() != shown.size())
        return false;
    for (std::size_t i = 0; i < word.size();) {
        unsigned char c = static_cast<unsigned char>(word[i]);
        if (IsLeadByte(c) && i + 1 < word.size()) {
            bool same = shown.compare(i, 2, word, i, 2) == 0;
            if (!same && shown.compare(i, 2, "\x81\x96") != 0)
                return false;
            i += 2;
            continue;
        }
        bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (shown[i] != word[i] && !(letter && shown[i] == '*'))
            return false;
        ++i;
    }
    return true;
}

bool MaskFits(const std::string& meaning, const std::string& shown)
{
    if (meaning.size() != shown.size())
        return false;
    for (std::size_t i = 0; i < meaning.size(); ++i) {
        if (shown[i] != meaning[i] && shown[i] != '*' && shown[i] != '+')
            return false;
    }
    return true;
}

QuestionView ReadQuestion(HWND dialog)
{
    QuestionView view;
    view.caption = e2e::WindowText(dialog);
    view.answer = e2e::Cp932FromUtf8(U8(e2e::ControlText(dialog, 1000)));
    view.explain1 = e2e::Cp932FromUtf8(U8(e2e::ControlText(dialog, 1001)));
    view.explain2 = e2e::Cp932FromUtf8(U8(e2e::ControlText(dialog, 1002)));
    view.remark = e2e::Cp932FromUtf8(U8(e2e::ControlText(dialog, 1003)));
    return view;
}

std::vector<std::size_t> MatchingRecords(const std::vector<Record>& book, const QuestionView& view)
{
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < book.size(); ++i) {
        const Record& r = book[i];
        if (HintFits(r.fields[0], view.answer) && MaskFits(r.fields[1], view.explain1) &&
            MaskFits(r.fields[2], view.explain2) && r.fields[3] == view.remark)
            found.push_back(i);
    }
    return found;
}

// ---- The program ----

namespace {

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

std::vector<HWND> VisibleDialogs(DWORD pid)
{
    struct Search {
        DWORD pid;
        std::vector<HWND> found;
    } search{pid, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->pid && IsWindowVisible(window) && ClassOf(window) == L"#32770")
                s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool StartsWith(const std::wstring& text, const wchar_t* start)
{
    return text.compare(0, std::wcslen(start), start) == 0;
}

} // namespace

bool IsQuestionCaption(const std::wstring& caption)
{
    return StartsWith(caption, L"正しい単語を入力してください(") ||
           StartsWith(caption, L"単語の確認モード(");
}

HWND WaitForQuestion(const e2e::Program& program, DWORD ms)
{
    HWND question = nullptr;
    PollUntil(ms, [&] {
        for (HWND dialog : VisibleDialogs(program.info.dwProcessId)) {
            if (IsQuestionCaption(e2e::WindowText(dialog))) {
                question = dialog;
                return true;
            }
        }
        return e2e::HasExited(program);
    });
    return question;
}

HWND WaitForOtherDialog(const e2e::Program& program, HWND except, DWORD ms)
{
    HWND other = nullptr;
    PollUntil(ms, [&] {
        for (HWND dialog : VisibleDialogs(program.info.dwProcessId)) {
            if (dialog != except) {
                other = dialog;
                return true;
            }
        }
        return e2e::HasExited(program);
    });
    return other;
}

bool Press(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    return button != nullptr && IsWindowVisible(button) && IsWindowEnabled(button) &&
           PostMessageW(button, BM_CLICK, 0, 0) != 0;
}

bool TypeAndWait(HWND control, const std::string& typed, const std::string& expected)
{
    return control != nullptr && e2e::TypeText(control, W(typed)) &&
           e2e::WaitForText(control, W(expected), 10000);
}

} // namespace guide

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: vokaru_guide_driver shots EXE STARTER_BOOK OUT_DIR\n"
                         "       vokaru_guide_driver package-check FOLDER\n");
    return 2;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    // Results are read by scripts as they come.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc < 2)
        return Usage();
    std::wstring mode = argv[1];
    if (mode == L"shots" && argc == 5)
        return guide::RunShots(e2e::WindowsPathFromUnix(argv[2]),
                               e2e::WindowsPathFromUnix(argv[3]), argv[4]);
    if (mode == L"package-check" && argc == 3)
        return guide::RunPackageCheck(e2e::WindowsPathFromUnix(argv[2]));
    return Usage();
}
