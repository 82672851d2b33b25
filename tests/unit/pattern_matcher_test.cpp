#include "shared/pattern_matcher.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "reference/reference_matcher.h"

namespace kvex {
namespace {

constexpr MatchResult kMatch = MatchResult::Match;
constexpr MatchResult kNoMatch = MatchResult::NoMatch;
constexpr MatchResult kInvalid = MatchResult::InvalidPattern;

TEST(PatternMatcher, PatternMustCoverTheWholeTextAndCaseCounts) {
    EXPECT_EQ(MatchPattern("test.htm", "*.htm"), kMatch);
    EXPECT_EQ(MatchPattern("test.htm", "*.HTM"), kNoMatch);
    EXPECT_EQ(MatchPattern("TEST.HTM", "*.htm"), kNoMatch);
    EXPECT_EQ(MatchPattern("test.htm", "test.htm"), kMatch);
    EXPECT_EQ(MatchPattern("test.html", "*.htm"), kNoMatch);
    EXPECT_EQ(MatchPattern("test.htm", "test"), kNoMatch);
    EXPECT_EQ(MatchPattern("test.htm", "htm"), kNoMatch);
    EXPECT_EQ(MatchPattern("", ""), kMatch);
    EXPECT_EQ(MatchPattern("a", ""), kNoMatch);
}

TEST(PatternMatcher, OneCharTokens) {
    EXPECT_EQ(MatchPattern("test.htm", "????.???"), kMatch);
    EXPECT_EQ(MatchPattern("test.htm", "???.???"), kNoMatch);
    EXPECT_EQ(MatchPattern("", "?"), kNoMatch);
    EXPECT_EQ(MatchPattern("file7.txt", "file#.txt"), kMatch);
    EXPECT_EQ(MatchPattern("filex.txt", "file#.txt"), kNoMatch);
    EXPECT_EQ(MatchPattern("0", "#"), kMatch);
    EXPECT_EQ(MatchPattern("9", "#"), kMatch);
    EXPECT_EQ(MatchPattern("/", "#"), kNoMatch);  // the byte before "0"
    EXPECT_EQ(MatchPattern(":", "#"), kNoMatch);  // the byte after "9"
    EXPECT_EQ(MatchPattern("12", "#"), kNoMatch);
}

TEST(PatternMatcher, StarsTakeAnyRunIncludingNone) {
    EXPECT_EQ(MatchPattern("", "*"), kMatch);
    EXPECT_EQ(MatchPattern("", "***"), kMatch);
    EXPECT_EQ(MatchPattern("anything at all", "*"), kMatch);
    EXPECT_EQ(MatchPattern(".htm", "*.htm"), kMatch);
    EXPECT_EQ(MatchPattern("a.htm.htm", "*.htm"), kMatch);
    EXPECT_EQ(MatchPattern("abc", "a*b*c"), kMatch);
    EXPECT_EQ(MatchPattern("axxbyyc", "a*b*c"), kMatch);
    EXPECT_EQ(MatchPattern("axxbyy", "a*b*c"), kNoMatch);
    EXPECT_EQ(MatchPattern("abcabd", "*ab?"), kMatch);  // the star must give up its first fit
    EXPECT_EQ(MatchPattern("mississippi", "*sip*"), kMatch);
    EXPECT_EQ(MatchPattern("mississippi", "m*iss*ppi"), kMatch);
    EXPECT_EQ(MatchPattern("mississippi", "m*iss*ppx"), kNoMatch);
    EXPECT_EQ(MatchPattern("ab", "a**b"), kMatch);
    EXPECT_EQ(MatchPattern("a", "a*?"), kNoMatch);
    EXPECT_EQ(MatchPattern("ab", "a*?"), kMatch);
    EXPECT_EQ(MatchPattern("a1b", "*#*"), kMatch);
    EXPECT_EQ(MatchPattern("ab", "*#*"), kNoMatch);
}

TEST(PatternMatcher, ListsAndRangesByByteCode) {
    EXPECT_EQ(MatchPattern("b", "[abc]"), kMatch);
    EXPECT_EQ(MatchPattern("d", "[abc]"), kNoMatch);
    EXPECT_EQ(MatchPattern("d", "[!abc]"), kMatch);
    EXPECT_EQ(MatchPattern("b", "[!abc]"), kNoMatch);
    EXPECT_EQ(MatchPattern("m", "[a-z]"), kMatch);
    EXPECT_EQ(MatchPattern("M", "[a-z]"), kNoMatch);  // capitals are not in a-z
    EXPECT_EQ(MatchPattern("m", "[A-Z]"), kNoMatch);
    EXPECT_EQ(MatchPattern("_", "[A-z]"), kMatch);  // "_" lies between "Z" and "a"
    EXPECT_EQ(MatchPattern("5", "[a-c0-9x]"), kMatch);
    EXPECT_EQ(MatchPattern("x", "[a-c0-9x]"), kMatch);
    EXPECT_EQ(MatchPattern("d", "[a-c0-9x]"), kNoMatch);
    EXPECT_EQ(MatchPattern("a", "[a-a]"), kMatch);  // equal ends are a range of one
    EXPECT_EQ(MatchPattern("bat.htm", "[a-c]*.?tm"), kMatch);
    EXPECT_EQ(MatchPattern("dat.htm", "[a-c]*.?tm"), kNoMatch);
    EXPECT_EQ(MatchPattern("ab", "[a][b]"), kMatch);
}

TEST(PatternMatcher, SpecialCharsStandForThemselvesInsideAList) {
    EXPECT_EQ(MatchPattern("?", "[?]"), kMatch);
    EXPECT_EQ(MatchPattern("x", "[?]"), kNoMatch);
    EXPECT_EQ(MatchPattern("*", "[*]"), kMatch);
    EXPECT_EQ(MatchPattern("ab", "[*]"), kNoMatch);
    EXPECT_EQ(MatchPattern("#", "[#]"), kMatch);
    EXPECT_EQ(MatchPattern("1", "[#]"), kNoMatch);
    EXPECT_EQ(MatchPattern("[", "[[]"), kMatch);
    EXPECT_EQ(MatchPattern("a*b", "a[*]b"), kMatch);
    EXPECT_EQ(MatchPattern("axb", "a[*]b"), kNoMatch);
}

TEST(PatternMatcher, DashIsLiteralAtEitherEndOfAList) {
    EXPECT_EQ(MatchPattern("-", "[-a]"), kMatch);
    EXPECT_EQ(MatchPattern("-", "[a-]"), kMatch);
    EXPECT_EQ(MatchPattern("a", "[a-]"), kMatch);
    EXPECT_EQ(MatchPattern("-", "[!-a]"), kNoMatch);
    EXPECT_EQ(MatchPattern("b", "[!-a]"), kMatch);
    EXPECT_EQ(MatchPattern("-", "[-]"), kMatch);
    EXPECT_EQ(MatchPattern("-", "[!-]"), kNoMatch);
    EXPECT_EQ(MatchPattern("-", "[a-c]"), kNoMatch);
    // After a range, a "-" that cannot start one is itself.
    EXPECT_EQ(MatchPattern("-", "[a-c-]"), kMatch);
    EXPECT_EQ(MatchPattern("b", "[a-c-]"), kMatch);
}

TEST(PatternMatcher, CloseBracketAndBangAreOrdinaryOutsideAList) {
    EXPECT_EQ(MatchPattern("]", "]"), kMatch);
    EXPECT_EQ(MatchPattern("a]", "a]"), kMatch);
    EXPECT_EQ(MatchPattern("!", "!"), kMatch);
    EXPECT_EQ(MatchPattern("x!", "?!"), kMatch);
    EXPECT_EQ(MatchPattern("a]", "[a]]"), kMatch);  // the first "]" closes the list
    EXPECT_EQ(MatchPattern("]", "[a]]"), kNoMatch);
}

// Corner cases the language leaves open, as this matcher settles them.
TEST(PatternMatcher, DecidedCornerCases) {
    // "[]" is an empty list: it needs one character and accepts none.
    EXPECT_EQ(MatchPattern("", "[]"), kNoMatch);
    EXPECT_EQ(MatchPattern("]", "[]"), kNoMatch);
    EXPECT_EQ(MatchPattern("a", "[]"), kNoMatch);
    EXPECT_EQ(MatchPattern("a", "a*[]"), kNoMatch);
    // "[!]" is the negated empty list: any one character.
    EXPECT_EQ(MatchPattern("x", "[!]"), kMatch);
    EXPECT_EQ(MatchPattern("]", "[!]"), kMatch);
    EXPECT_EQ(MatchPattern("", "[!]"), kNoMatch);
    EXPECT_EQ(MatchPattern("xy", "[!]"), kNoMatch);
    // So "]" can never be in a list: "[]a]" is the empty list followed by "a]".
    EXPECT_EQ(MatchPattern("a]", "[]a]"), kNoMatch);
    EXPECT_EQ(MatchPattern("]", "[]a]"), kNoMatch);
    EXPECT_EQ(MatchPattern("xa]", "[!]a]"), kMatch);
    EXPECT_TRUE(IsValidPattern("[]a]"));
    // "]" cannot end a range either: "[a-]]" is the list a, - followed by "]".
    EXPECT_EQ(MatchPattern("-]", "[a-]]"), kMatch);
    EXPECT_EQ(MatchPattern("b]", "[a-]]"), kNoMatch);
    // A "!" after the first place of a list is an ordinary member.
    EXPECT_EQ(MatchPattern("!", "[a!]"), kMatch);
    // A list's first "-" is never the start of a range: "[--0]" is "-" and "0".
    EXPECT_EQ(MatchPattern("-", "[--0]"), kMatch);
    EXPECT_EQ(MatchPattern("0", "[--0]"), kMatch);
    EXPECT_EQ(MatchPattern(".", "[--0]"), kNoMatch);
}

TEST(PatternMatcher, BytesCompareAsUnsignedCodes) {
    EXPECT_EQ(MatchPattern("\xe9", "?"), kMatch);
    EXPECT_EQ(MatchPattern("\xe9", "[\x80-\xff]"), kMatch);
    EXPECT_EQ(MatchPattern("e", "[\x80-\xff]"), kNoMatch);
    EXPECT_EQ(MatchPattern("\xe9", "[a-z]"), kNoMatch);
    EXPECT_EQ(MatchPattern("\xe9", "[!a-z]"), kMatch);
    EXPECT_EQ(MatchPattern("\x7f", "[\x7f-\x80]"), kMatch);
    EXPECT_EQ(MatchPattern("\x80", "[\x7f-\x80]"), kMatch);
    EXPECT_EQ(MatchPattern("\xff.htm", "*.htm"), kMatch);
    EXPECT_EQ(MatchPattern(std::string("a\0b", 3), "a?b"), kMatch);
    EXPECT_EQ(MatchPattern(std::string("a\0b", 3), std::string("a\0b", 3)), kMatch);
    EXPECT_EQ(MatchPattern("ab", std::string("a\0b", 3)), kNoMatch);
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
    auto usable = [](const char* part) { return MatchPattern("test.htm", part) != kInvalid; };
    EXPECT_TRUE(usable("*"));
    EXPECT_TRUE(usable("htm"));
    EXPECT_TRUE(usable("html"));
    EXPECT_TRUE(usable("*.htm"));
    EXPECT_TRUE(usable("test.htm"));
    EXPECT_TRUE(usable("#"));
    EXPECT_TRUE(usable("]"));
    EXPECT_TRUE(usable("[a-z]"));
    EXPECT_FALSE(usable("["));
    EXPECT_FALSE(usable("[z-a]"));
    EXPECT_EQ(MatchPattern("test.htm", "#"), kNoMatch);
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
