// The package as a learner meets it: vokaru.exe started from the unpacked folder with an
// empty registry finds the starter book beside it, asks one of its words at the first
// double-click, and writes the answer back into that file at exit.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/guide_shots/driver.h"

namespace guide {

namespace {

int g_failures = 0;

bool Expect(bool ok, const std::string& what)
{
    std::printf("%s: %s\n", ok ? "PASS" : "FAIL", what.c_str());
    if (!ok)
        ++g_failures;
    return ok;
}

bool AllCountersZero(const std::vector<Record>& book)
{
    for (const Record& r : book) {
        for (int column = 4; column <= 7; ++column) {
            if (r.fields[column] != "0")
                return false;
        }
    }
    return true;
}

bool CrLfOnly(const std::string& bytes)
{
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'))
            return false;
    }
    return !bytes.empty() && bytes.back() == '\n';
}

std::string StoredText(const wchar_t* name)
{
    return U8(e2e::ReadStoredSetting(name).text);
}

// Answers the open question with the word of `record` and closes the correct notice.
// Returns false when the answer was not taken as right.
bool AnswerRight(const e2e::Program& program, HWND dialog, const Record& record)
{
    std::string word = e2e::Utf8FromCp932(record.Word());
    if (!Expect(TypeAndWait(GetDlgItem(dialog, 1000), word, word),
                "the answer box takes the typed word"))
        return false;
    Press(dialog, IDOK);
    HWND notice = e2e::WaitForDialog(program, L"正解！");
    if (!Expect(notice != nullptr, "a right answer shows the correct notice"))
        return false;
    Press(notice, IDOK);
    return Expect(e2e::WaitUntilGone(notice) && e2e::WaitUntilGone(dialog),
                  "the notice and the question close");
}

} // namespace

int RunPackageCheck(const std::wstring& folder)
{
    g_failures = 0;
    const std::wstring exe = e2e::JoinPath(folder, L"vokaru.exe");
    const std::wstring book = e2e::JoinPath(folder, L"tango.csv");
    const std::wstring backup = e2e::JoinPath(folder, L"tango.bak");

    bool readable = false;
    const std::string before = e2e::ReadBytes(book, &readable);
    std::vector<Record> records = ParseWordFile(before);
    Expect(e2e::FileExists(exe), "vokaru.exe is in the folder");
    Expect(readable && records.size() >= 600,
           "tango.csv beside it holds " + std::to_string(records.size()) + " words");
    Expect(AllCountersZero(records), "every counter of the starter book is 0");
    Expect(!e2e::FileExists(backup), "there is no tango.bak before the first run");
    if (g_failures > 0)
        return g_failures;

    e2e::ClearSettings();
    e2e::Program program;
    Expect(e2e::StartProgram(&program, exe, folder), "vokaru.exe starts from the folder");
    HWND tray = e2e::WaitForTrayWindow(program);
    if (!Expect(tray != nullptr, "its tray window appears")) {
        std::printf("%s\n", e2e::DescribeWindows(program).c_str());
        e2e::StopProgram(&program);
        return g_failures;
    }
    Expect(WaitForOtherDialog(program, nullptr, 1500) == nullptr,
           "start-up shows no message box");
    Expect(StoredText(L"DataFileName") == U8(book),
           "DataFileName is tango.csv beside the program (" + StoredText(L"DataFileName") + ")");
    Expect(StoredText(L"DataCount") == std::to_string(records.size()),
           "DataCount is the starter book's word count");
    Expect(StoredText(L"SoundFileName").empty() && StoredText(L"CorrectSoundFileName").empty() &&
               StoredText(L"WrongSoundFileName").empty(),
           "no sound is set by default");
    Expect(e2e::IsReadOnly(book), "tango.csv is read-only while the program runs");

    // The first double-click asks a word of the starter book.
    e2e::PostTrayMouse(tray, WM_LBUTTONDBLCLK);
    HWND dialog = WaitForQuestion(program);
    std::size_t asked = records.size();
    if (Expect(dialog != nullptr, "the first double-click opens the question dialog")) {
        Sleep(300);
        QuestionView view = ReadQuestion(dialog);
        Expect(view.caption.rfind(L"正しい単語を入力してください(正解数：0　不正解数：0) ", 0) == 0,
               "the caption asks for the word with no answers yet: " + U8(view.caption));
        std::vector<std::size_t> found = MatchingRecords(records, view);
        if (Expect(!found.empty(), "the question shows a starter word (hint \"" +
                                       e2e::Utf8FromCp932(view.answer) + "\", meaning \"" +
                                       e2e::Utf8FromCp932(view.explain1) + "\")")) {
            asked = found[0];
            std::printf("asked: %s\n", e2e::Utf8FromCp932(records[asked].Word()).c_str());
            if (!AnswerRight(program, dialog, records[asked]))
                asked = records.size();
        } else {
            Press(dialog, IDOK);
        }
    }

    e2e::PostCommand(tray, 99);
    DWORD code = 1;
    Expect(e2e::WaitForExit(&program, e2e::kWaitMs, &code) && code == 0,
           "終了 ends the program with exit code 0");
    e2e::StopProgram(&program);

    // The answer reached tango.csv; the file as it was is now tango.bak.
    const std::string after = e2e::ReadBytes(book);
    std::vector<Record> expected = records;
    if (asked < expected.size())
        expected[asked].fields[4] = "1";
    std::vector<Record> written = ParseWordFile(after);
    bool same = written.size() == expected.size();
    for (std::size_t i = 0; same && i < written.size(); ++i)
        same = written[i].fields == expected[i].fields;
    Expect(asked < records.size() && same,
           "tango.csv holds every starter word, the asked one with RightCount 1");
    Expect(CrLfOnly(after), "tango.csv is written with CR LF line ends");
    Expect(e2e::ReadBytes(backup) == before, "tango.bak is the starter book as unpacked");
    Expect(!e2e::IsReadOnly(book), "tango.csv is writable after the program ended");
    return g_failures;
}

} // namespace guide
