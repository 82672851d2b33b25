#include "shared/string_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace kvex {
namespace {

using Strings = std::vector<std::string>;

void SortAll(Strings& a) { QuickSortStrings(a, 0, static_cast<long>(a.size()) - 1); }

TEST(OrdinalLess, ComparesUnsignedBytesWithPrefixFirst) {
    EXPECT_TRUE(OrdinalLess("*.htm", "*.html"));
    EXPECT_FALSE(OrdinalLess("*.html", "*.htm"));
    EXPECT_FALSE(OrdinalLess("a", "a"));
    EXPECT_TRUE(OrdinalLess("Z", "a"));
    EXPECT_TRUE(OrdinalLess("z", "\xe9"));  // bytes above 127 come last
    EXPECT_TRUE(OrdinalLess(std::string("a\0", 2), "a\x01"));
}

TEST(QuickSortStrings, CapitalsComeBeforeSmallLetters) {
    Strings a{"*.htm", "*.HTM", "*.Htm", "readme.*", "README.*", "#.txt", "[a-c]*.*"};
    SortAll(a);
    EXPECT_EQ(a, (Strings{"#.txt", "*.HTM", "*.Htm", "*.htm", "README.*", "[a-c]*.*", "readme.*"}));
}

TEST(QuickSortStrings, SortsOnlyTheGivenInclusiveRange) {
    Strings a{"z", "d", "c", "b", "a", "0"};
    QuickSortStrings(a, 1, 4);
    EXPECT_EQ(a, (Strings{"z", "a", "b", "c", "d", "0"}));

    Strings untouched{"b", "a"};
    QuickSortStrings(untouched, 1, 1);
    QuickSortStrings(untouched, 1, 0);
    EXPECT_EQ(untouched, (Strings{"b", "a"}));

    Strings empty;
    SortAll(empty);
    EXPECT_TRUE(empty.empty());
}

TEST(QuickSortStrings, AgreesWithStdSortOnRandomInput) {
    std::mt19937 random(99);
    for (int round = 0; round < 500; ++round) {
        const std::size_t n = std::uniform_int_distribution<std::size_t>(0, round < 50 ? 4 : 200)(random);
        // A small pool of short strings over a few bytes gives many duplicates
        // and many shared prefixes.
        Strings a(n);
        for (std::string& s : a) {
            s.resize(std::uniform_int_distribution<std::size_t>(0, 3)(random));
            for (char& c : s) c = "aAb*\xe9"[std::uniform_int_distribution<int>(0, 4)(random)];
        }
        Strings expected = a;
        std::sort(expected.begin(), expected.end(), OrdinalLess);
        SortAll(a);
        ASSERT_EQ(a, expected) << "round " << round;
    }
}

// All-equal and reversed input are where a partition that mishandles equal
// keys or the hole goes wrong.
TEST(QuickSortStrings, HandlesUniformAndReversedInput) {
    Strings same(500, "*.htm");
    SortAll(same);
    EXPECT_EQ(same, Strings(500, "*.htm"));
    Strings reversed;
    for (int k = 999; k >= 0; --k) reversed.push_back(std::to_string(100000 + k));
    SortAll(reversed);
    EXPECT_TRUE(std::is_sorted(reversed.begin(), reversed.end(), OrdinalLess));
    EXPECT_EQ(reversed.front(), "100000");
}

TEST(QuickSortStrings, UsesTheGivenOrder) {
    Strings a{"b", "c", "a", "b"};
    QuickSortStrings(a, 0, 3, [](const std::string& x, const std::string& y) { return OrdinalLess(y, x); });
    EXPECT_EQ(a, (Strings{"c", "b", "b", "a"}));
}

}  // namespace
}  // namespace kvex
