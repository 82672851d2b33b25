#pragma once
// The line format shared by filters.dlk and pattern-list (*.plk) files.
#include <cstddef>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvex {

inline constexpr std::size_t kMaxListRecords = 75;
// Longest record kept, in UTF-16 code units; the rest of a longer one is dropped.
inline constexpr std::size_t kMaxRecordLength = 32 * 1024;

// The system's ANSI code page, which only the platform knows.
struct AnsiCodePage {
    // ANSI bytes as UTF-8.
    std::function<std::string(std::string_view)> toUtf8;
    // UTF-8 as ANSI bytes, or nothing when a character has no exact form there.
    std::function<std::optional<std::string>(std::string_view)> fromUtf8;
};

// A list file's bytes as UTF-8 text: a UTF-8 byte-order mark means UTF-8, a
// UTF-16LE one UTF-16LE, anything else is the ANSI code page.
std::string DecodeListFile(std::string_view bytes, const AnsiCodePage& ansi);

// Reads UTF-8 list text record by record: a record ends at a comma or at a
// line end (CR LF, LF or a lone CR). Only the first maxRecords are returned;
// the rest is not looked at. See the .cpp for blanks, quotes and NUL bytes.
std::vector<std::string> ReadFilterRecords(std::string_view text,
                                           std::size_t maxRecords = kMaxListRecords);

// One line per entry, each ending in CR LF, at most maxLines lines.
std::string FormatFilterLines(const std::vector<std::string>& entries,
                              std::size_t maxLines = std::numeric_limits<std::size_t>::max());

// The file's bytes for UTF-8 list text: in the ANSI code page when every
// character converts exactly, so that hosts reading ANSI keep working;
// otherwise UTF-8 behind a byte-order mark, so that nothing is lost.
std::string EncodeListFile(std::string_view text, const AnsiCodePage& ansi);

}  // namespace kvex
