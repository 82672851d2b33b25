// Input: the pattern, a line feed, then the text (which may hold anything).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "reference/reference_matcher.h"
#include "core/pattern_matcher.h"
#include "core/unicode_text.h"

namespace kvex::testing {
namespace {


// Small enough that the backtracking reference always finishes quickly, and
// ASCII, where its bytes are characters.
bool ReferenceCanAfford(std::string_view text, std::string_view pattern) {
    return IsAscii(text) && IsAscii(pattern) && text.size() <= 40 && pattern.size() <= 40 && std::count(pattern.begin(), pattern.end(), '*') <= 4;
}

bool HasSpecial(std::string_view pattern) { return pattern.find_first_of("*?#[") != std::string_view::npos; }

}  // namespace
}  // namespace kvex::testing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kvex;
    using namespace kvex::testing;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = std::min(input.find('\n'), input.size());
    const std::string_view pattern = input.substr(0, split);
    const std::string_view text = input.substr(std::min(split + 1, input.size()));

    const MatchResult result = MatchPattern(text, pattern);
    FUZZ_CHECK(IsValidPattern(pattern) == (result != MatchResult::InvalidPattern));
    if (result == MatchResult::InvalidPattern) {
        // Malformed is malformed whatever the text.
        FUZZ_CHECK(MatchPattern("", pattern) == MatchResult::InvalidPattern);
        return 0;
    }
    if (ReferenceCanAfford(text, pattern)) FUZZ_CHECK(NaiveMatch(text, pattern) == result);
    if (!HasSpecial(pattern)) FUZZ_CHECK((result == MatchResult::Match) == (text == pattern));

    // A star at either end can only widen what matches.
    const std::string starFirst = "*" + std::string(pattern);
    const std::string starLast = std::string(pattern) + "*";
    if (result == MatchResult::Match) {
        FUZZ_CHECK(MatchPattern(text, starFirst) == MatchResult::Match);
        FUZZ_CHECK(MatchPattern(text, starLast) == MatchResult::Match);
        FUZZ_CHECK(MatchPattern(std::string(text) + "x", starLast) == MatchResult::Match);
    }
    return 0;
}
