#include "core/unicode_text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>

namespace kvex {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

struct FoldRange {
    char32_t first;
    char32_t last;
    int delta;
    bool everyOther;  // only the codes of first's parity (upper/lower pairs)
};

// Simple one-to-one case folding for the scripts filters are written in:
// Latin-1, Latin Extended-A, Greek, Cyrillic (with its supplement),
// Armenian and fullwidth Latin. Letters beyond these keep their case.
constexpr FoldRange kFoldRanges[] = {
    {0x0041, 0x005A, 32, false},  {0x00C0, 0x00D6, 32, false},  {0x00D8, 0x00DE, 32, false},
    {0x0100, 0x012F, 1, true},    {0x0130, 0x0130, -199, false}, {0x0132, 0x0137, 1, true},
    {0x0139, 0x0148, 1, true},    {0x014A, 0x0177, 1, true},    {0x0178, 0x0178, -121, false},
    {0x0179, 0x017E, 1, true},    {0x017F, 0x017F, -268, false}, {0x0386, 0x0386, 38, false},
    {0x0388, 0x038A, 37, false},  {0x038C, 0x038C, 64, false},  {0x038E, 0x038F, 63, false},
    {0x0391, 0x03A1, 32, false},  {0x03A3, 0x03AB, 32, false},  {0x03C2, 0x03C2, 1, false},
    {0x03D8, 0x03EF, 1, true},    {0x0400, 0x040F, 80, false},  {0x0410, 0x042F, 32, false},
    {0x0460, 0x0481, 1, true},    {0x048A, 0x04BF, 1, true},    {0x04C0, 0x04C0, 15, false},
    {0x04C1, 0x04CE, 1, true},    {0x04D0, 0x052F, 1, true},    {0x0531, 0x0556, 48, false},
    {0xFF21, 0xFF3A, 32, false},
};

// The first UTF-16 unit of a character and, beyond the BMP, the second.
std::uint32_t Utf16Key(char32_t c) {
    if (c < 0x10000) return static_cast<std::uint32_t>(c) << 16;
    const char32_t v = c - 0x10000;
    return ((0xD800 + (v >> 10)) << 16) | (0xDC00 + (v & 0x3FF));
}

}  // namespace

char32_t NextChar(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length;
    char32_t c;
    char32_t least;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, c = lead & 0x1F, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, c = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, c = lead & 0x07, least = 0x10000;
    } else {
        ++i;
        return kStrayByteBase + lead;
    }
    if (text.size() - i < length) {
        ++i;
        return kStrayByteBase + lead;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if (!IsContinuation(byte(i + k))) {
            ++i;
            return kStrayByteBase + lead;
        }
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    // Overlong forms, surrogates and codes past U+10FFFF are no characters.
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++i;
        return kStrayByteBase + lead;
    }
    i += length;
    return c;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c >= kStrayByteBase + 0x80 && c <= kStrayByteBase + 0xFF) {
        out += static_cast<char>(c - kStrayByteBase);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsAscii(std::string_view text) {
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t block;
        std::memcpy(&block, text.data() + i, 8);
        if (block & 0x8080808080808080ull) return false;
    }
    for (; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) >= 0x80) return false;
    }
    return true;
}

std::size_t Utf16Length(std::string_view text) {
    std::size_t units = 0;
    for (std::size_t i = 0; i < text.size();) units += NextChar(text, i) >= 0x10000 ? 2 : 1;
    return units;
}

bool Utf16Less(std::string_view a, std::string_view b) {
    const auto mismatch = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    const std::size_t at = static_cast<std::size_t>(std::distance(a.begin(), mismatch.first));
    if (at == a.size() || at == b.size()) return a.size() < b.size();
    // An ASCII byte on both sides starts a character on both: the common case.
    const auto ba = static_cast<unsigned char>(a[at]);
    const auto bb = static_cast<unsigned char>(b[at]);
    if (ba < 0x80 && bb < 0x80) return ba < bb;
    // UTF-8 byte order differs from UTF-16 for characters beyond the BMP
    // against U+E000..U+FFFF: compare character by character.
    std::size_t ia = 0;
    std::size_t ib = 0;
    while (ia < a.size() && ib < b.size()) {
        const char32_t ca = NextChar(a, ia);
        const char32_t cb = NextChar(b, ib);
        if (ca != cb) return Utf16Key(ca) < Utf16Key(cb);
    }
    return ia == a.size() && ib < b.size();
}

char32_t FoldCase(char32_t c) {
    if (c < 0x80) return c >= 'A' && c <= 'Z' ? c + 32 : c;
    for (const FoldRange& r : kFoldRanges) {
        if (c < r.first) break;
        if (c <= r.last && (!r.everyOther || ((c - r.first) & 1) == 0))
            return static_cast<char32_t>(static_cast<std::int32_t>(c) + r.delta);
    }
    return c;
}

std::string ValidUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t from = i;
        const char32_t c = NextChar(text, i);
        if (c >= kStrayByteBase + 0x80 && c <= kStrayByteBase + 0xFF && i == from + 1 &&
            static_cast<unsigned char>(text[from]) >= 0x80)
            AppendUtf8(out, kReplacement);
        else
            out.append(text.substr(from, i - from));
    }
    return out;
}

std::string Utf16LeToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    const std::size_t units = bytes.size() / 2;
    const auto unit = [&](std::size_t k) {
        return static_cast<char32_t>(static_cast<unsigned char>(bytes[2 * k]) |
                                     (static_cast<unsigned char>(bytes[2 * k + 1]) << 8));
    };
    for (std::size_t k = 0; k < units; ++k) {
        char32_t c = unit(k);
        if (c >= 0xD800 && c <= 0xDBFF && k + 1 < units && unit(k + 1) >= 0xDC00 && unit(k + 1) <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(k + 1) - 0xDC00);
            ++k;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        AppendUtf8(out, c);
    }
    return out;
}

}  // namespace kvex
