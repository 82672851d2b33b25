#include "core/filter_list_file.h"

#include <algorithm>
#include <utility>

#include "core/unicode_text.h"

// Reading rule for list files. Files we write hold one filter per line and
// nothing else; hand-edited ones are read like this:
// - a record ends at a comma, CR or LF, so CR LF, LF and a lone CR all end a line;
// - spaces and tabs around a record are dropped, and a record that is empty
//   then (a blank line, ",,") is skipped and does not count against the limit;
// - a record that starts with a double quote runs to the closing quote, so it
//   may hold commas; whatever follows the quote up to the next comma or line
//   end is dropped. A line end closes even an unclosed quote, so one stray
//   quote cannot swallow the rest of the file;
// - NUL bytes are dropped wherever they stand;
// - a record keeps at most kMaxRecordLength characters: a file without line
//   ends would otherwise make one entry of megabytes, slow to show and of no use.

namespace kvex {

namespace {

bool EndsRecord(char c) { return c == ',' || c == '\r' || c == '\n'; }
bool EndsLine(char c) { return c == '\r' || c == '\n'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

bool StartsWithMark(std::string_view bytes) {
    return bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark || bytes.substr(0, kUtf16LeMark.size()) == kUtf16LeMark;
}

// UTF-16 units of the character whose UTF-8 form starts with this byte; 0
// for a continuation byte. The text is valid UTF-8 (DecodeListFile).
std::size_t UnitsStartingWith(unsigned char b) {
    if ((b & 0xC0) == 0x80) return 0;
    return b >= 0xF0 ? 2 : 1;
}

// Appends bytes[i..] up to the first byte for which stop() holds, leaving NULs
// out and keeping the record within kMaxRecordLength; returns the index of
// that byte (or the end).
template <typename Stop>
std::size_t TakeUntil(std::string_view bytes, std::size_t i, Stop stop, std::string& out) {
    std::size_t units = 0;
    bool full = false;
    for (; i < bytes.size() && !stop(bytes[i]); ++i) {
        if (bytes[i] == '\0' || full) continue;
        units += UnitsStartingWith(static_cast<unsigned char>(bytes[i]));
        if (units > kMaxRecordLength) {
            full = true;  // a whole character left out, never a part of one
            continue;
        }
        out.push_back(bytes[i]);
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

std::string DecodeListFile(std::string_view bytes, const AnsiCodePage& ansi) {
    if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark) return ValidUtf8(bytes.substr(kUtf8Mark.size()));
    if (bytes.substr(0, kUtf16LeMark.size()) == kUtf16LeMark) return Utf16LeToUtf8(bytes.substr(kUtf16LeMark.size()));
    // Plain ASCII reads the same in every ANSI code page.
    if (IsAscii(bytes)) return std::string(bytes);
    return ValidUtf8(ansi.toUtf8(bytes));
}

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

std::string EncodeListFile(std::string_view text, const AnsiCodePage& ansi) {
    if (IsAscii(text)) return std::string(text);
    // ANSI text that starts like a byte-order mark would not read back as itself.
    auto bytes = ansi.fromUtf8(text);
    if (bytes && !StartsWithMark(*bytes)) return std::move(*bytes);
    std::string marked(kUtf8Mark);
    marked.append(text);
    return marked;
}

}  // namespace kvex
