#include "core/combined_filter.h"

#include <string_view>
#include <unordered_set>

#include "core/unicode_text.h"

namespace kvex {

namespace {

// The form under which two items count as the same item: its characters,
// with letter case folded when case is ignored.
std::u32string ItemKey(std::string_view item, ItemCase itemCase) {
    std::u32string key;
    key.reserve(item.size());
    for (std::size_t i = 0; i < item.size();) {
        const char32_t c = NextChar(item, i);
        key.push_back(itemCase == ItemCase::Insensitive ? FoldCase(c) : c);
    }
    return key;
}

}  // namespace

// Items are compared whole: "*.htm" after "a*.htm" is a new item and stays.
// An empty item (from an empty entry, ";;" or a trailing ";") is no filter and
// is never kept.
std::string GatherCombinedFilter(const std::vector<std::string>& selectedEntries, ItemCase itemCase) {
    std::string result;
    std::unordered_set<std::u32string> seen;
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
