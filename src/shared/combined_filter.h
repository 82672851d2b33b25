#pragma once
// Gathering selected list entries into one combined filter "a;b;c".
#include <cstddef>
#include <string>
#include <vector>

namespace kvex {

inline constexpr std::size_t kMaxCombinedLength = 255;

enum class ItemCase { Sensitive, Insensitive };

// Joins the given entries' items in order, keeping each item once (whole-item
// comparison, by the given case rule), with no trailing ";".
// skipEmptyEntries: the builder skips empty entries, the length label does not.
std::string GatherCombinedFilter(const std::vector<std::string>& selectedEntries,
                                 ItemCase itemCase, bool skipEmptyEntries);

}  // namespace kvex
