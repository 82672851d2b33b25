// The matcher against glibc fnmatch and a naive recursive backtracker, on the
// patterns users type and on patterns built to hurt a backtracking matcher.
#include <benchmark/benchmark.h>
#include <fnmatch.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "matcher_cases.h"
#include "reference/reference_matcher.h"
#include "core/pattern_matcher.h"

namespace kvex::bench {

namespace {

// Our pattern in fnmatch's syntax: "#" becomes "[0-9]", lists copy over. A
// pattern fnmatch would read differently (a backslash, "[]" or "[!]", a list
// opening with "^", a "[:" class inside a list) has no translation.
std::optional<std::string> ToFnmatchPattern(const std::string& p) {
    std::string out;
    bool inList = false;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const char c = p[i];
        const char next = i + 1 < p.size() ? p[i + 1] : '\0';
        if (c == '\\') return std::nullopt;
        if (inList) {
            if (c == '[' && next != '\0' && std::strchr(":.=", next)) return std::nullopt;
            inList = c != ']';
            out += c;
        } else if (c == '[') {
            const std::size_t first = next == '!' ? i + 2 : i + 1;
            if (first < p.size() && (p[first] == ']' || p[first] == '^')) return std::nullopt;
            inList = true;
            out += c;
        } else if (c == '#') {
            out += "[0-9]";
        } else {
            out += c;
        }
    }
    return out;
}

MatchResult FnmatchResult(const MatcherCase& c) {
    const int r = fnmatch(c.fnmatchPattern.c_str(), c.text.c_str(), 0);
    if (r == 0) return MatchResult::Match;
    if (r == FNM_NOMATCH) return MatchResult::NoMatch;
    return MatchResult::InvalidPattern;
}

const char* Name(MatchResult r) {
    return r == MatchResult::Match ? "match" : r == MatchResult::NoMatch ? "no match" : "invalid";
}

[[noreturn]] void Disagree(const MatcherCase& c, const char* peer, MatchResult ours, MatchResult theirs) {
    std::fprintf(stderr, "kvex_bench: case %s: ours says %s, %s says %s; not timing peers that disagree\n",
                 c.name.c_str(), Name(ours), peer, Name(theirs));
    std::abort();
}

std::string Repeat(const std::string& s, std::size_t times) {
    std::string out;
    for (std::size_t k = 0; k < times; ++k) out += s;
    return out;
}

// 255 letters from a fixed little generator, so every run times the same text.
std::string LetterText(std::size_t n) {
    std::string text(n, 'a');
    unsigned state = 12345;
    for (char& ch : text) {
        state = state * 1103515245u + 12345u;
        ch = static_cast<char>('a' + (state >> 16) % 26);
    }
    return text;
}

// The text with every fifth byte turned into a star: same length, still matches.
std::string StarredCopy(std::string text) {
    for (std::size_t k = 2; k < text.size(); k += 5) text[k] = '*';
    return text;
}

std::vector<MatcherCase> BuildCases() {
    std::vector<MatcherCase> cases;
    auto add = [&](const char* name, std::string text, std::string pattern, bool naiveFeasible) {
        const auto translated = ToFnmatchPattern(pattern);
        if (!translated) {
            std::fprintf(stderr, "kvex_bench: case %s has no fnmatch form\n", name);
            std::abort();
        }
        cases.push_back({name, std::move(text), std::move(pattern), *translated, naiveFeasible});
    };
    // What users type.
    add("star_ext", "test.htm", "*.htm", true);
    add("star_ext_miss", "test.html", "*.htm", true);
    add("star_ext_html", "index.html", "*.html", true);
    add("literal", "test.htm", "test.htm", true);
    add("range_star_any", "bat.htm", "[a-c]*.?tm", true);
    add("negated_list", "photo.jpg", "[!a-c]*.jp?", true);
    add("digit_star", "7notes.txt", "#*.txt", true);
    add("digit_star_miss", "notes.txt", "#*.txt", true);
    add("long_name", "a_rather_long_file_name_for_a_web_page.html", "*.htm?", true);
    // Built to hurt.
    add("stars_missing_literal", std::string(40, 'a'), "*a*a*a*a*a*b", true);
    add("stars_late_literal", std::string(40, 'a') + "b", "*a*a*a*a*a*bc", true);
    add("stars_any_missing", std::string(40, 'a'), "*?*?*?*?*?b", true);
    add("late_mismatch_4k", std::string(4000, 'x') + ".htx", "*.htm", true);
    add("late_mismatch_list_4k", std::string(4000, 'x') + ".htx", "*.[a-h]t[!x]", true);
    add("restart_heavy_255", std::string(255, 'a'), "*" + std::string(100, 'a') + "b*", true);
    add("stars_255_pairs", std::string(255, 'a'), Repeat("*a", 127) + "b", false);
    const std::string letters = LetterText(255);
    add("stars_255_letters", letters, StarredCopy(letters), true);
    add("stars_255_letters_miss", letters.substr(0, 254) + (letters.back() == 'z' ? 'y' : 'z'),
        StarredCopy(letters), false);
    add("questions_255_miss", std::string(255, 'x'), std::string(254, '?') + "y", true);
    return cases;
}

}  // namespace

std::vector<MatcherCase> VerifiedMatcherCases() {
    std::vector<MatcherCase> cases = BuildCases();
    for (const MatcherCase& c : cases) {
        const MatchResult ours = MatchPattern(c.text, c.pattern);
        if (ours == MatchResult::InvalidPattern) Disagree(c, "the case table", ours, MatchResult::Match);
        const MatchResult theirs = FnmatchResult(c);
        if (theirs != ours) Disagree(c, kFnmatch, ours, theirs);
        if (c.naiveFeasible) {
            const MatchResult naive = testing::NaiveMatch(c.text, c.pattern);
            if (naive != ours) Disagree(c, kNaive, ours, naive);
        }
    }
    return cases;
}

void RegisterMatcherBenchmarks(const std::vector<MatcherCase>& cases) {
    // Repeated runs, judged by the fastest: load from elsewhere only ever adds
    // time, and a single run on a busy machine can be off by more than the
    // difference being measured.
    auto add = [](const std::string& name, auto body) {
        benchmark::RegisterBenchmark(name.c_str(), body)
            ->MinTime(0.05)
            ->Repetitions(kMatcherRepetitions)
            ->ComputeStatistics(kFastestStatistic,
                                [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); })
            ->ReportAggregatesOnly(true);
    };
    for (const MatcherCase& c : cases) {
        const std::string prefix = "matcher/" + c.name + "/";
        add(prefix + kOurs, [c](benchmark::State& state) {
            for (auto _ : state) benchmark::DoNotOptimize(MatchPattern(c.text, c.pattern));
        });
        add(prefix + kFnmatch, [c](benchmark::State& state) {
            for (auto _ : state) benchmark::DoNotOptimize(fnmatch(c.fnmatchPattern.c_str(), c.text.c_str(), 0));
        });
        if (c.naiveFeasible) {
            add(prefix + kNaive, [c](benchmark::State& state) {
                for (auto _ : state) benchmark::DoNotOptimize(testing::NaiveMatch(c.text, c.pattern));
            });
        }
    }
}

}  // namespace kvex::bench
