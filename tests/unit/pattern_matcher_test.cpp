#include "core/pattern_matcher.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "reference/reference_matcher.h"

namespace kvex::testing {
namespace {

constexpr MatchResult kMatch = MatchResult::Match;
constexpr MatchResult kNoMatch = MatchResult::NoMatch;
constexpr MatchResult kInvalid = MatchResult::InvalidPattern;

struct Case {
    std::string pattern;
    std::initializer_list<std::string> matching;
    std::initializer_list<std::string> notMatching;
};

void ExpectCases(std::initializer_list<Case> cases) {
    for (const Case& c : cases) {
        for (const std::string& t : c.matching) EXPECT_EQ(MatchPattern(t, c.pattern), kMatch) << t << " ~ " << c.pattern;
        for (const std::string& t : c.notMatching) {
            EXPECT_EQ(MatchPattern(t, c.pattern), kNoMatch) << t << " !~ " << c.pattern;
        }
    }
}

TEST(PatternMatcher, Tokens) {
    ExpectCases({
        {"*.htm", {"test.htm", ".htm", "a.htm.htm"}, {"test.html", "TEST.HTM", "test.ht"}},
        {"test.htm", {"test.htm"}, {"test", "Test.htm", "test.htm "}},
        {"", {""}, {"a"}},
        {"????.???", {"test.htm"}, {"tes.htm", ""}},
        {"file#.txt", {"file0.txt", "file9.txt"}, {"filex.txt", "file/.txt", "file:.txt", "file12.txt"}},
        {"*", {"", "anything at all"}, {}},
        {"a*b*c", {"abc", "axxbyyc"}, {"axxbyy", "bac"}},
        {"*ab?", {"abcabd"}, {"abcab"}},  // the star must give up its first fit
        {"m*iss*ppi", {"mississippi"}, {"mississipp"}},
        {"a**b", {"ab", "a*b"}, {"a"}},
        // The byte search must reach the last candidate after its first short scan.
        {"*b*", {"xxxxxxxxb", std::string(40, 'x') + "b"}, {std::string(40, 'x')}},
        // Lists, ranges, literals and byte codes.
        {"[abc]", {"a", "c"}, {"d", "A", "ab"}},
        {"[!abc]", {"d", "A"}, {"b"}},
        {"[a-z]", {"a", "m", "z"}, {"M", "`", "{"}},  // capitals are not in a-z
        {"[A-z]", {"_", "A", "z"}, {"@"}},             // "_" lies between "Z" and "a"
        {"[a-c0-9x]", {"5", "x", "b"}, {"d"}},
        {"[a-a]", {"a"}, {"b"}},  // equal ends are a range of one
        {"a[*]b", {"a*b"}, {"axb", "ab"}},
        {"[?#[]", {"?", "#", "["}, {"x", "1"}},
        {"[-a]", {"-", "a"}, {"b"}},
        {"[a-]", {"-", "a"}, {"b"}},
        {"[!-a]", {"b"}, {"-", "a"}},
        {"[a-c-]", {"-", "b"}, {"d"}},  // after a range, a "-" that starts none is itself
        {"]", {"]"}, {"a"}},
        {"?!", {"x!"}, {"x"}},
        {"[a]]", {"a]"}, {"]"}},  // the first "]" closes the list
        // UTF-8 text is matched by character: а..я are D0 B0..D1 8F.
        {"\xD1\x84?\xD0\xBB.*", {"\xD1\x84\xD0\xB8\xD0\xBB.txt", "\xD1\x84x\xD0\xBB."}, {"\xD1\x84\xD0\xBB."}},
        {"[\xD0\xB0-\xD1\x8F]#", {"\xD0\xB6" "1", "\xD1\x8F" "9"}, {"\xD0\x96" "1", "a1", "\xD0\xB6"}},
        {"[!\xD0\xB6]", {"\xD0\xB7", "\xF0\x9F\x98\x80"}, {"\xD0\xB6", "\xD0\xB6x"}},
        {"*\xD0\xB6*", {"\xD0\xB0\xD0\xB0\xD0\xB6"}, {"\xD0\xB0\xD0\xB0"}},       // the last candidate, а а ж
        {"?.[!a]", {"\xC3\xA9.\xD0\xB6"}, {"\xC3\xA9\xC3\xA9.\xD0\xB6"}},  // an ASCII pattern, é.ж
        {"*\xE6\x97\xA5?", {"\xE6\x97\xA5\xE6\x9C\xAC", "a\xE6\x97\xA5" "b"}, {"\xE6\x97\xA5", "\xE6\x97\xA5\xE6\x9C"}},
        // A stray byte is one character, compared as 0xDC00 + its value.
        {"[\x80-\xff]", {"\xe9", "\x80"}, {"e", "\x7f", "\xC3\xA9"}},
        {"[\x7f-\x80]", {"\x7f", "\x80"}, {"\xff"}},
        {"[!a-z]", {"\xe9"}, {"e"}},
        {"a?b", {std::string("a\0b", 3)}, {"ab"}},
        {std::string("a\0b", 3), {std::string("a\0b", 3)}, {"ab", "a b"}},
        // Corner cases the language leaves open, as this matcher settles them.
        {"[]", {}, {"", "]", "a"}},          // the empty list needs one character and accepts none
        {"[!]", {"x", "]"}, {"", "xy"}},     // its negation is any one character
        {"[]a]", {}, {"a]", "]", "xa]"}},    // so "]" is never in a list
        {"[!]a]", {"xa]"}, {"a]"}},
        {"[a-]]", {"-]", "a]"}, {"b]"}},     // nor ends a range
        {"[a!]", {"!", "a"}, {"b"}},         // "!" after the first place is a member
        {"[--0]", {"-", "0"}, {"."}},        // a list's first "-" never starts a range
    });
}

TEST(PatternMatcher, UnclosedListsAndDescendingRangesAreRejectedWhateverTheText) {
    for (const char* pattern : {"[", "[abc", "a[b", "*.[ht", "[!", "[a-", "[z-a]", "x[b-a]*", "[\x80-\x7f]",
                                "[\xD1\x8F-\xD0\xB0]"}) {  // я-а runs downwards
        EXPECT_FALSE(IsValidPattern(pattern)) << pattern;
        for (const char* text : {"", "test.htm", "a[b"}) {
            EXPECT_EQ(MatchPattern(text, pattern), kInvalid) << pattern << " / " << text;
        }
    }
    // The fault is found even after a part that already failed to match.
    EXPECT_EQ(MatchPattern("abc", "x*[q-p]"), kInvalid);
}

TEST(PatternMatcher, LongPathologicalPatternsGiveTheRightAnswer) {
    std::string stars;  // "*a*a...*a*b": 255 characters, 127 "a" tokens
    while (stars.size() < 254) stars += "*a";
    stars += "b";
    EXPECT_EQ(MatchPattern(std::string(255, 'a'), stars), kNoMatch);
    EXPECT_EQ(MatchPattern(std::string(127, 'a') + "b", stars), kMatch);
    EXPECT_EQ(MatchPattern(std::string(126, 'a') + "b", stars), kNoMatch);
    EXPECT_EQ(MatchPattern(std::string(200, 'a') + "ba", stars), kNoMatch);
    // A long text whose only mismatch is at its very end.
    const std::string text(254, 'x');
    EXPECT_EQ(MatchPattern(text + "y", "*x*x*x*x*y"), kMatch);
    EXPECT_EQ(MatchPattern(text + "x", "*x*x*x*x*y"), kNoMatch);
    EXPECT_EQ(MatchPattern(text + "y", std::string(254, '?') + "x"), kNoMatch);
}

// Checked against a plain backtracking implementation on two kinds of random
// input: short patterns over every special character, and long runs of plain
// tokens between a few stars with texts made from the pattern (then maybe
// spoiled by one byte), so that every outcome is common.
TEST(PatternMatcher, AgreesWithAPlainBacktrackerOnRandomCases) {
    std::mt19937 random(20240501);
    auto pick = [&](const char* set) { return set[std::uniform_int_distribution<std::size_t>(0, std::strlen(set) - 1)(random)]; };
    auto upTo = [&](int n) { return std::uniform_int_distribution<int>(0, n)(random); };
    int outcomes[2][3] = {};
    for (int round = 0; round < 60000; ++round) {
        const bool longRuns = round % 3 == 0;
        std::string pattern, text;
        if (!longRuns) {
            for (int k = upTo(9); k > 0; --k) pattern += pick("ab0*?#[]!-");
            for (int k = upTo(8); k > 0; --k) text += pick("ab0-]![");
        } else {
            for (int segment = 0, segments = 1 + upTo(3); segment < segments; ++segment) {
                if (segment > 0) {
                    pattern += '*';
                    for (int k = upTo(5); k > 0; --k) text += pick("ab");
                }
                for (int k = upTo(20); k > 0; --k) {
                    const char token = pick("aaaabbbb?#[");
                    pattern += token == '[' ? std::string("[!a]") : std::string(1, token);
                    text += token == '[' ? pick("b1") : token == '?' ? pick("ab1") : token == '#' ? pick("0123456789") : token;
                }
            }
            if (!text.empty() && upTo(1) == 1) text[static_cast<std::size_t>(upTo(static_cast<int>(text.size()) - 1))] = pick("ab7");
        }
        const MatchResult expected = NaiveMatch(text, pattern);
        ASSERT_EQ(MatchPattern(text, pattern), expected) << "text '" << text << "' pattern '" << pattern << "'";
        ASSERT_EQ(IsValidPattern(pattern), expected != kInvalid) << pattern;
        ++outcomes[longRuns][static_cast<int>(expected)];
    }
    for (int count : outcomes[0]) EXPECT_GT(count, 1000);
    EXPECT_GT(outcomes[1][static_cast<int>(kMatch)], 5000);
    EXPECT_GT(outcomes[1][static_cast<int>(kNoMatch)], 2000);
}

}  // namespace
}  // namespace kvex::testing
