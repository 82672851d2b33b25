#pragma once
// Latin-1 stands in for the ANSI code page: U+0000..U+00FF, one byte each.
#include <optional>
#include <string>
#include <string_view>

#include "core/filter_list_file.h"
#include "core/unicode_text.h"

namespace kvex::testing {

inline std::string Latin1ToUtf8(std::string_view ansi) {
    std::string utf8;
    for (char c : ansi) AppendUtf8(utf8, static_cast<unsigned char>(c));
    return utf8;
}

inline std::optional<std::string> Utf8ToLatin1(std::string_view utf8) {
    std::string ansi;
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t c = NextChar(utf8, i);
        if (c > 0xFF) return std::nullopt;
        ansi.push_back(static_cast<char>(c));
    }
    return ansi;
}

inline AnsiCodePage Latin1() { return {Latin1ToUtf8, Utf8ToLatin1}; }

}  // namespace kvex::testing
