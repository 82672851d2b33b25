#include "core/string_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace kvex::testing {
namespace {

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
