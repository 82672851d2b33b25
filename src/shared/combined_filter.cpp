#include "shared/combined_filter.h"

#include <string_view>
#include <unordered_set>

namespace kvex {

namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The form under which two items count as the same item.
std::string ItemKey(std::string_view item, ItemCase itemCase) {
    std::string key(item);
    if (itemCase == ItemCase::Insensitive) {
        for (char& c : key) c = AsciiLower(c);
    }
    return key;
}

}  // namespace

// Items are compared whole: "*.htm" after "a*.htm" is a new item and stays.
// An empty item (from an empty entry, ";;" or a trailing ";") is no filter and
// is never kept.
std::string GatherCombinedFilter(const std::vector<std::string>& selectedEntries, ItemCase itemCase) {
    std::string result;
    std::unordered_set<std::string> seen;
    for (const std::string& entry : selectedEntries) {
        std::string_view rest = entry;
        for (;;) {
            const auto semicolon = rest.find(';');
            const std::string_view item = rest.substr(0, semicolon);
            if (!item.empty() && seen.insert(ItemKey(item, itemCase)).second) {
                if (!result.empty()) result += ';';
                result.append(item);
            }
            if (semicolon == std::string_view::npos) break;
            rest.remove_prefix(semicolon + 1);
        }
    }
    return result;
}

}  // namespace kvex
