#pragma once
// The filter pattern language: ? any char, * any run, # a digit, [list] and
// [!list] one char in / not in the list (ranges a-z by character code).
// Texts are UTF-8 and compared by character (code point): letter case is
// significant. A byte that is no part of valid UTF-8 is one character of its
// own (see unicode_text.h).
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
// InvalidPattern whatever the text. O(len(text) * len(pattern)), no recursion;
// no allocation when both are ASCII.
MatchResult MatchPattern(std::string_view text, std::string_view pattern);

}  // namespace kvex
