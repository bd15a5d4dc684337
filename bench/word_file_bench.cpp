// LoadCSVFile and SaveAllRecord on generated word books, each beside a plain pass over
// the same bytes (fgets to read, fwrite to write), reported as a ratio.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/platform.h"
#include "wordbook/word_book.h"
#include "wordbook/word_file.h"

namespace {

using Clock = std::chrono::steady_clock;

// Realistic CP932 meanings: a few kanji and kana words joined with the Japanese comma.
const char* const kMeanings[] = {
    "\x83\x8a\x83\x93\x83\x53",                  // ringo
    "\x8e\xa9\x95\xaa\x82\xcc\x81\x41\x8e\xa9\x90\x67\x82\xcc", // jibun no, jishin no
    "\x88\xd3\x96\xa1\x81\x41\x88\xd3\x8e\x75",  // imi, ishi
    "\x8b\xb0\x82\xea\x82\xe9\x81\x41\x90\x53\x94\x7a\x82\xb7\x82\xe9", // osoreru, shinpai suru
};

std::string TempPath(const char* name)
{
    return (std::filesystem::temp_directory_path() / name).string();
}

void MakeBook(long words)
{
    FreeWordBook(&g_wordBook);
    WordRecord r;
    for (long i = 0; i < words; ++i) {
        ClearRecord(&r);
        std::snprintf(r.Word, sizeof r.Word, "word%ld", i);
        CopyField(r.Explain1, sizeof r.Explain1, kMeanings[i % 4]);
        CopyField(r.Explain2, sizeof r.Explain2, kMeanings[(i + 1) % 4]);
        CopyField(r.Explain3, sizeof r.Explain3, i % 3 ? "\x96\xbc\x8e\x8c" : "\x93\xae\x8e\x8c");
        CopyField(r.Pronunce, sizeof r.Pronunce, "w'\x3a\x72\x64");
        r.RightCount = static_cast<std::uint16_t>(i % 7);
        r.WrongCount = static_cast<std::uint16_t>(i % 5);
        AppendRecord(&r);
    }
}

std::string FileFor(long words)
{
    std::string path = TempPath(("vokaru-bench-" + std::to_string(words) + ".csv").c_str());
    if (!std::filesystem::exists(path)) {
        MakeBook(words);
        SaveAllRecord(path.c_str());
        FreeWordBook(&g_wordBook);
    }
    return path;
}

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

void BM_LoadCSVFile(benchmark::State& state)
{
    const std::string path = FileFor(state.range(0));
    double plain = 0, load = 0;
    char line[400];
    for (auto _ : state) {
        state.PauseTiming();
        FreeWordBook(&g_wordBook);
        PlatSetNormal(path.c_str());
        auto t0 = Clock::now();
        std::FILE* f = std::fopen(path.c_str(), "rb");
        long lines = 0;
        while (std::fgets(line, sizeof line, f))
            ++lines;
        std::fclose(f);
        benchmark::DoNotOptimize(lines);
        plain += Seconds(t0);
        state.ResumeTiming();
        auto t1 = Clock::now();
        benchmark::DoNotOptimize(LoadCSVFile(path.c_str()));
        load += Seconds(t1);
    }
    state.counters["plain_ms"] = 1000 * plain / state.iterations();
    state.counters["ratio"] = load / plain;
    FreeWordBook(&g_wordBook);
    PlatSetNormal(path.c_str());
}

void BM_SaveAllRecord(benchmark::State& state)
{
    const std::string source = FileFor(state.range(0));
    const std::string bytes = [&] {
        std::FILE* f = std::fopen(source.c_str(), "rb");
        std::string all;
        char chunk[65536];
        std::size_t n;
        while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
            all.append(chunk, n);
        std::fclose(f);
        return all;
    }();
    MakeBook(state.range(0));
    const std::string plainPath = TempPath("vokaru-bench-plain.csv");
    const std::string savePath = TempPath("vokaru-bench-save.csv");
    double plain = 0, save = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto t0 = Clock::now();
        std::FILE* f = std::fopen(plainPath.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
        plain += Seconds(t0);
        state.ResumeTiming();
        auto t1 = Clock::now();
        benchmark::DoNotOptimize(SaveAllRecord(savePath.c_str()));
        save += Seconds(t1);
    }
    state.counters["plain_ms"] = 1000 * plain / state.iterations();
    state.counters["ratio"] = save / plain;
    state.SetBytesProcessed(static_cast<long>(bytes.size()) * state.iterations());
    FreeWordBook(&g_wordBook);
    std::remove(plainPath.c_str());
    std::remove(savePath.c_str());
}

} // namespace

BENCHMARK(BM_LoadCSVFile)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SaveAllRecord)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(5);
