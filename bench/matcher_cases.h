#pragma once
// The matcher cases the benchmark times, and the peers it times them with.
#include <string>
#include <vector>

namespace kvex::bench {

struct MatcherCase {
    std::string name;
    std::string text;
    std::string pattern;
    std::string fnmatchPattern;  // the same pattern in fnmatch's syntax
    bool naiveFeasible;          // the backtracker finishes in reasonable time
};

// Builds the cases and checks that every peer gives the same answer on each;
// ends the program loudly when one does not, since timings of peers that
// disagree would compare nothing.
std::vector<MatcherCase> VerifiedMatcherCases();

void RegisterMatcherBenchmarks(const std::vector<MatcherCase>& cases);

// Benchmark names are "matcher/<case>/<peer>", each reported as the aggregates
// of this many runs, among them the fastest run under this name.
inline constexpr int kMatcherRepetitions = 9;
inline const char* const kFastestStatistic = "fastest";
inline const char* const kOurs = "ours";
inline const char* const kFnmatch = "fnmatch";
inline const char* const kNaive = "naive";

}  // namespace kvex::bench
