#include "shared/filter_list_file.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace kvex {
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

    const std::string longLine(1'000'000, 'x');
    EXPECT_EQ(ReadFilterRecords(longLine + "\r\ny"), (Records{longLine, "y"}));
}

TEST(FilterListReader, ArbitraryBytesGiveOnlyTrimmedRecordsWithoutLineEndsOrNuls) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(std::uniform_int_distribution<int>(0, 400)(random), ' ');
        for (char& c : bytes) c = static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));
        for (const std::string& record : ReadFilterRecords(bytes)) {
            ASSERT_FALSE(record.empty());
            EXPECT_EQ(record.find_first_of(std::string("\r\n\0", 3)), std::string::npos);
            EXPECT_EQ(std::string(" \t").find(record.front()), std::string::npos);
            EXPECT_EQ(std::string(" \t").find(record.back()), std::string::npos);
        }
    }
}

TEST(FilterListWriter, OneCrLfLinePerEntryUpToTheLimitAndReadsBackUnchanged) {
    EXPECT_EQ(FormatFilterLines({"*.htm;*.html", "*.txt"}), "*.htm;*.html\r\n*.txt\r\n");
    EXPECT_EQ(FormatFilterLines({"a", "b", "c"}, 2), "a\r\nb\r\n");
    Records entries;
    for (int k = 0; k < 76; ++k) entries.push_back("[a-c]" + std::to_string(k) + "*.h?m;#.txt");
    EXPECT_EQ(ReadFilterRecords(FormatFilterLines(entries, kMaxListRecords)), Records(entries.begin(), entries.begin() + 75));
}

}  // namespace
}  // namespace kvex
