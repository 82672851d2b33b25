#include "shared/filter_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

namespace kvex {
namespace {

TEST(InvalidFilterChars, EachOfTheNineIsRefusedAnywhereInTheText) {
    for (char c : std::string("/\\:,\"<>|;")) {
        EXPECT_TRUE(HasInvalidFilterChar(std::string(1, c))) << c;
        EXPECT_TRUE(HasInvalidFilterChar(std::string("*.ht") + c + "m")) << c;
        EXPECT_TRUE(HasInvalidFilterChar(std::string("abc") + c)) << c;
    }
    EXPECT_TRUE(HasInvalidFilterChar("*.htm;*.html"));
    EXPECT_TRUE(HasInvalidFilterChar("<>|"));
}

TEST(InvalidFilterChars, EveryOtherByteIsAllowed) {
    std::string allowed;
    for (int b = 1; b < 256; ++b) {
        if (!std::strchr("/\\:,\"<>|;", b)) allowed += static_cast<char>(b);
    }
    ASSERT_EQ(allowed.size(), 255u - 9u);
    EXPECT_FALSE(HasInvalidFilterChar(allowed));
    EXPECT_FALSE(HasInvalidFilterChar("*.htm"));
    EXPECT_FALSE(HasInvalidFilterChar("[!a-z]?#* . "));
    EXPECT_FALSE(HasInvalidFilterChar(""));
    EXPECT_FALSE(HasInvalidFilterChar(std::string(1, '\0')));
}

TEST(InvalidFilterChars, MessageTextIsExact) {
    const std::string message = kInvalidCharsMessage;
    const std::string first = "Filters can not contain any of the following characters:";
    const std::string third = std::string(24, ' ') + " ;  ,  <  >  /  \\  :  \"  |";
    EXPECT_EQ(message, first + "\r\n" + "  " + "\r\n" + third);
    EXPECT_EQ(third.size(), 24u + 26u);
    EXPECT_NE(message.back(), '\n');
    EXPECT_STREQ(kInvalidCharsTitle, "Invalid Characters");
    // Every refused character is named in the message.
    for (char c : std::string("/\\:,\"<>|;")) EXPECT_NE(third.find(c), std::string::npos) << c;
}

TEST(InvalidFilterChars, IndicatorTexts) {
    EXPECT_STREQ(kInvalidCharsCaption, "Remove Invalid Characters");
    EXPECT_STREQ(kFilterMakerIndicatorDetail, "<>/\\:|;\"");
    EXPECT_EQ(std::strlen(kFilterMakerIndicatorDetail), 8u);
    EXPECT_STREQ(kEditFilterIndicatorDetail, "Remove Invalid Characters    ,<>/\\:|;\"");
    EXPECT_EQ(std::strlen(kEditFilterIndicatorDetail), 38u);
}

TEST(TrimSpaces, RemovesOnlySpacesAtEitherEnd) {
    EXPECT_EQ(TrimSpaces("  *.htm  "), "*.htm");
    EXPECT_EQ(TrimSpaces("a b"), "a b");
    EXPECT_EQ(TrimSpaces(" a b "), "a b");
    EXPECT_EQ(TrimSpaces("    "), "");
    EXPECT_EQ(TrimSpaces(""), "");
    EXPECT_EQ(TrimSpaces("\tx\t"), "\tx\t");
    EXPECT_EQ(TrimSpaces(" \tx "), "\tx");
}

TEST(SplitFilterParts, FirstTwoPiecesAtThePoints) {
    struct Case {
        const char* filter;
        const char* name;
        std::optional<std::string> extension;
    };
    for (const Case& c : {Case{"*.htm", "*", "htm"}, Case{"my.page.htm", "my", "page"}, Case{"readme", "readme", {}},
                          Case{".htm", "", "htm"}, Case{"name.", "name", ""}, Case{"a..b", "a", ""},
                          Case{"", "", {}}}) {
        const FilterParts parts = SplitFilterParts(c.filter);
        EXPECT_EQ(parts.name, c.name) << c.filter;
        EXPECT_EQ(parts.extension, c.extension) << c.filter;
    }
}

}  // namespace
}  // namespace kvex
