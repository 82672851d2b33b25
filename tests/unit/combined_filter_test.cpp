#include "core/combined_filter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kvex::testing {
namespace {

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

}  // namespace
}  // namespace kvex::testing
