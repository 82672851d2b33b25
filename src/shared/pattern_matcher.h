#pragma once
// The filter pattern language: ? any char, * any run, # a digit, [list] and
// [!list] one char in / not in the list (ranges a-z by byte code).
// Bytes are compared by unsigned code: letter case is significant.
// Inside a list ? * # [ stand for themselves, and "-" does at the start (after
// "!") or the end. "]" always closes a list: "[]" is the empty list and matches
// no character, "[!]" matches any one character. Outside a list "]" and "!" are
// ordinary characters.
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
// InvalidPattern whatever the text. O(len(text) * len(pattern)), no recursion,
// no allocation.
MatchResult MatchPattern(std::string_view text, std::string_view pattern);

}  // namespace kvex
