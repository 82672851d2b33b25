#pragma once
// The filter pattern language: ? any char, * any run, # a digit, [list] and
// [!list] one char in / not in the list (ranges a-z by byte code).
// Bytes are compared by unsigned code: letter case is significant.
#include <string_view>

namespace kvex {

enum class MatchResult { NoMatch, Match, InvalidPattern };

// Number and one-line description of the invalid-pattern error.
struct PatternError {
    int number;
    const char* description;
};
PatternError InvalidPatternError();

// True when the pattern is well formed (every "[" closed, no descending range).
bool IsValidPattern(std::string_view pattern);

// The pattern must cover the whole text. A malformed pattern gives
// InvalidPattern whatever the text. O(len(text) * len(pattern)), no recursion.
MatchResult MatchPattern(std::string_view text, std::string_view pattern);

}  // namespace kvex
