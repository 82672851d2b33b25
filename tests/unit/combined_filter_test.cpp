#include "shared/combined_filter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kvex {
namespace {

using Entries = std::vector<std::string>;

std::string Builder(const Entries& entries) { return GatherCombinedFilter(entries, ItemCase::Sensitive); }
std::string Label(const Entries& entries) { return GatherCombinedFilter(entries, ItemCase::Insensitive); }

TEST(CombinedFilter, JoinsItemsInListOrderKeepingTheFirstOfEach) {
    EXPECT_EQ(Builder({"*.htm;*.html", "*.txt"}), "*.htm;*.html;*.txt");
    EXPECT_EQ(Builder({"*.htm;*.html", "*.htm"}), "*.htm;*.html");
    EXPECT_EQ(Builder({"*.c;*.h;*.c"}), "*.c;*.h");
    EXPECT_EQ(Builder({"b", "a", "b"}), "b;a");
    EXPECT_EQ(Builder({"a", "b", "a;c"}), "a;b;c");
    EXPECT_EQ(Label({"a", "b", "a;c"}).size(), 5u);
    EXPECT_EQ(Builder({"*.htm"}), "*.htm");
    EXPECT_EQ(Builder({}), "");
}

TEST(CombinedFilter, LetterCaseCountsForTheBuilderNotForTheLabel) {
    const Entries entries{"*.htm", "*.HTM"};
    EXPECT_EQ(Label(entries), "*.htm");
    EXPECT_EQ(Label(entries).size(), 5u);
    EXPECT_EQ(Builder(entries), "*.htm;*.HTM");
    EXPECT_EQ(Builder(entries).size(), 11u);
    // Only ASCII letters fold; other bytes compare as they are.
    EXPECT_EQ(Label({"*.\xc9", "*.\xe9"}), "*.\xc9;*.\xe9");
    EXPECT_EQ(Label({"*.[A-Z]", "*.[a-z]"}), "*.[A-Z]");
}

// The duplicate test compares whole items: an item that merely ends another
// one is a different filter and is kept.
TEST(CombinedFilter, ItemsAreComparedWhole) {
    EXPECT_EQ(Builder({"a*.htm", "*.htm"}), "a*.htm;*.htm");
    EXPECT_EQ(Builder({"*.html", "*.htm", "htm"}), "*.html;*.htm;htm");
    EXPECT_EQ(Label({"A*.htm", "*.HTM"}), "A*.htm;*.HTM");
}

TEST(CombinedFilter, EmptyItemsNeverAppear) {
    for (ItemCase itemCase : {ItemCase::Sensitive, ItemCase::Insensitive}) {
        EXPECT_EQ(GatherCombinedFilter({"", "a"}, itemCase), "a");
        EXPECT_EQ(GatherCombinedFilter({"a", ""}, itemCase), "a");
        EXPECT_EQ(GatherCombinedFilter({"a;;b;", ";c"}, itemCase), "a;b;c");
        EXPECT_EQ(GatherCombinedFilter({"", ";"}, itemCase), "");
    }
}

}  // namespace
}  // namespace kvex
