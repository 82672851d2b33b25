// The core's rules: the pattern matcher (against a plain reference), per-thread
// state, filter text, combining, sorting, reading and writing list files,
// and where a remembered window opens again.
#include "core/app_state.h"
#include "core/combined_filter.h"
#include "core/filter_list_file.h"
#include "core/filter_text.h"
#include "core/pattern_matcher.h"
#include "core/string_sort.h"
#include "core/unicode_text.h"
#include "core/window_fit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cwctype>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "fakes/latin1.h"
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
        for (const std::string& t : c.notMatching) EXPECT_EQ(MatchPattern(t, c.pattern), kNoMatch) << t << " !~ " << c.pattern;
    }
}

TEST(PatternMatcher, Tokens) {
    ExpectCases({
        {"*.htm", {"test.htm", ".htm", "a.htm.htm"}, {"test.html", "TEST.HTM", "test.ht"}},
        {"file#.txt", {"file0.txt", "file9.txt"}, {"filex.txt", "file/.txt", "file:.txt", "file12.txt"}},
        // The byte search must reach the last candidate after its first short scan.
        {"*b*", {"xxxxxxxxb", std::string(40, 'x') + "b"}, {std::string(40, 'x')}},
        // Lists, ranges, literals and byte codes.
        {"[!abc]", {"d", "A", "!"}, {"b"}},
        {"[-a]", {"-", "a"}, {"b"}},
        // UTF-8 text is matched by character: а..я are D0 B0..D1 8F.
        {"\xD1\x84?\xD0\xBB.*", {"\xD1\x84\xD0\xB8\xD0\xBB.txt", "\xD1\x84x\xD0\xBB."}, {"\xD1\x84\xD0\xBB."}},
        {"[\xD0\xB0-\xD1\x8F]#", {"\xD0\xB6" "1", "\xD1\x8F" "9"}, {"\xD0\x96" "1", "a1", "\xD0\xB6"}},
        {"[!\xD0\xB6]", {"\xD0\xB7", "\xF0\x9F\x98\x80"}, {"\xD0\xB6", "\xD0\xB6x"}},
        {"*\xD0\xB6*", {"\xD0\xB0\xD0\xB0\xD0\xB6"}, {"\xD0\xB0\xD0\xB0"}},       // the last candidate, а а ж
        {"?.[!a]", {"\xC3\xA9.\xD0\xB6"}, {"\xC3\xA9\xC3\xA9.\xD0\xB6"}},  // an ASCII pattern, é.ж
        {"?.txt", {"\xC3\xA9.txt"}, {"\xC3\xA9\xC3\xA9.txt"}},
        {"*\xE6\x97\xA5?", {"\xE6\x97\xA5\xE6\x9C\xAC", "a\xE6\x97\xA5" "b"}, {"\xE6\x97\xA5", "\xE6\x97\xA5\xE6\x9C"}},
        // A stray byte is one character, compared as 0xDC00 + its value.
        {"[\x80-\xff]", {"\xe9", "\x80"}, {"e", "\x7f", "\xC3\xA9"}},
        {"[\x7f-\x80]", {"\x7f", "\x80"}, {"\xff"}},
        {"[!a-z]", {"\xe9"}, {"e"}},
        {"[!\x80]", {"\xC2\x80"}, {"\x80"}},  // U+0080 is not the stray byte 80
        {"*\x80", {"a\x80"}, {"\xC2\x80"}},
        {"a?b", {std::string("a\0b", 3)}, {"ab"}},
        {std::string("a\0b", 3), {std::string("a\0b", 3)}, {"ab", "a b"}},
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
    // The fault is found even after a part that already failed to match, and
    // in a pattern cut from a longer text whose "]" lies beyond its end.
    EXPECT_EQ(MatchPattern("abc", "x*[q-p]"), kInvalid);
    EXPECT_EQ(MatchPattern("a", std::string_view("[ab;*]").substr(0, 3)), kInvalid);
}

// Against the reference on short patterns over every special character, and on
// long runs between stars with texts made from the pattern, maybe spoiled.
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

TEST(AppState, EachThreadHasItsOwnState) {
    ThreadState().gsDefaultFilter = "*.txt";
    std::string seenByOther = "unset";
    std::thread other([&] {
        seenByOther = ThreadState().gsDefaultFilter;
        ThreadState().gsDefaultFilter = "*.c";
    });
    other.join();
    EXPECT_EQ(seenByOther, "");
    EXPECT_EQ(ThreadState().gsDefaultFilter, "*.txt");
    ThreadState() = SharedState{};
}

const std::string kInvalidChars = "/\\:,\"<>|;";

TEST(InvalidFilterChars, TheNineAreRefusedAnywhereAndEveryOtherByteIsAllowed) {
    for (char c : kInvalidChars) {
        EXPECT_TRUE(HasInvalidFilterChar(std::string(1, c))) << c;
        EXPECT_TRUE(HasInvalidFilterChar(std::string("*.ht") + c + "m")) << c;
    }
    std::string allowed(1, '\0');
    for (int b = 1; b < 256; ++b) {
        if (kInvalidChars.find(static_cast<char>(b)) == std::string::npos) allowed += static_cast<char>(b);
    }
    EXPECT_FALSE(HasInvalidFilterChar(allowed));
}

TEST(SplitFilterParts, FirstTwoPiecesAtThePoints) {
    const struct {
        const char* filter;
        const char* name;
        std::optional<std::string> extension;
    } cases[] = {{"*.htm", "*", "htm"}, {"my.page.htm", "my", "page"}, {"readme", "readme", {}},
                 {".htm", "", "htm"},   {"name.", "name", ""},          {"a..b", "a", ""}};
    for (const auto& c : cases) {
        const FilterParts parts = SplitFilterParts(c.filter);
        EXPECT_EQ(parts.name, c.name) << c.filter;
        EXPECT_EQ(parts.extension, c.extension) << c.filter;
    }
}

constexpr ItemCase kBuilder = ItemCase::Sensitive;  // the new entry
constexpr ItemCase kLabel = ItemCase::Insensitive;  // the length label

// Items join in list order, the first of equal ones stays; items compare
// whole, and empty ones never appear.
TEST(CombinedFilter, JoinsWholeItemsInListOrderKeepingTheFirstOfEach) {
    const struct {
        std::vector<std::string> entries;
        ItemCase itemCase;
        std::string combined;
    } cases[] = {
        {{"*.htm;*.html", "*.txt"}, kBuilder, "*.htm;*.html;*.txt"},
        {{"*.htm;*.html", "*.htm"}, kBuilder, "*.htm;*.html"},
        {{"b", "a", "b"}, kBuilder, "b;a"},
        {{"a", "b", "a;c"}, kLabel, "a;b;c"},
        {{}, kBuilder, ""},
        {{"a*.htm", "*.htm"}, kBuilder, "a*.htm;*.htm"},
        {{"*.html", "*.htm", "htm"}, kBuilder, "*.html;*.htm;htm"},
        {{"A*.htm", "*.HTM"}, kLabel, "A*.htm;*.HTM"},
        // Letter case counts for the builder, not for the label, which folds
        // Latin, Greek, Cyrillic, Armenian and fullwidth letters alike.
        {{"*.htm", "*.HTM"}, kBuilder, "*.htm;*.HTM"},
        {{"*.htm", "*.HTM"}, kLabel, "*.htm"},
        {{"\xC3\xA9.x", "\xC3\x89.x"}, kBuilder, "\xC3\xA9.x;\xC3\x89.x"},      // é, É
        {{"\xD0\x96.\xCE\xA3", "\xD0\xB6.\xCF\x83", "\xC5\x81.\xEF\xBC\xA1", "\xC5\x82.\xEF\xBD\x81"},
         kLabel, "\xD0\x96.\xCE\xA3;\xC5\x81.\xEF\xBC\xA1"},                  // Ж.Σ ж.σ Ł.Ａ ł.ａ
        {{"\xD0\x81", "\xD1\x91", "\xD3\x80", "\xD3\x8F", "\xC5\xBF", "S"}, kLabel, "\xD0\x81;\xD3\x80;\xC5\xBF"},  // Ёё Ӏӏ ſS
        {{"\xC5\xBD", "\xC5\xBE", "\xD3\x90", "\xD3\x91"}, kLabel, "\xC5\xBD;\xD3\x90"},  // Žž Ӑӑ
        {{"\xC3\x9F", "\xE1\xBA\x9E"}, kLabel, "\xC3\x9F;\xE1\xBA\x9E"},       // ß and ẞ are left alone
        {{"*.\xc9", "*.\xe9"}, kLabel, "*.\xc9;*.\xe9"},                               // stray bytes do not fold
        {{"*.[A-Z]", "*.[a-z]"}, kLabel, "*.[A-Z]"},
        {{"a;;b;", "", ";c"}, kBuilder, "a;b;c"},
        {{"", ";"}, kLabel, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GatherCombinedFilter(c.entries, c.itemCase), c.combined) << c.combined;
    }
}

using Strings = std::vector<std::string>;

// Lower first: by UTF-16 code unit, a prefix first. U+1F600 (the pair D83D
// DE00) sorts below U+FF21 though its UTF-8 sorts above; stray bytes come last.
// Lengths count units at each UTF-8 length's edges; a byte of no valid sequence
// (overlong, a surrogate, past U+10FFFF, cut short) is a character of its own.
TEST(Utf16Units, OrderComparesCodeUnitsWithPrefixFirstAndLengthCountsStrayBytesAsOneEach) {
    for (const auto& [lower, higher] : std::initializer_list<std::pair<const char*, const char*>>{
             {"*.htm", "*.html"}, {"Z", "a"}, {"z", "\xC3\xA9"}, {"x\xC3\xA9", "x\xD0\x96"},
             {"a\xF0\x9F\x98\x80", "a\xEF\xBC\xA1"}, {"\xED\x9F\xBF", "\xF0\x9F\x98\x80"}, {"z", "\xe9"},
             {"\x7F", "\xC2\x80"}, {"\xF0\x90\x80\x80", "\xEE\x80\x80"}}) {
        EXPECT_TRUE(OrdinalLess(lower, higher)) << lower;
        EXPECT_FALSE(OrdinalLess(higher, lower)) << higher;
    }
    EXPECT_FALSE(OrdinalLess("a", "a"));
    for (const auto& [text, units] : std::initializer_list<std::pair<const char*, std::size_t>>{
             {"\x7F", 1}, {"\xC2\x80", 1}, {"\xDF\xBF", 1}, {"\xE0\xA0\x80", 1}, {"\xEF\xBF\xBF", 1},
             {"\xF0\x90\x80\x80", 2}, {"\xF4\x8F\xBF\xBF", 2}, {"\xC0\xAF", 2}, {"\xED\xA0\x80", 3},
             {"\xF4\x90\x80\x80", 4}, {"\xE2\x82", 2}, {"\x80", 1}})
        EXPECT_EQ(Utf16Length(text), units) << text;
}

// Capitals fold to the small letters Unicode pairs them with (the C library
// knows the pairs) in the scripts filters are written in; final sigma and
// long s fold as σ and s. Archaic Greek and other scripts keep their case.
TEST(FoldCase, CapitalsFoldToTheirSmallLetters) {
    const std::string previous = std::setlocale(LC_CTYPE, nullptr);
    ASSERT_TRUE(std::setlocale(LC_CTYPE, "C.UTF-8"));
    for (const auto& [first, last] : std::initializer_list<std::pair<char32_t, char32_t>>{
             {0x0000, 0x017F}, {0x0386, 0x03CE}, {0x03D8, 0x03EF}, {0x0400, 0x058F}, {0xFF00, 0xFF5F}})
        for (char32_t c = first; c <= last; ++c) {
            const auto small = c == 0x03C2 ? 0x03C3 : c == 0x017F ? 's' : std::towlower(static_cast<wint_t>(c));
            EXPECT_EQ(FoldCase(c), static_cast<char32_t>(small)) << std::hex << static_cast<unsigned>(c);
        }
    std::setlocale(LC_CTYPE, previous.c_str());
}

// Random, all-equal and reversed input, where a partition goes wrong on equal
// keys or the hole.
TEST(QuickSortStrings, AgreesWithStdSort) {
    std::mt19937 random(99);
    std::vector<Strings> inputs;
    for (int round = 0; round < 500; ++round) {
        Strings a(std::uniform_int_distribution<std::size_t>(0, round < 50 ? 4 : 200)(random));
        for (std::string& s : a) {
            s.resize(std::uniform_int_distribution<std::size_t>(0, 3)(random));
            for (char& c : s) c = "aAb*\xe9"[std::uniform_int_distribution<int>(0, 4)(random)];
        }
        inputs.push_back(a);
    }
    inputs.push_back(Strings(500, "*.htm"));
    inputs.emplace_back();
    for (int k = 999; k >= 0; --k) inputs.back().push_back(std::to_string(100000 + k));
    for (Strings& a : inputs) {
        Strings expected = a;
        std::sort(expected.begin(), expected.end(), OrdinalLess);
        QuickSortStrings(a, 0, static_cast<long>(a.size()) - 1);
        ASSERT_EQ(a, expected);
    }
}

TEST(FilterListReader, RecordsEndAtLineEndsAndCommasAndAreTrimmed) {
    const struct {
        std::string bytes;
        Strings records;
    } cases[] = {
        {"*.htm\r\n*.txt\r\n", {"*.htm", "*.txt"}},
        {"*.htm\n*.txt\r*.c", {"*.htm", "*.txt", "*.c"}},  // LF, a lone CR, no final line end
        {"*.htm,*.txt\r\na;b", {"*.htm", "*.txt", "a;b"}},  // combined filters stay whole
        {"  *.htm \t\r\n\r\n \t \r\n,,a b\n", {"*.htm", "a b"}},
        {"\r\n\r\n\n\r,", {}},
        {"", {}},
        // A quoted record runs to its closing quote; a line end closes even an unclosed one.
        {"\"a,b\"\r\nc", {"a,b", "c"}},
        {"  \" x \" dropped,next", {"x", "next"}},
        {"\"\",x", {"x"}},
        {"\"open,still\r\nnext", {"open,still", "next"}},
        {"a\"b,c", {"a\"b", "c"}},  // a quote that does not open the record is a byte
        // NUL bytes are dropped wherever they stand.
        {std::string("*.h\0tm\r\n\0\r\n", 11), {"*.htm"}},
        {std::string("\0 \"a,b\"", 7), {"a,b"}},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadFilterRecords(c.bytes), c.records) << c.bytes;
}

// A record keeps its first 32 KiB UTF-16 units and drops the rest up to its
// end, never half a character: a file without line ends stays quick to show.
TEST(FilterListReader, CapsARecordAtItsFirst32KiBCharacters) {
    const std::size_t cap = 32 * 1024;
    const struct {
        std::string unit;  // one character, repeated past the cap
        std::size_t count, kept;
    } cases[] = {{"x", cap, cap}, {"x", cap + 1, cap}, {"\xD0\x96", cap + 5, cap},
                 {"\xF0\x9F\x98\x80", cap / 2 + 1, cap / 2}};
    for (const auto& c : cases) {
        std::string line;
        for (std::size_t k = 0; k < c.count; ++k) line += c.unit;
        const Strings records = ReadFilterRecords(line + "\r\ny");
        ASSERT_EQ(records.size(), 2u);
        EXPECT_EQ(records[0].size(), c.kept * c.unit.size());
        EXPECT_EQ(records[0].substr(records[0].size() - c.unit.size()), c.unit);
        EXPECT_EQ(records[1], "y");
    }
}

// Written ANSI while the code page holds every character, else UTF-8 with a
// mark; read, a mark tells UTF-8 or UTF-16LE and anything else is ANSI.
TEST(ListFileEncoding, WrittenAnsiOrUtf8AndReadByItsMark) {
    const struct {
        std::string bytes;
        std::string text;  // "?" stands for U+FFFD
        bool written;      // the bytes the writer makes of the text
    } cases[] = {
        {"*.htm\r\n", "*.htm\r\n", true},
        {"caf\xE9.*\r\n", "caf\xC3\xA9.*\r\n", true},  // é fits the code page, Ж does not
        {"\xEF\xBB\xBF" "caf\xC3\xA9.*\r\n\xD0\x96.*\r\n", "caf\xC3\xA9.*\r\n\xD0\x96.*\r\n", true},
        {"\xEF\xBB\xBF\xC3\xAF\xC2\xBB\xC2\xBF.x\r\n", "\xC3\xAF\xC2\xBB\xC2\xBF.x\r\n", true},  // ANSI that reads as a mark
        {"\xEF\xBB\xBF" "a\xFF" "b", "a?b", false},
        // Overlong forms, surrogates, codes past U+10FFFF and cut sequences are stray bytes; the
        // two-byte range's ends and the smallest three-byte character are not.
        {"\xEF\xBB\xBF\xC0\x80\xED\xA0\x80\xF4\x90\x80\x80\xF5\x80\x80\x80\x84\x80\x80\x80\xE2\x82",
         std::string(19, '?'), false},
        {"\xEF\xBB\xBF\xC2\x80\xDF\xBF\xE0\xA0\x80", "\xC2\x80\xDF\xBF\xE0\xA0\x80", false},
        {std::string("\xFF\xFE\x16\x04\r\0\n\0", 8), "\xD0\x96\r\n", false},  // UTF-16LE Ж
        {std::string("\xFF\xFE\x3D\xD8\x00\xDE\x00\xD8x", 9), "\xF0\x9F\x98\x80?", false},  // pair, lone half and odd byte
        {std::string("\xFF\xFE\x00\x08\xFF\xDB\xFF\xDF\x00\xD8\x00\xDC", 12),
         "\xE0\xA0\x80\xF4\x8F\xBF\xBF\xF0\x90\x80\x80", false},  // U+0800, U+10FFFF, U+10000
        {"\xD0\x96", "\xC3\x90\xC2\x96", false},  // no mark: ANSI
    };
    for (const auto& c : cases) {
        std::string text;
        for (char ch : c.text) text += ch == '?' ? std::string("\xEF\xBF\xBD") : std::string(1, ch);
        EXPECT_EQ(DecodeListFile(c.bytes, Latin1()), text) << c.text;
        EXPECT_TRUE(!c.written || EncodeListFile(text, Latin1()) == c.bytes) << c.text;
    }
    // A file's last half pair is not paired with whatever byte lies beyond its end.
    EXPECT_EQ(DecodeListFile(std::string_view("\xFF\xFE\x3D\xD8\x00\xDC", 5), Latin1()), "\xEF\xBF\xBD");
}

using core::Edges;
using core::Placement;
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

// Edges as a tuple, which the test output prints.
auto Tied(const Edges& e) { return std::make_tuple(e.left, e.top, e.right, e.bottom); }

TEST(WindowFit, KeepsTheSizeAndMovesJustEnoughToBeWhole) {
    const Edges work{0, 40, 1280, 1024};  // a taskbar along the top
    struct Case {
        const char* what;
        Placement saved;
        Edges want;
    } cases[] = {
        {"inside: unchanged", {100, 100, 700, 480}, {100, 100, 800, 580}},
        {"on a screen since unplugged", {-1900, 30, 700, 480}, {0, 40, 700, 520}},
        {"partly off the right and bottom", {1000, 900, 700, 480}, {580, 544, 1280, 1024}},
        {"wider than the screen", {-50, 100, 2000, 480}, {0, 100, 1280, 580}},
        {"taller than the screen", {100, 0, 700, 5000}, {100, 40, 800, 1024}},
        {"at the ends of 32 bits", {kMax, kMin, kMax, kMax}, {0, 40, 1280, 1024}},
        {"far off, small", {kMin, kMax, 1, 1}, {0, 1023, 1, 1024}},
        {"no size at all", {100, 100, 0, -5}, {100, 100, 100, 100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Tied(core::FitInside(c.saved, work)), Tied(c.want));
    }
    // A screen's work area may lie left of and above the primary one.
    EXPECT_EQ(Tied(core::FitInside({-100, -100, 700, 480}, {-1920, -200, 0, 880})), Tied({-700, -100, 0, 380}));
    EXPECT_EQ(Tied(core::FitInside({5, 5, 700, 480}, {10, 10, 10, 10})), Tied({10, 10, 10, 10}));
}

TEST(WindowFit, EdgesShiftsAndScalesHoldAtTheEndsOf32Bits) {
    EXPECT_EQ(Tied(core::EdgesOf({10, 20, 30, 40})), Tied({10, 20, 40, 60}));
    EXPECT_EQ(Tied(core::EdgesOf({kMax, kMin, kMax, kMax})), Tied({kMax, kMin, kMax, -1}));
    for (auto [dx, left, top] : {std::tuple{std::int64_t{5}, kMax, kMin}, {std::int64_t{-kMax}, -1, 0}}) {
        const Placement shifted = core::Shifted({kMax - 1, kMin + 1, 7, 8}, dx, -dx);
        EXPECT_EQ(std::make_tuple(shifted.left, shifted.top, shifted.width), std::make_tuple(left, top, 7));
    }
    // Halves round away from zero, as the system's MulDiv does.
    EXPECT_EQ(core::ScaleLength(3, 2, 1), 2);
    EXPECT_EQ(core::ScaleLength(-3, 2, 1), -2);
    EXPECT_EQ(core::ScaleLength(100, 144, 96), 67);
    EXPECT_EQ(core::ScaleLength(10, 96, 100), 10);
    EXPECT_EQ(core::ScaleLength(3, 1, 2), 6);
    EXPECT_EQ(core::ScaleLength(7, 0, 96), 7);  // no dpi known: left as it is
    EXPECT_EQ(core::ScaleLength(kMax, 96, 192), kMax);
    EXPECT_EQ(core::ScaleLength(kMin, 96, 192), kMin);
    EXPECT_EQ(core::ScaleLength(kMax, 192, 96), kMax / 2 + 1);
    EXPECT_EQ(core::ScaleLength(kMax, 1, 0xFFFFFFFFu), kMax);
}

}  // namespace
}  // namespace kvex::testing
