#pragma once
// Gathering selected list entries into one combined filter "a;b;c".
#include <cstddef>
#include <string>
#include <vector>

namespace kvex {

// In UTF-16 code units, as the user counts characters (Utf16Length).
inline constexpr std::size_t kMaxCombinedLength = 255;

enum class ItemCase { Sensitive, Insensitive };

// Joins the given entries' items in order, keeping each item once (whole-item
// comparison, by the given case rule, which folds the case of every letter
// FoldCase knows: "*.htm" after "a*.htm" is kept), with no
// trailing ";". Empty items (an empty entry, ";;", a ";" at either end) are
// never kept, so the result holds no empty item.
// Dropping empty items also makes skipping empty entries unnecessary.
std::string GatherCombinedFilter(const std::vector<std::string>& selectedEntries, ItemCase itemCase);

}  // namespace kvex
