#pragma once
// The line format shared by filters.dlk and pattern-list (*.plk) files.
#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace kvex {

inline constexpr std::size_t kMaxListRecords = 75;

// Reads a list file's bytes record by record: a record ends at a comma or at a
// line end (CR LF, LF or a lone CR). Only the first maxRecords are returned;
// the rest is not looked at. See the .cpp for blanks, quotes and NUL bytes.
std::vector<std::string> ReadFilterRecords(std::string_view bytes,
                                           std::size_t maxRecords = kMaxListRecords);

// One line per entry, each ending in CR LF, at most maxLines lines.
std::string FormatFilterLines(const std::vector<std::string>& entries,
                              std::size_t maxLines = std::numeric_limits<std::size_t>::max());

}  // namespace kvex
