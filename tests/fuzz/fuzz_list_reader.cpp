// Input: the bytes of a list file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "shared/filter_list_file.h"

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Records records = kvex::ReadFilterRecords(bytes);
    FUZZ_CHECK(records.size() <= kvex::kMaxListRecords);
    bool anyComma = false;
    for (const std::string& record : records) {
        CheckRecord(record);
        anyComma = anyComma || Holds(record, ',');
    }

    // A lower limit gives the same records, fewer of them.
    const Records firstFew = kvex::ReadFilterRecords(bytes, 5);
    FUZZ_CHECK(firstFew == Records(records.begin(), records.begin() + std::min<std::size_t>(5, records.size())));

    // What we write reads back as it was, once quoted commas have been split.
    const Records once = kvex::ReadFilterRecords(kvex::FormatFilterLines(records));
    const Records twice = kvex::ReadFilterRecords(kvex::FormatFilterLines(once));
    FUZZ_CHECK(twice == once);
    if (!anyComma) FUZZ_CHECK(once == records);
    return 0;
}
