#include "shared/pattern_matcher.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <random>
#include <string>

#include "reference/reference_matcher.h"

namespace kvex {
namespace {

constexpr MatchResult kMatch = MatchResult::Match;
constexpr MatchResult kNoMatch = MatchResult::NoMatch;
constexpr MatchResult kInvalid = MatchResult::InvalidPattern;

using Texts = std::initializer_list<std::string>;

// A pattern with texts it must match and texts it must not.
void ExpectCases(const std::string& pattern, Texts matching, Texts notMatching) {
    for (const std::string& text : matching) EXPECT_EQ(MatchPattern(text, pattern), kMatch) << text << " ~ " << pattern;
    for (const std::string& text : notMatching) {
        EXPECT_EQ(MatchPattern(text, pattern), kNoMatch) << text << " !~ " << pattern;
    }
}

TEST(PatternMatcher, PatternMustCoverTheWholeTextAndCaseCounts) {
    ExpectCases("*.htm", {"test.htm", ".htm", "a.htm.htm"}, {"test.html", "TEST.HTM", "test.ht"});
    ExpectCases("*.HTM", {"A.HTM"}, {"test.htm"});
    ExpectCases("test.htm", {"test.htm"}, {"test", "Test.htm", "test.htm "});
    ExpectCases("", {""}, {"a"});
}

TEST(PatternMatcher, OneCharTokens) {
    ExpectCases("????.???", {"test.htm"}, {"tes.htm", ""});
    ExpectCases("file#.txt", {"file0.txt", "file9.txt"}, {"filex.txt", "file/.txt", "file:.txt", "file12.txt"});
}

TEST(PatternMatcher, StarsTakeAnyRunIncludingNone) {
    ExpectCases("*", {"", "anything at all"}, {});
    ExpectCases("a*b*c", {"abc", "axxbyyc"}, {"axxbyy", "bac"});
    ExpectCases("*ab?", {"abcabd"}, {"abcab"});  // the star must give up its first fit
    ExpectCases("m*iss*ppi", {"mississippi"}, {"mississipp"});
    ExpectCases("a**b", {"ab", "a*b"}, {"a"});
    ExpectCases("a*?", {"ab", "abc"}, {"a"});
    ExpectCases("*#*", {"a1b", "7"}, {"ab"});
}

TEST(PatternMatcher, ListsAndRangesByByteCode) {
    ExpectCases("[abc]", {"a", "c"}, {"d", "A", "ab"});
    ExpectCases("[!abc]", {"d", "A"}, {"b"});
    ExpectCases("[a-z]", {"a", "m", "z"}, {"M", "`", "{"});  // capitals are not in a-z
    ExpectCases("[A-z]", {"_", "A", "z"}, {"@"});             // "_" lies between "Z" and "a"
    ExpectCases("[a-c0-9x]", {"5", "x", "b"}, {"d"});
    ExpectCases("[a-a]", {"a"}, {"b"});  // equal ends are a range of one
    ExpectCases("[a-c]*.?tm", {"bat.htm"}, {"dat.htm"});
}

TEST(PatternMatcher, SpecialCharsAreLiteralInsideAListAndDashAtItsEnds) {
    ExpectCases("a[*]b", {"a*b"}, {"axb", "ab"});
    ExpectCases("[?#[]", {"?", "#", "["}, {"x", "1"});
    ExpectCases("[-a]", {"-", "a"}, {"b"});
    ExpectCases("[a-]", {"-", "a"}, {"b"});
    ExpectCases("[!-a]", {"b"}, {"-", "a"});
    ExpectCases("[a-c-]", {"-", "b"}, {"d"});  // after a range, a "-" that starts none is itself
}

TEST(PatternMatcher, CloseBracketAndBangAreOrdinaryOutsideAList) {
    ExpectCases("]", {"]"}, {"a"});
    ExpectCases("?!", {"x!"}, {"x"});
    ExpectCases("[a]]", {"a]"}, {"]"});  // the first "]" closes the list
}

// Corner cases the language leaves open, as this matcher settles them.
TEST(PatternMatcher, DecidedCornerCases) {
    // "[]" is an empty list: it needs one character and accepts none.
    ExpectCases("[]", {}, {"", "]", "a"});
    // "[!]" is the negated empty list: any one character.
    ExpectCases("[!]", {"x", "]"}, {"", "xy"});
    // So "]" can never be in a list: "[]a]" is the empty list followed by "a]".
    EXPECT_TRUE(IsValidPattern("[]a]"));
    ExpectCases("[]a]", {}, {"a]", "]", "xa]"});
    ExpectCases("[!]a]", {"xa]"}, {"a]"});
    // Nor end a range: "[a-]]" is the list a, - followed by "]".
    ExpectCases("[a-]]", {"-]", "a]"}, {"b]"});
    // A "!" after the first place of a list is an ordinary member.
    ExpectCases("[a!]", {"!", "a"}, {"b"});
    // A list's first "-" never starts a range: "[--0]" is "-" and "0".
    ExpectCases("[--0]", {"-", "0"}, {"."});
}

TEST(PatternMatcher, BytesCompareAsUnsignedCodes) {
    ExpectCases("[\x80-\xff]", {"\xe9", "\x80"}, {"e", "\x7f"});
    ExpectCases("[\x7f-\x80]", {"\x7f", "\x80"}, {"\xff"});
    ExpectCases("[!a-z]", {"\xe9"}, {"e"});
    ExpectCases("?.htm", {"\xff.htm"}, {});
    ExpectCases("a?b", {std::string("a\0b", 3)}, {"ab"});
    ExpectCases(std::string("a\0b", 3), {std::string("a\0b", 3)}, {"ab", "a b"});
}

TEST(PatternMatcher, MalformedPatternsAreRejectedWhateverTheText) {
    for (const char* pattern : {"[", "[abc", "a[b", "*.[ht", "[!", "[z-a]", "x[b-a]*", "[\x80-\x7f]",
                                "[a-c", "[a-", "ok*[9-0]"}) {
        EXPECT_FALSE(IsValidPattern(pattern)) << pattern;
        for (const char* text : {"", "test.htm", "[", "a[b", "zzzzz"}) {
            EXPECT_EQ(MatchPattern(text, pattern), kInvalid) << pattern << " / " << text;
        }
    }
    // The fault is found even after a part that already failed to match.
    EXPECT_EQ(MatchPattern("abc", "x*[q-p]"), kInvalid);
}

TEST(PatternMatcher, InvalidPatternErrorIsFixed) {
    const PatternError error = InvalidPatternError();
    EXPECT_EQ(error.number, 93);
    EXPECT_STREQ(error.description, "Invalid pattern string");
}

// The trial matches "test.htm" against a part and only asks whether the
// pattern was accepted.
TEST(PatternMatcher, TrialOfTypicalParts) {
    for (const char* part : {"*", "htm", "html", "*.htm", "test.htm", "#", "]", "[a-z]"}) {
        EXPECT_NE(MatchPattern("test.htm", part), kInvalid) << part;
    }
    for (const char* part : {"[", "[z-a]"}) EXPECT_EQ(MatchPattern("test.htm", part), kInvalid) << part;
    EXPECT_EQ(MatchPattern("test.htm", "#"), kNoMatch);  // usable although it does not fit the sample
}

TEST(PatternMatcher, LongPathologicalPatternsGiveTheRightAnswer) {
    std::string stars;  // "*a*a...*a*b": 255 characters
    while (stars.size() < 254) stars += "*a";
    stars.resize(254);
    stars += "b";
    ASSERT_EQ(stars.size(), 255u);
    const std::size_t as = 127;  // the "a" tokens it needs
    EXPECT_EQ(MatchPattern(std::string(255, 'a'), stars), kNoMatch);
    EXPECT_EQ(MatchPattern(std::string(as, 'a') + "b", stars), kMatch);
    EXPECT_EQ(MatchPattern(std::string(as - 1, 'a') + "b", stars), kNoMatch);
    EXPECT_EQ(MatchPattern(std::string(200, 'a') + "b", stars), kMatch);
    EXPECT_EQ(MatchPattern(std::string(200, 'a') + "ba", stars), kNoMatch);

    // A long text whose only mismatch is at its very end.
    const std::string text(254, 'x');
    EXPECT_EQ(MatchPattern(text + "y", "*x*x*x*x*y"), kMatch);
    EXPECT_EQ(MatchPattern(text + "x", "*x*x*x*x*y"), kNoMatch);
    EXPECT_EQ(MatchPattern(text + "y", std::string(254, '?') + "y"), kMatch);
    EXPECT_EQ(MatchPattern(text + "y", std::string(254, '?') + "x"), kNoMatch);
}

// Random patterns over the language's special characters, checked against a
// plain backtracking implementation.
TEST(PatternMatcher, AgreesWithReferenceOnRandomCases) {
    std::mt19937 random(20240501);
    const std::string patternAlphabet = "ab0*?#[]!-";
    const std::string textAlphabet = "ab0-]![";
    auto draw = [&](const std::string& alphabet, std::size_t maxLen) {
        std::string s(std::uniform_int_distribution<std::size_t>(0, maxLen)(random), ' ');
        for (char& c : s) c = alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(random)];
        return s;
    };
    int matches = 0;
    int invalids = 0;
    for (int round = 0; round < 40000; ++round) {
        const std::string pattern = draw(patternAlphabet, 9);
        const std::string text = draw(textAlphabet, 8);
        const MatchResult expected = reference::NaiveMatch(text, pattern);
        ASSERT_EQ(MatchPattern(text, pattern), expected) << "text '" << text << "' pattern '" << pattern << "'";
        ASSERT_EQ(IsValidPattern(pattern), expected != kInvalid) << pattern;
        matches += expected == kMatch;
        invalids += expected == kInvalid;
    }
    // The draw must exercise every outcome, or the comparison proves little.
    EXPECT_GT(matches, 1000);
    EXPECT_GT(invalids, 1000);
}

// Long runs of plain tokens between a few stars, and texts made from the
// pattern itself (then maybe spoiled by one byte), so both outcomes are common.
TEST(PatternMatcher, AgreesWithReferenceOnLongRuns) {
    std::mt19937 random(77);
    auto pick = [&](const char* set) { return set[std::uniform_int_distribution<std::size_t>(0, std::strlen(set) - 1)(random)]; };
    auto upTo = [&](int n) { return std::uniform_int_distribution<int>(0, n)(random); };
    int matches = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string pattern;
        std::string text;
        const int segments = 1 + upTo(3);
        for (int segment = 0; segment < segments; ++segment) {
            if (segment > 0) {
                pattern += '*';
                for (int k = upTo(5); k > 0; --k) text += pick("ab");
            }
            for (int k = upTo(20); k > 0; --k) {
                const char token = pick("aaaabbbb?#[");
                if (token == '[') {
                    pattern += "[!a]";
                    text += pick("b1");
                } else {
                    pattern += token;
                    text += token == '?' ? pick("ab1") : token == '#' ? pick("0123456789") : token;
                }
            }
        }
        if (!text.empty() && upTo(1) == 1) text[static_cast<std::size_t>(upTo(static_cast<int>(text.size()) - 1))] = pick("ab7");
        const MatchResult expected = reference::NaiveMatch(text, pattern);
        ASSERT_EQ(MatchPattern(text, pattern), expected) << "text '" << text << "' pattern '" << pattern << "'";
        matches += expected == kMatch;
    }
    EXPECT_GT(matches, 5000);
    EXPECT_LT(matches, 18000);
}

}  // namespace
}  // namespace kvex
