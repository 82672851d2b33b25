#include "core/filter_list_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/latin1.h"

namespace kvex::testing {
namespace {

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
