// The three libFuzzer targets; CMake builds this file once per target with
// KVEX_FUZZ_<TARGET> set. A failed invariant says which, then aborts so that
// libFuzzer keeps the input.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/combined_filter.h"
#include "core/filter_list_file.h"
#include "core/pattern_matcher.h"
#include "core/unicode_text.h"
#include "fakes/latin1.h"
#include "reference/reference_matcher.h"

#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: invariant failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)

namespace kvex::testing {


using Strings = std::vector<std::string>;

bool Holds(std::string_view s, char c) { return s.find(c) != std::string_view::npos; }

Strings Split(std::string_view text, char separator) {
    Strings pieces;
    for (;;) {
        const std::size_t at = text.find(separator);
        pieces.emplace_back(text.substr(0, at));
        if (at == std::string_view::npos) return pieces;
        text.remove_prefix(at + 1);
    }
}

// Input: the pattern, a line feed, then the text (which may hold anything).
void CheckMatcher(std::string_view input) {
    const std::size_t split = std::min(input.find('\n'), input.size());
    const std::string_view pattern = input.substr(0, split);
    const std::string_view text = input.substr(std::min(split + 1, input.size()));
    const MatchResult result = MatchPattern(text, pattern);
    FUZZ_CHECK(IsValidPattern(pattern) == (result != MatchResult::InvalidPattern));
    if (result == MatchResult::InvalidPattern) {
        FUZZ_CHECK(MatchPattern("", pattern) == MatchResult::InvalidPattern);  // whatever the text
        return;
    }
    // The backtracking reference finishes quickly on small ASCII inputs, where bytes are characters.
    if (IsAscii(text) && IsAscii(pattern) && text.size() <= 40 && pattern.size() <= 40 &&
        std::count(pattern.begin(), pattern.end(), '*') <= 4)
        FUZZ_CHECK(NaiveMatch(text, pattern) == result);
    if (pattern.find_first_of("*?#[") == std::string_view::npos)
        FUZZ_CHECK((result == MatchResult::Match) == (text == pattern));
}

// Input: the bytes of a list file.
void CheckListReader(std::string_view bytes) {
    const Strings records = ReadFilterRecords(bytes);
    FUZZ_CHECK(records.size() <= kMaxListRecords);
    bool anyComma = false;
    for (const std::string& record : records) {
        FUZZ_CHECK(!record.empty() && !Holds(" \t", record.front()) && !Holds(" \t", record.back()));
        FUZZ_CHECK(!Holds(record, '\r') && !Holds(record, '\n') && !Holds(record, '\0'));
        // A comma survives only inside a quoted record, which loses its quotes.
        FUZZ_CHECK(!(Holds(record, ',') && Holds(record, '"')));
        anyComma = anyComma || Holds(record, ',');
    }
    // What we write reads back as it was, once quoted commas have been split.
    const Strings once = ReadFilterRecords(FormatFilterLines(records));
    FUZZ_CHECK(ReadFilterRecords(FormatFilterLines(once)) == once);
    if (!anyComma) FUZZ_CHECK(once == records);
    // Whatever a file held, its text is written so that it reads back unchanged.
    const std::string text = DecodeListFile(bytes, Latin1());
    FUZZ_CHECK(ValidUtf8(text) == text);
    FUZZ_CHECK(DecodeListFile(EncodeListFile(text, Latin1()), Latin1()) == text);
}

// Input: the selected entries, one per line. The builder's result holds, in
// order, the first of each distinct non-empty item and nothing else; the
// label's folds letter case, so it never holds more.
void CheckCombine(std::string_view input) {
    const Strings entries = Split(input, '\n');
    const std::string result = GatherCombinedFilter(entries, ItemCase::Sensitive);
    Strings expected;
    std::set<std::string> seen;
    for (const std::string& entry : entries) {
        for (const std::string& item : Split(entry, ';'))
            if (!item.empty() && seen.insert(item).second) expected.push_back(item);
    }
    FUZZ_CHECK(expected.empty() ? result.empty() : Split(result, ';') == expected);
    FUZZ_CHECK(GatherCombinedFilter(entries, ItemCase::Insensitive).size() <= result.size());
}

}  // namespace kvex::testing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
#if defined(KVEX_FUZZ_fuzz_matcher)
    kvex::testing::CheckMatcher(input);
#elif defined(KVEX_FUZZ_fuzz_list_reader)
    kvex::testing::CheckListReader(input);
#else
    kvex::testing::CheckCombine(input);
#endif
    return 0;
}
