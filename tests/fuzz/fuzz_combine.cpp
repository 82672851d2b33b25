// Input: the selected entries, one per line.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "core/combined_filter.h"

namespace kvex::testing {
namespace {

using Strings = std::vector<std::string>;

Strings Split(std::string_view text, char separator) {
    Strings pieces;
    for (;;) {
        const std::size_t at = text.find(separator);
        pieces.emplace_back(text.substr(0, at));
        if (at == std::string_view::npos) return pieces;
        text.remove_prefix(at + 1);
    }
}

std::string Key(std::string item, ItemCase itemCase) {
    if (itemCase == ItemCase::Insensitive) {
        for (char& c : item) {
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return item;
}

// The result holds, in order, the first spelling of each distinct non-empty
// item of the entries, and nothing else.
void CheckGathered(const Strings& entries, ItemCase itemCase) {
    const std::string result = GatherCombinedFilter(entries, itemCase);
    Strings expected;
    std::set<std::string> seen;
    for (const std::string& entry : entries) {
        for (const std::string& item : Split(entry, ';')) {
            if (!item.empty() && seen.insert(Key(item, itemCase)).second) expected.push_back(item);
        }
    }
    if (expected.empty()) {
        FUZZ_CHECK(result.empty());
        return;
    }
    FUZZ_CHECK(result.back() != ';');
    FUZZ_CHECK(Split(result, ';') == expected);
}

}  // namespace
}  // namespace kvex::testing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kvex;
    using namespace kvex::testing;
    const Strings entries = Split(std::string_view(reinterpret_cast<const char*>(data), size), '\n');
    for (ItemCase itemCase : {ItemCase::Sensitive, ItemCase::Insensitive}) CheckGathered(entries, itemCase);
    FUZZ_CHECK(GatherCombinedFilter(entries, ItemCase::Insensitive).size() <=
               GatherCombinedFilter(entries, ItemCase::Sensitive).size());
    return 0;
}
