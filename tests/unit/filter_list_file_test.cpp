#include "shared/filter_list_file.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace kvex {
namespace {

using Records = std::vector<std::string>;

TEST(FilterListReader, EveryLineEndAndCommaEndsARecord) {
    EXPECT_EQ(ReadFilterRecords("*.htm\r\n*.txt\r\n"), (Records{"*.htm", "*.txt"}));
    EXPECT_EQ(ReadFilterRecords("*.htm\n*.txt\n"), (Records{"*.htm", "*.txt"}));
    EXPECT_EQ(ReadFilterRecords("*.htm\r*.txt\r"), (Records{"*.htm", "*.txt"}));
    EXPECT_EQ(ReadFilterRecords("*.htm\r\n*.txt"), (Records{"*.htm", "*.txt"}));  // no final line end
    EXPECT_EQ(ReadFilterRecords("*.htm,*.txt\r\n*.c"), (Records{"*.htm", "*.txt", "*.c"}));
    EXPECT_EQ(ReadFilterRecords("a;b\r\n"), (Records{"a;b"}));  // combined filters stay whole
    EXPECT_EQ(ReadFilterRecords(""), Records{});
}

TEST(FilterListReader, BlanksAroundRecordsAreTrimmedAndBlankRecordsSkipped) {
    EXPECT_EQ(ReadFilterRecords("  *.htm \t\r\n\r\n \t \r\n,,*.txt\n"), (Records{"*.htm", "*.txt"}));
    EXPECT_EQ(ReadFilterRecords("a b\r\n"), (Records{"a b"}));
    EXPECT_EQ(ReadFilterRecords("\r\n\r\n\n\r,"), Records{});
    // Skipped blanks do not use up the limit.
    EXPECT_EQ(ReadFilterRecords("\r\n\r\na\r\n\r\nb\r\nc", 2), (Records{"a", "b"}));
}

TEST(FilterListReader, QuotedRecordsRunToTheClosingQuote) {
    EXPECT_EQ(ReadFilterRecords("\"a,b\"\r\nc"), (Records{"a,b", "c"}));
    EXPECT_EQ(ReadFilterRecords("  \" x \" dropped,next"), (Records{"x", "next"}));
    EXPECT_EQ(ReadFilterRecords("\"a\"b\"c\"\r\n"), (Records{"a"}));
    EXPECT_EQ(ReadFilterRecords("\"\",x"), (Records{"x"}));
    // An unclosed quote ends with its line.
    EXPECT_EQ(ReadFilterRecords("\"open,still\r\nnext"), (Records{"open,still", "next"}));
    EXPECT_EQ(ReadFilterRecords("\"open"), (Records{"open"}));
    // A quote that does not open the record is an ordinary byte.
    EXPECT_EQ(ReadFilterRecords("a\"b,c"), (Records{"a\"b", "c"}));
}

TEST(FilterListReader, NulBytesAreDropped) {
    EXPECT_EQ(ReadFilterRecords(std::string("*.h\0tm\r\n\0\r\n", 11)), (Records{"*.htm"}));
    EXPECT_EQ(ReadFilterRecords(std::string("\0 \"a,b\"", 7)), (Records{"a,b"}));
    EXPECT_EQ(ReadFilterRecords(std::string(100, '\0')), Records{});
}

TEST(FilterListReader, KeepsOnlyTheFirstRecordsUpToTheLimit) {
    std::string file;
    for (int k = 0; k < 80; ++k) file += "f" + std::to_string(k) + ".x\r\n";
    const Records records = ReadFilterRecords(file);
    ASSERT_EQ(records.size(), kMaxListRecords);
    EXPECT_EQ(records.front(), "f0.x");
    EXPECT_EQ(records.back(), "f74.x");
    EXPECT_EQ(ReadFilterRecords(file, 3), (Records{"f0.x", "f1.x", "f2.x"}));
    EXPECT_EQ(ReadFilterRecords(file, 0), Records{});
    EXPECT_EQ(ReadFilterRecords("a,b\r\nc", 75).size(), 3u);  // two records on one line count twice
}

TEST(FilterListReader, TakesHugeAndOddInput) {
    std::string million;
    million.reserve(12'000'000);
    for (int k = 0; k < 1'000'000; ++k) million += "*.e" + std::to_string(k) + "\r\n";
    const Records records = ReadFilterRecords(million);
    ASSERT_EQ(records.size(), 75u);
    EXPECT_EQ(records[74], "*.e74");

    const std::string longLine(1'000'000, 'x');
    EXPECT_EQ(ReadFilterRecords(longLine + "\r\ny"), (Records{longLine, "y"}));

    // Every byte value, in a random mix, is taken without complaint, and the
    // records never hold a line end or a NUL.
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(std::uniform_int_distribution<int>(0, 400)(random), ' ');
        for (char& c : bytes) c = static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));
        for (const std::string& record : ReadFilterRecords(bytes)) {
            EXPECT_FALSE(record.empty());
            EXPECT_EQ(record.find_first_of(std::string("\r\n\0", 3)), std::string::npos);
            for (char end : {record.front(), record.back()}) {
                EXPECT_NE(end, ' ');
                EXPECT_NE(end, '\t');
            }
        }
    }
}

TEST(FilterListWriter, OneCrLfLinePerEntryUpToTheLimit) {
    EXPECT_EQ(FormatFilterLines({"*.htm;*.html", "*.txt"}), "*.htm;*.html\r\n*.txt\r\n");
    EXPECT_EQ(FormatFilterLines({}), "");
    EXPECT_EQ(FormatFilterLines({"a", "b", "c"}, 2), "a\r\nb\r\n");
    EXPECT_EQ(FormatFilterLines({"a"}, 0), "");
}

TEST(FilterListFile, WhatWeWriteReadsBackUnchanged) {
    Records entries;
    for (int k = 0; k < 76; ++k) entries.push_back("[a-c]" + std::to_string(k) + "*.h?m;#.txt");
    const Records back = ReadFilterRecords(FormatFilterLines(entries, kMaxListRecords));
    EXPECT_EQ(back, Records(entries.begin(), entries.begin() + 75));
}

}  // namespace
}  // namespace kvex
