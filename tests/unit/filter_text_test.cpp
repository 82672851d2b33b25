#include "core/filter_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

namespace kvex::testing {
namespace {

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

}  // namespace
}  // namespace kvex::testing
