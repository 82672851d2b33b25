#pragma once
// Text inside the component is UTF-8. What the user sees is counted and
// ordered the way Windows holds it, in UTF-16 code units. A byte that is no
// part of valid UTF-8 stands for one character of its own (code 0xDC00 +
// byte, a lone low surrogate no valid text can produce), so nothing is lost
// and two different texts never look the same.
#include <cstddef>
#include <string>
#include <string_view>

namespace kvex {

inline constexpr char32_t kStrayByteBase = 0xDC00;

// The character at text[i]; i moves past it. i must be below text.size().
char32_t NextChar(std::string_view text, std::size_t& i);

// Appends one character as UTF-8 (a stray-byte code as the byte itself).
void AppendUtf8(std::string& out, char32_t c);

// True when every byte is below 0x80.
bool IsAscii(std::string_view text);

// Length in UTF-16 code units: what the user sees as characters.
std::size_t Utf16Length(std::string_view text);

// Ordinal order of the UTF-16 code units; a prefix sorts first.
bool Utf16Less(std::string_view a, std::string_view b);

// The character with letter case removed, for comparisons that ignore case.
char32_t FoldCase(char32_t c);

// The text with every stray byte replaced by U+FFFD.
std::string ValidUtf8(std::string_view text);

// UTF-16LE bytes as UTF-8 (an odd last byte is dropped; a lone surrogate
// becomes U+FFFD).
std::string Utf16LeToUtf8(std::string_view bytes);

}  // namespace kvex
