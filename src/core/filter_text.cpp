#include "core/filter_text.h"

#include <algorithm>
#include <array>

namespace kvex {

namespace {

constexpr std::string_view kInvalidFilterChars = "/\\:,\"<>|;";

// Runs on every keystroke: one table look-up per byte.
constexpr std::array<bool, 256> MakeInvalidTable() {
    std::array<bool, 256> table{};
    for (char c : kInvalidFilterChars) table[static_cast<unsigned char>(c)] = true;
    return table;
}
constexpr std::array<bool, 256> kIsInvalid = MakeInvalidTable();

}  // namespace

bool HasInvalidFilterChar(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return kIsInvalid[static_cast<unsigned char>(c)]; });
}

const char* const kInvalidCharsMessage =
    "Filters can not contain any of the following characters:\r\n"
    "  \r\n"
    "                        "  // 24 spaces
    " ;  ,  <  >  /  \\  :  \"  |";
const char* const kInvalidCharsTitle = "Invalid Characters";
const char* const kInvalidCharsCaption = "Remove Invalid Characters";
const char* const kFilterMakerIndicatorDetail = "<>/\\:|;\"";
const char* const kEditFilterIndicatorDetail = "Remove Invalid Characters    ,<>/\\:|;\"";

std::string TrimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

FilterParts SplitFilterParts(std::string_view filter) {
    FilterParts parts;
    const auto firstDot = filter.find('.');
    parts.name = std::string(filter.substr(0, firstDot));
    if (firstDot != std::string_view::npos) {
        const auto rest = filter.substr(firstDot + 1);
        parts.extension = std::string(rest.substr(0, rest.find('.')));
    }
    return parts;
}

}  // namespace kvex
