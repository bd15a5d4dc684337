// What a learner's word book survives: the program killed in the middle of saving, a word
// file locked by another program, saved as UTF-8, replaced by a folder, or kept under a
// path with spaces and Japanese characters.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/drill_e2e_support.h"

namespace {

using namespace drill_e2e;

std::vector<Word> ManyWords(int count)
{
    std::vector<Word> words;
    for (int i = 0; i < count; ++i)
        words.push_back({"word" + std::to_string(i), "意味" + std::to_string(i), "", "名詞", i % 5,
                         i % 3, 0, 0, "w'E:rd"});
    return words;
}

// The words of a word file as a count of CRLF lines that start with "word".
int CountWordLines(const std::string& bytes)
{
    int count = 0;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos)
            return -1;  // a cut last line
        if (bytes.compare(start, 4, "word") == 0)
            ++count;
        start = end + 2;
    }
    return count;
}

class RobustnessE2E : public ProgramFixture {
protected:
    // The message box the program shows at start-up or after a save, by its caption.
    e2e::MessageBoxView WaitForError()
    {
        HWND box = e2e::WaitForDialog(program_, L"エラー");
        EXPECT_NE(box, nullptr) << "no error box";
        return box ? e2e::ReadMessageBox(box) : e2e::MessageBoxView{};
    }

    void ExpectExitCode(DWORD expected)
    {
        DWORD code = 1234;
        ASSERT_TRUE(e2e::WaitForExit(&program_, 30000, &code));
        EXPECT_EQ(code, expected);
    }
};

TEST_F(RobustnessE2E, KilledWhileSavingTheWordFileOrItsBackupHoldsEveryWord)
{
    const int kWords = 3000;
    const std::string original = Lines(ManyWords(kWords));
    ASSERT_TRUE(e2e::WriteBytes(wordFile_, original));
    const std::wstring backup = e2e::JoinPath(folder_, L"words.bak");
    // Kill the program at different moments of a burst of saves (each WM_ENDSESSION saves).
    for (DWORD delay : {0u, 15u, 40u, 90u, 160u}) {
        SCOPED_TRACE("killed " + std::to_string(delay) + " ms into the saves");
        StartWith({}, {{L"DataCount", std::to_wstring(kWords)}});
        for (int i = 0; i < 20; ++i)
            PostMessageW(tray_, WM_ENDSESSION, TRUE, 0);
        Sleep(delay);
        TerminateProcess(program_.info.hProcess, 9);
        e2e::StopProgram(&program_);
        std::string file = e2e::ReadBytes(wordFile_);
        std::string saved = e2e::ReadBytes(backup);
        int inFile = CountWordLines(file);
        int inBackup = CountWordLines(saved);
        EXPECT_TRUE(inFile == kWords || inBackup == kWords)
            << "word file " << inFile << " words, backup " << inBackup;
        // The word file is never cut: it is the old or the new book, whole.
        EXPECT_EQ(inFile, kWords);
    }
    // The next start loads every word without asking anything and ends cleanly.
    StartWith({}, {{L"DataCount", std::to_wstring(kWords)}});
    EXPECT_TRUE(NoDialogFor(program_, 1500));
    e2e::PostCommand(tray_, 99);
    ExpectExitCode(0);
    EXPECT_EQ(CountWordLines(e2e::ReadBytes(wordFile_)), kWords);
}

TEST_F(RobustnessE2E, ALockedWordFileIsReportedAndNothingIsLost)
{
    const std::string original = Lines(ManyWords(5));
    ASSERT_TRUE(e2e::WriteBytes(wordFile_, original));
    // Another program holds the file open and shares nothing: the load cannot read it.
    HANDLE lock = CreateFileW(wordFile_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    StartWith({}, {{L"DataCount", L"5"}});
    e2e::MessageBoxView box = WaitForError();
    EXPECT_EQ(U8(box.text), "LoadCSVFile:Can't open file.");
    HWND boxWindow = e2e::WaitForDialog(program_, L"エラー");
    e2e::ClickButton(boxWindow, IDOK);
    ExpectExitCode(0);
    CloseHandle(lock);
    EXPECT_EQ(e2e::ReadBytes(wordFile_), original);

    // Locked while the program runs: the save is refused with its message, the book
    // stays in memory, and the next save after the lock is gone writes it.
    StartWith({}, {{L"DataCount", L"5"}});
    ASSERT_TRUE(NoDialogFor(program_, 1000));
    lock = CreateFileW(wordFile_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    PostMessageW(tray_, WM_ENDSESSION, TRUE, 0);
    box = WaitForError();
    EXPECT_EQ(U8(box.text).rfind("SaveAllRecord:", 0), 0u) << U8(box.text);
    e2e::ClickButton(e2e::WaitForDialog(program_, L"エラー"), IDOK);
    CloseHandle(lock);
    EXPECT_EQ(e2e::ReadBytes(wordFile_), original);
    e2e::PostCommand(tray_, 99);
    ExpectExitCode(0);
    EXPECT_EQ(CountWordLines(e2e::ReadBytes(wordFile_)), 5);
}

TEST_F(RobustnessE2E, AWordFileSavedAsUtf8IsRefusedWithAClearMessage)
{
    const std::string utf8 = "\xEF\xBB\xBF" "apple,りんご,,名詞,0,0,0,0,\r\n";
    ASSERT_TRUE(e2e::WriteBytes(wordFile_, utf8));
    StartWith({}, {{L"DataCount", L"1"}});
    e2e::MessageBoxView box = WaitForError();
    EXPECT_EQ(U8(box.text), "LoadCSVFile:Not a Shift-JIS file (UTF-8) at line 1.");
    e2e::ClickButton(e2e::WaitForDialog(program_, L"エラー"), IDOK);
    ExpectExitCode(0);
    EXPECT_EQ(e2e::ReadBytes(wordFile_), utf8);
    EXPECT_FALSE(e2e::IsReadOnly(wordFile_));
}

TEST_F(RobustnessE2E, AFolderInPlaceOfTheWordFileIsReported)
{
    ASSERT_TRUE(CreateDirectoryW(wordFile_.c_str(), nullptr));
    StartWith({}, {{L"DataCount", L"0"}});
    e2e::MessageBoxView box = WaitForError();
    EXPECT_EQ(U8(box.text), "LoadCSVFile:Can't open file.");
    e2e::ClickButton(e2e::WaitForDialog(program_, L"エラー"), IDOK);
    ExpectExitCode(0);
}

TEST_F(RobustnessE2E, APathWithSpacesAndJapaneseWorksBothWays)
{
    std::wstring folder = e2e::JoinPath(folder_, L"単語 帳");
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    wordFile_ = e2e::JoinPath(folder, L"私の 単語.csv");
    StartWith(ManyWords(3), {});
    ASSERT_TRUE(NoDialogFor(program_, 1000));
    EXPECT_TRUE(e2e::IsReadOnly(wordFile_));
    e2e::PostCommand(tray_, 99);
    ExpectExitCode(0);
    EXPECT_EQ(e2e::ReadBytes(wordFile_), Lines(ManyWords(3)));
    EXPECT_EQ(e2e::ReadBytes(e2e::JoinPath(folder, L"私の 単語.bak")), Lines(ManyWords(3)));
    e2e::StoredSetting stored = e2e::ReadStoredSetting(L"DataFileName");
    EXPECT_EQ(stored.text, wordFile_);
}

} // namespace
