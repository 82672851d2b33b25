#include "shared/filter_list_file.h"

#include <algorithm>

// Reading rule for list files. Files we write hold one filter per line and
// nothing else; hand-edited ones are read like this:
// - a record ends at a comma, CR or LF, so CR LF, LF and a lone CR all end a line;
// - spaces and tabs around a record are dropped, and a record that is empty
//   then (a blank line, ",,") is skipped and does not count against the limit;
// - a record that starts with a double quote runs to the closing quote, so it
//   may hold commas; whatever follows the quote up to the next comma or line
//   end is dropped. A line end closes even an unclosed quote, so one stray
//   quote cannot swallow the rest of the file;
// - NUL bytes are dropped wherever they stand.

namespace kvex {

namespace {

bool EndsRecord(char c) { return c == ',' || c == '\r' || c == '\n'; }
bool EndsLine(char c) { return c == '\r' || c == '\n'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Appends bytes[i..] up to the first byte for which stop() holds, leaving NULs
// out; returns the index of that byte (or the end).
template <typename Stop>
std::size_t TakeUntil(std::string_view bytes, std::size_t i, Stop stop, std::string& out) {
    for (; i < bytes.size() && !stop(bytes[i]); ++i) {
        if (bytes[i] != '\0') out.push_back(bytes[i]);
    }
    return i;
}

void TrimBlanks(std::string& s) {
    const auto notBlank = [](char c) { return !IsBlank(c); };
    s.erase(std::find_if(s.rbegin(), s.rend(), notBlank).base(), s.end());
    s.erase(s.begin(), std::find_if(s.begin(), s.end(), notBlank));
}

// Reads the record that starts at bytes[i] into out; returns the index after
// its delimiter.
std::size_t ReadRecord(std::string_view bytes, std::size_t i, std::string& out) {
    while (i < bytes.size() && (IsBlank(bytes[i]) || bytes[i] == '\0')) ++i;
    if (i < bytes.size() && bytes[i] == '"') {
        i = TakeUntil(bytes, i + 1, [](char c) { return c == '"' || EndsLine(c); }, out);
        while (i < bytes.size() && !EndsRecord(bytes[i])) ++i;
    } else {
        i = TakeUntil(bytes, i, EndsRecord, out);
    }
    TrimBlanks(out);
    return i < bytes.size() ? i + 1 : i;
}

}  // namespace

std::vector<std::string> ReadFilterRecords(std::string_view bytes, std::size_t maxRecords) {
    std::vector<std::string> records;
    std::size_t i = 0;
    while (i < bytes.size() && records.size() < maxRecords) {
        std::string record;
        i = ReadRecord(bytes, i, record);
        if (!record.empty()) records.push_back(std::move(record));
    }
    return records;
}

std::string FormatFilterLines(const std::vector<std::string>& entries, std::size_t maxLines) {
    const std::size_t count = std::min(entries.size(), maxLines);
    std::string text;
    for (std::size_t k = 0; k < count; ++k) text.append(entries[k]).append("\r\n");
    return text;
}

}  // namespace kvex
