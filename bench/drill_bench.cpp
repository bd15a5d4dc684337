// Question selection per tendency, and judging plus masking per question, each beside a
// plain walk over the same word book (summing RightCount), reported as a ratio.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "drill/judge.h"
#include "drill/random.h"
#include "drill/selection.h"
#include "wordbook/word_book.h"

namespace {

using Clock = std::chrono::steady_clock;

const char* const kMeanings[] = {
    "\x83\x8a\x83\x93\x83\x53",                                        // ringo
    "\x8e\xa9\x95\xaa\x82\xcc\x81\x41\x8e\xa9\x90\x67\x82\xcc",        // jibun no, jishin no
    "\x88\xd3\x96\xa1\x81\x41\x88\xd3\x8e\x75",                        // imi, ishi
    "\x8b\xb0\x82\xea\x82\xe9\x81\x41\x90\x53\x94\x7a\x82\xb7\x82\xe9", // osoreru, shinpai suru
};

const char* const kPhrases[] = {"be %s of", "make up one's %s", "enjoy oneself %s",
                                "%s a cold"};

std::string RandomLetters(std::mt19937& rng, int low, int high)
{
    std::uniform_int_distribution<int> length(low, high), letter('a', 'z');
    std::string s;
    for (int n = length(rng); n > 0; --n)
        s += static_cast<char>(letter(rng));
    return s;
}

// Builds a book of `words` records into g_wordBook: 40 % never asked, 5 % check-only,
// the rest with random right and wrong counts; a tenth of the words are phrases, and
// about half the meanings quote the word.
void MakeDrillBook(long words)
{
    std::mt19937 rng(static_cast<unsigned>(words));
    std::uniform_int_distribution<int> percent(0, 99), right(0, 12), wrong(0, 8),
        check(0, 5), meaning(0, 3);
    WordRecord r;
    for (long i = 0; i < words; ++i) {
        ClearRecord(&r);
        std::string word = RandomLetters(rng, 3, 12);
        if (percent(rng) < 10) {
            char phrase[kWordSize];
            std::snprintf(phrase, sizeof phrase, kPhrases[meaning(rng)], word.c_str());
            word = phrase;
        }
        CopyField(r.Word, sizeof r.Word, word.c_str());
        std::string explain = kMeanings[meaning(rng)];
        if (percent(rng) < 50)
            explain += "(" + word + ")";
        CopyField(r.Explain1, sizeof r.Explain1, explain.c_str());
        CopyField(r.Explain2, sizeof r.Explain2, kMeanings[meaning(rng)]);
        int kind = percent(rng);
        if (kind < 40) {
            // never asked
        } else if (kind < 45) {
            r.CheckOnly = 1;
            r.CheckCount = static_cast<std::uint16_t>(check(rng));
        } else {
            r.RightCount = static_cast<std::uint16_t>(right(rng));
            r.WrongCount = static_cast<std::uint16_t>(wrong(rng));
            if (r.RightCount + r.WrongCount == 0)
                r.WrongCount = 1;
            r.CheckCount = static_cast<std::uint16_t>(check(rng) / 4);
        }
        AppendRecord(&r);
    }
}

// Each size's book is built once and swapped into g_wordBook while a benchmark runs,
// so the other benchmarks' books are left alone.
WordBook& BookFor(long words)
{
    static std::map<long, WordBook> books;
    auto found = books.find(words);
    if (found != books.end())
        return found->second;
    WordBook saved = g_wordBook;
    g_wordBook = {nullptr, nullptr};
    MakeDrillBook(words);
    WordBook& book = books[words];
    book = g_wordBook;
    g_wordBook = saved;
    return book;
}

struct UsingBook {
    explicit UsingBook(long words) : saved(g_wordBook) { g_wordBook = BookFor(words); }
    ~UsingBook() { g_wordBook = saved; }
    WordBook saved;
};

long PlainWalk()
{
    long sum = 0;
    for (const WordRecord* r = g_wordBook.first; r != nullptr; r = r->next)
        sum += r->RightCount;
    return sum;
}

double Micros(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::micro>(to - from).count();
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// Median time of one plain walk, in microseconds.
double MedianWalk()
{
    std::vector<double> times;
    for (int i = 0; i < 31; ++i) {
        auto t0 = Clock::now();
        benchmark::DoNotOptimize(PlainWalk());
        times.push_back(Micros(t0, Clock::now()));
    }
    return Median(times);
}

void ReportAgainstWalk(benchmark::State& state, const std::vector<double>& times,
                       double walk)
{
    double mean = 0;
    for (double t : times)
        mean += t;
    mean = times.empty() ? 0 : mean / static_cast<double>(times.size());
    double median = Median(times);
    state.counters["median_us"] = median;
    state.counters["mean_us"] = mean;
    state.counters["walk_us"] = walk;
    state.counters["median_per_walk"] = walk > 0 ? median / walk : 0;
    state.counters["mean_per_walk"] = walk > 0 ? mean / walk : 0;
}

// Walks that the strategy named by a tag makes over the whole book at most: Rnd one to
// count and up to one to reach its record, the others one. In these books every first
// attempt finds a word, so the tag names the only strategy tried.
int WalksOf(int tag)
{
    return tag == kTagRnd ? 2 : 1;
}

void BM_SelectQuestion(benchmark::State& state)
{
    UsingBook book(state.range(1));
    int trend = static_cast<int>(state.range(0));
    double walk = MedianWalk();
    std::vector<double> times;
    long walks = 0;
    SeedRandom(20240601u);
    for (auto _ : state) {
        int tag = 0;
        auto t0 = Clock::now();
        WordRecord* r = SelectQuestion(trend, 0, &tag);
        auto t1 = Clock::now();
        benchmark::DoNotOptimize(r);
        times.push_back(Micros(t0, t1));
        walks += WalksOf(tag);
    }
    ReportAgainstWalk(state, times, walk);
    // Cost of the picks over the cost of the walks their strategies make.
    double allowed = static_cast<double>(walks) / static_cast<double>(times.size());
    state.counters["allowed_walks"] = allowed;
    state.counters["cost_per_allowed"] =
        walk > 0 ? state.counters["mean_us"] / (allowed * walk) : 0;
}

void BM_PlainWalk(benchmark::State& state)
{
    UsingBook book(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(PlainWalk());
}

// One shown question: judge the answer, mask both meanings.
void BM_JudgeAndMask(benchmark::State& state)
{
    UsingBook book(state.range(0));
    double walk = MedianWalk();
    std::vector<const WordRecord*> sample;
    std::vector<std::string> answers;
    std::mt19937 rng(7);
    long step = std::max(1L, state.range(0) / 1000);
    long i = 0;
    for (const WordRecord* r = g_wordBook.first; r != nullptr; r = r->next, ++i) {
        if (i % step != 0)
            continue;
        std::string answer = r->Word;
        switch (i % 4) {
        case 0:  // one letter off
            answer[answer.size() / 2] = 'q';
            break;
        case 1:  // cut short
            answer.resize(answer.size() - 1);
            break;
        case 2:  // other letters
            answer = RandomLetters(rng, 3, 12);
            break;
        default:
            break;
        }
        sample.push_back(r);
        answers.push_back(answer);
    }
    std::vector<double> times;
    std::size_t next = 0;
    for (auto _ : state) {
        const WordRecord* r = sample[next];
        const char* answer = answers[next].c_str();
        next = (next + 1) % sample.size();
        auto t0 = Clock::now();
        benchmark::DoNotOptimize(JudgeAnswer(r, answer));
        benchmark::DoNotOptimize(MaskWord(r, r->Explain1)[0]);
        benchmark::DoNotOptimize(MaskWord(r, r->Explain2)[0]);
        auto t1 = Clock::now();
        times.push_back(Micros(t0, t1));
    }
    ReportAgainstWalk(state, times, walk);
}

} // namespace

BENCHMARK(BM_PlainWalk)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SelectQuestion)
    ->ArgsProduct({{1, 2, 3}, {10000, 100000}})
    ->ArgNames({"trend", "words"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_JudgeAndMask)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
