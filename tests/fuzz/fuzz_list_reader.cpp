// Input: the bytes of a list file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "core/filter_list_file.h"
#include "core/unicode_text.h"

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

// Latin-1 stands in for the ANSI code page.
const kvex::AnsiCodePage kLatin1{
    [](std::string_view ansi) {
        std::string utf8;
        for (char c : ansi) kvex::AppendUtf8(utf8, static_cast<unsigned char>(c));
        return utf8;
    },
    [](std::string_view utf8) -> std::optional<std::string> {
        std::string ansi;
        for (std::size_t i = 0; i < utf8.size();) {
            const char32_t c = kvex::NextChar(utf8, i);
            if (c > 0xFF) return std::nullopt;
            ansi.push_back(static_cast<char>(c));
        }
        return ansi;
    }};

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

    // Whatever a file held, its text is written so that it reads back unchanged.
    const std::string text = kvex::DecodeListFile(bytes, kLatin1);
    FUZZ_CHECK(kvex::ValidUtf8(text) == text);
    FUZZ_CHECK(kvex::DecodeListFile(kvex::EncodeListFile(text, kLatin1), kLatin1) == text);
    return 0;
}
