#include "tests/unit/test_helpers.h"

#include <atomic>
#include <cstring>
#include <unistd.h>

namespace fs = std::filesystem;

ScratchDir::ScratchDir()
{
    static std::atomic<int> counter{0};
    dir_ = fs::temp_directory_path() /
           ("vokaru-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
}

ScratchDir::~ScratchDir()
{
    std::error_code ec;
    // Read-only files inside must not keep the folder alive.
    for (auto& entry : fs::recursive_directory_iterator(dir_, ec))
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(dir_, ec);
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void ResetWorld()
{
    FreeWordBook(&g_wordBook);
    SetRecordAllocationLimit(-1);
    StandinReset();
}

void AddWord(const char* word, const char* explain1, const char* explain2, const char* remark,
             unsigned right, unsigned wrong, unsigned check, unsigned checkOnly,
             const char* pronunce)
{
    WordRecord r;
    ClearRecord(&r);
    CopyField(r.Word, sizeof r.Word, word);
    CopyField(r.Explain1, sizeof r.Explain1, explain1);
    CopyField(r.Explain2, sizeof r.Explain2, explain2);
    CopyField(r.Explain3, sizeof r.Explain3, remark);
    CopyField(r.Pronunce, sizeof r.Pronunce, pronunce);
    r.RightCount = static_cast<std::uint16_t>(right);
    r.WrongCount = static_cast<std::uint16_t>(wrong);
    r.CheckCount = static_cast<std::uint16_t>(check);
    r.CheckOnly = static_cast<std::uint16_t>(checkOnly);
    AppendRecord(&r);
}
