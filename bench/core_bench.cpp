// The list reader on huge files and the validation that runs on every keystroke.
#include <benchmark/benchmark.h>

#include <string>

#include "core/filter_list_file.h"
#include "core/filter_text.h"
#include "core/pattern_matcher.h"

namespace kvex::bench {
namespace {

constexpr int kMillion = 1'000'000;

const std::string& MillionLines() {
    static const std::string bytes = [] {
        std::string s;
        for (int k = 0; k < kMillion; ++k) s += "*.e" + std::to_string(k) + "\r\n";
        return s;
    }();
    return bytes;
}

// Blank lines up to the very end: the reader has to walk every byte.
const std::string& MillionBlankLinesThenFilters() {
    static const std::string bytes = std::string(kMillion, '\n') + "*.htm\r\n*.txt\r\n";
    return bytes;
}

void ReadList(benchmark::State& state, const std::string& bytes) {
    for (auto _ : state) benchmark::DoNotOptimize(ReadFilterRecords(bytes));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes.size()));
}

void BM_ListReaderMillionLines(benchmark::State& state) { ReadList(state, MillionLines()); }
void BM_ListReaderMillionBlankLines(benchmark::State& state) { ReadList(state, MillionBlankLinesThenFilters()); }
BENCHMARK(BM_ListReaderMillionLines)->Name("list_reader/1M_lines")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListReaderMillionBlankLines)->Name("list_reader/1M_blank_lines")->Unit(benchmark::kMillisecond);

// What a text box's change handler asks of the core for a 255-character text.
void Keystroke(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(HasInvalidFilterChar(text));
        benchmark::DoNotOptimize(MatchPattern("test.htm", text));
    }
}

std::string Repeated(const std::string& unit) {
    std::string s;
    while (s.size() < 255) s += unit;
    s.resize(255);
    return s;
}

void BM_KeystrokeStars(benchmark::State& state) { Keystroke(state, Repeated("*t")); }
void BM_KeystrokeLists(benchmark::State& state) { Keystroke(state, Repeated("[a-z]")); }
void BM_KeystrokeLetters(benchmark::State& state) { Keystroke(state, Repeated("test.htm*")); }
BENCHMARK(BM_KeystrokeStars)->Name("keystroke_255/stars")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeystrokeLists)->Name("keystroke_255/lists")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeystrokeLetters)->Name("keystroke_255/letters_and_stars")->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kvex::bench
