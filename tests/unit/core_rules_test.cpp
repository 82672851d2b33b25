// The core's rules beside the matcher: per-thread state, filter text,
// combining, sorting, reading and writing list files.
#include "core/app_state.h"
#include "core/combined_filter.h"
#include "core/filter_list_file.h"
#include "core/filter_text.h"
#include "core/string_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "fakes/latin1.h"

namespace kvex::testing {
namespace {

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

const std::string kInvalid = "/\\:,\"<>|;";

TEST(InvalidFilterChars, TheNineAreRefusedAnywhereAndEveryOtherByteIsAllowed) {
    for (char c : kInvalid) {
        EXPECT_TRUE(HasInvalidFilterChar(std::string(1, c))) << c;
        EXPECT_TRUE(HasInvalidFilterChar(std::string("*.ht") + c + "m")) << c;
    }
    std::string allowed(1, '\0');
    for (int b = 1; b < 256; ++b) {
        if (kInvalid.find(static_cast<char>(b)) == std::string::npos) allowed += static_cast<char>(b);
    }
    ASSERT_EQ(allowed.size(), 256u - 9u);
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

// Items join in list order; the first of equal items stays. Items compare
// whole (one that merely ends another is a different filter), and empty items
// never appear.
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
TEST(OrdinalLess, ComparesUtf16CodeUnitsWithPrefixFirst) {
    for (const auto& [lower, higher] : std::initializer_list<std::pair<const char*, const char*>>{
             {"*.htm", "*.html"}, {"Z", "a"}, {"z", "\xC3\xA9"}, {"x\xC3\xA9", "x\xD0\x96"},
             {"a\xF0\x9F\x98\x80", "a\xEF\xBC\xA1"}, {"\xED\x9F\xBF", "\xF0\x9F\x98\x80"}, {"z", "\xe9"}}) {
        EXPECT_TRUE(OrdinalLess(lower, higher)) << lower;
        EXPECT_FALSE(OrdinalLess(higher, lower)) << higher;
    }
    EXPECT_FALSE(OrdinalLess("a", "a"));
}

// Random input from a small pool of short strings (many duplicates and shared
// prefixes), then all-equal and reversed input, where a partition that
// mishandles equal keys or the hole goes wrong.
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

using Records = std::vector<std::string>;

TEST(FilterListReader, RecordsEndAtLineEndsAndCommasAndAreTrimmed) {
    const struct {
        std::string bytes;
        Records records;
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

TEST(FilterListReader, KeepsTheFirstSeventyFiveRecordsOfAnyNumberOfLines) {
    std::string million;
    for (int k = 0; k < 1'000'000; ++k) million += "*.e" + std::to_string(k) + "\r\n";
    const Records records = ReadFilterRecords(million);
    ASSERT_EQ(records.size(), kMaxListRecords);
    EXPECT_EQ(records.front(), "*.e0");
    EXPECT_EQ(records.back(), "*.e74");
    EXPECT_EQ(ReadFilterRecords(million, 2), (Records{"*.e0", "*.e1"}));
    // Skipped blanks do not use up the limit; two records on one line count twice.
    EXPECT_EQ(ReadFilterRecords("\r\n\r\na\r\n\r\nb,c", 2), (Records{"a", "b"}));

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
        const Records records = ReadFilterRecords(line + "\r\ny");
        ASSERT_EQ(records.size(), 2u);
        EXPECT_EQ(records[0].size(), c.kept * c.unit.size());
        EXPECT_EQ(records[0].substr(records[0].size() - c.unit.size()), c.unit);
        EXPECT_EQ(records[1], "y");
    }
}

TEST(ListFileEncoding, AnsiWhenEveryCharacterFitsElseUtf8WithAMark) {
    const struct {
        std::string text;
        std::string bytes;
    } cases[] = {
        {"*.htm\r\n", "*.htm\r\n"},
        {"caf\xC3\xA9.*\r\n", "caf\xE9.*\r\n"},                                  // é fits the code page
        {"caf\xC3\xA9.*\r\n\xD0\x96.*\r\n", "\xEF\xBB\xBF" "caf\xC3\xA9.*\r\n\xD0\x96.*\r\n"},  // Ж does not
        {"\xC3\xAF\xC2\xBB\xC2\xBF.x\r\n", "\xEF\xBB\xBF\xC3\xAF\xC2\xBB\xC2\xBF.x\r\n"},  // ANSI that reads as a mark
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeListFile(c.text, Latin1()), c.bytes) << c.text;
        EXPECT_EQ(DecodeListFile(c.bytes, Latin1()), c.text) << c.text;
    }
}

TEST(ListFileEncoding, AMarkTellsUtf8OrUtf16LeAndAnythingElseIsAnsi) {
    const struct {
        std::string bytes;
        std::string text;
    } cases[] = {
        {"\xEF\xBB\xBF\xD0\x96\r\n", "\xD0\x96\r\n"},
        {"\xEF\xBB\xBF" "a\xFF" "b", "a\xEF\xBF\xBD" "b"},                            // a stray byte becomes U+FFFD
        // Overlong forms, surrogates, codes past U+10FFFF and cut sequences are stray bytes; the
        // two-byte range's ends and the smallest three-byte character are not.
        {"\xEF\xBB\xBF\xC0\x80\xED\xA0\x80\xF4\x90\x80\x80\xF5\x80\x80\x80\x84\x80\x80\x80\xE2\x82",
         std::string(19, '?')},
        {"\xEF\xBB\xBF\xC2\x80\xDF\xBF\xE0\xA0\x80", "\xC2\x80\xDF\xBF\xE0\xA0\x80"},
        {std::string("\xFF\xFE\x16\x04\r\0\n\0", 8), "\xD0\x96\r\n"},         // UTF-16LE Ж
        {std::string("\xFF\xFE\x3D\xD8\x00\xDE\x00\xD8x", 9), "\xF0\x9F\x98\x80\xEF\xBF\xBD"},  // pair, lone half, odd byte
        {std::string("\xFF\xFE\x00\x08\xFF\xDB\xFF\xDF\x00\xD8\x00\xDC", 12),
         "\xE0\xA0\x80\xF4\x8F\xBF\xBF\xF0\x90\x80\x80"},  // U+0800, U+10FFFF, U+10000
        {"\xD0\x96", "\xC3\x90\xC2\x96"},                                          // no mark: ANSI
    };
    for (const auto& c : cases) {
        // "?" in the table stands for U+FFFD.
        std::string expected;
        for (char ch : c.text) expected += ch == '?' ? std::string("\xEF\xBF\xBD") : std::string(1, ch);
        EXPECT_EQ(DecodeListFile(c.bytes, Latin1()), expected);
    }
}

}  // namespace
}  // namespace kvex::testing
