// Runs every benchmark, then sums up the matcher against fnmatch. The last
// line of the output is the one to read:
//   matcher: N cases, worst ratio ours/fnmatch R
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>
#include <string>

#include "matcher_cases.h"

namespace kvex::bench {
namespace {

// The console output as usual, plus the fastest repetition's CPU time kept by
// the benchmark's plain name.
class RecordingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (!run.error_occurred && run.run_type == Run::RT_Aggregate && run.aggregate_name == kFastestStatistic) {
                fastestCpuNanos_[run.run_name.function_name] = run.GetAdjustedCPUTime();
            }
        }
    }
    const std::map<std::string, double>& FastestCpuNanos() const { return fastestCpuNanos_; }

private:
    std::map<std::string, double> fastestCpuNanos_;  // matcher runs use the default unit, ns
};

void PrintMatcherSummary(const std::vector<MatcherCase>& cases, const std::map<std::string, double>& nanos) {
    auto timeOf = [&](const MatcherCase& c, const char* peer) {
        const auto it = nanos.find("matcher/" + c.name + "/" + peer);
        return it == nanos.end() ? -1.0 : it->second;
    };
    std::printf("\n%-24s %12s %12s %12s %8s\n", "matcher case (fastest ns)", kOurs, kFnmatch, kNaive, "ratio");
    std::size_t compared = 0;
    double worst = 0;
    for (const MatcherCase& c : cases) {
        const double ours = timeOf(c, kOurs);
        const double theirs = timeOf(c, kFnmatch);
        if (ours < 0 || theirs <= 0) continue;
        const double naive = timeOf(c, kNaive);
        const double ratio = ours / theirs;
        ++compared;
        worst = std::max(worst, ratio);
        std::printf("%-24s %12.1f %12.1f ", c.name.c_str(), ours, theirs);
        if (naive >= 0) {
            std::printf("%12.1f", naive);
        } else {
            std::printf("%12s", "-");
        }
        std::printf(" %8.2f\n", ratio);
    }
    std::printf("matcher: %zu cases, worst ratio ours/fnmatch %.2f\n", compared, worst);
}

}  // namespace
}  // namespace kvex::bench

int main(int argc, char** argv) {
    using namespace kvex::bench;
    const std::vector<MatcherCase> cases = VerifiedMatcherCases();
    RegisterMatcherBenchmarks(cases);
    // Repetitions of all benchmarks run interleaved, so a burst of load from
    // elsewhere hits both peers of a case rather than one of them; flags given
    // on the command line come later and win.
    std::vector<char*> args(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave);
    int argCount = static_cast<int>(args.size());
    benchmark::Initialize(&argCount, args.data());
    if (benchmark::ReportUnrecognizedArguments(argCount, args.data())) return 1;
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    PrintMatcherSummary(cases, reporter.FastestCpuNanos());
    return 0;
}
