// Input: the bytes of a list file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/filter_list_file.h"
#include "core/unicode_text.h"
#include "fakes/latin1.h"
#include "fuzz_check.h"

namespace kvex::testing {
namespace {

using Records = std::vector<std::string>;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool Holds(const std::string& s, char c) { return s.find(c) != std::string::npos; }

void CheckRecord(const std::string& record) {
    FUZZ_CHECK(!record.empty());
    FUZZ_CHECK(!IsBlank(record.front()) && !IsBlank(record.back()));
    FUZZ_CHECK(!Holds(record, '\r') && !Holds(record, '\n') && !Holds(record, '\0'));
    // A comma survives only inside a quoted record, which loses its quotes.
    FUZZ_CHECK(!(Holds(record, ',') && Holds(record, '"')));
}

void Check(std::string_view bytes) {
    const Records records = ReadFilterRecords(bytes);
    FUZZ_CHECK(records.size() <= kMaxListRecords);
    bool anyComma = false;
    for (const std::string& record : records) {
        CheckRecord(record);
        anyComma = anyComma || Holds(record, ',');
    }

    // A lower limit gives the same records, fewer of them.
    const Records firstFew = ReadFilterRecords(bytes, 5);
    FUZZ_CHECK(firstFew == Records(records.begin(), records.begin() + std::min<std::size_t>(5, records.size())));

    // What we write reads back as it was, once quoted commas have been split.
    const Records once = ReadFilterRecords(FormatFilterLines(records));
    const Records twice = ReadFilterRecords(FormatFilterLines(once));
    FUZZ_CHECK(twice == once);
    if (!anyComma) FUZZ_CHECK(once == records);

    // Whatever a file held, its text is written so that it reads back unchanged.
    const std::string text = DecodeListFile(bytes, Latin1());
    FUZZ_CHECK(ValidUtf8(text) == text);
    FUZZ_CHECK(DecodeListFile(EncodeListFile(text, Latin1()), Latin1()) == text);
}

}  // namespace
}  // namespace kvex::testing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kvex::testing::Check(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
