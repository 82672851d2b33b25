// The core's small rules: per-thread state, filter text, combining, sorting.
#include "core/app_state.h"
#include "core/combined_filter.h"
#include "core/filter_text.h"
#include "core/string_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

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

void SortAll(Strings& a) { QuickSortStrings(a, 0, static_cast<long>(a.size()) - 1); }

TEST(OrdinalLess, ComparesUtf16CodeUnitsWithPrefixFirst) {
    EXPECT_TRUE(OrdinalLess("*.htm", "*.html"));
    EXPECT_FALSE(OrdinalLess("a", "a"));
    EXPECT_TRUE(OrdinalLess("Z", "a"));
    EXPECT_TRUE(OrdinalLess("z", "\xC3\xA9"));                 // é
    EXPECT_TRUE(OrdinalLess("x\xC3\xA9", "x\xD0\x96"));        // é before Ж
    // U+1F600 is the surrogate pair D83D DE00, below U+FF21 (Ａ), although
    // its UTF-8 bytes sort above.
    EXPECT_TRUE(OrdinalLess("a\xF0\x9F\x98\x80", "a\xEF\xBC\xA1"));
    EXPECT_FALSE(OrdinalLess("a\xEF\xBC\xA1", "a\xF0\x9F\x98\x80"));
    EXPECT_TRUE(OrdinalLess("\xED\x9F\xBF", "\xF0\x9F\x98\x80"));  // U+D7FF stays below it
    EXPECT_TRUE(OrdinalLess("z", "\xe9"));                      // a stray byte comes last
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
        SortAll(a);
        ASSERT_EQ(a, expected);
    }
}

}  // namespace
}  // namespace kvex::testing
