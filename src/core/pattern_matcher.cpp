#include "core/pattern_matcher.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>

#include "core/unicode_text.h"

namespace kvex {

namespace {

constexpr int kInvalidPatternNumber = 93;
constexpr const char* kInvalidPatternDescription = "Invalid pattern string";
constexpr std::size_t kNone = std::string_view::npos;

// The matcher runs on bytes when pattern and text are ASCII, which is
// nearly always and fast, and on decoded characters otherwise: the same
// code, instantiated for both.
using Chars = std::u32string_view;

char32_t At(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }
char32_t At(Chars s, std::size_t i) { return s[i]; }

// Eight bytes at a time, so that long runs of plain tokens cost little.
using Block = std::uint64_t;
constexpr std::size_t kBlockSize = sizeof(Block);
constexpr Block kOnes = 0x0101010101010101ull;
constexpr Block kHighs = 0x8080808080808080ull;

Block LoadBlock(const char* bytes) {
    Block block;
    std::memcpy(&block, bytes, kBlockSize);
    return block;
}

// 0x80 in each byte of the block that equals c, 0 elsewhere (exact, no carries).
Block BytesEqual(Block block, char c) {
    const Block x = block ^ (kOnes * static_cast<unsigned char>(c));
    return ~(((x & ~kHighs) + ~kHighs) | x) & kHighs;
}

// Outcome of reading one "[...]" list: where it ends and whether it holds the character.
struct ListScan {
    std::size_t end;  // index just past the closing "]", kNone when malformed
    bool hit;
};

// The one reader of list syntax, shared by validation and matching so the two
// can never disagree. "[]" is an empty list (matches nothing) and "[!]" matches
// any byte; "]" therefore never stands inside a list. A "-" is literal at the
// start (after "!") and right before the closing "]".
template <class Seq>
ListScan ScanList(Seq p, std::size_t open, char32_t c) {
    const std::size_t m = p.size();
    std::size_t k = open + 1;
    bool negate = false;
    if (k < m && p[k] == '!') {
        negate = true;
        ++k;
    }
    bool hit = false;
    if (k < m && p[k] == '-') {
        hit = c == '-';
        ++k;
    }
    while (k < m && p[k] != ']') {
        const char32_t lo = At(p, k);
        if (k + 2 < m && p[k + 1] == '-' && p[k + 2] != ']') {
            const char32_t hi = At(p, k + 2);
            if (lo > hi) return {kNone, false};
            hit |= lo <= c && c <= hi;
            k += 3;
        } else {
            hit |= lo == c;
            ++k;
        }
    }
    if (k >= m) return {kNone, false};
    return {k + 1, hit != negate};
}

// What one pass over a pattern tells the matcher. A pattern with stars is a
// fixed head, a middle from the first star to the last, and a fixed tail; one
// without stars is all head and tail at once.
struct PatternShape {
    bool valid = true;
    bool ascii = true;          // every byte below 0x80 (known complete only when valid)
    bool hasList = false;
    bool oneCharTokens = false;  // "?" or a list, which take one character each
    std::size_t firstStar = kNone;
    std::size_t lastStar = kNone;
    std::size_t headTokens = 0;  // tokens before the first star
    std::size_t tailTokens = 0;  // tokens after the last star
};

// What the shape pass stops at: a star, a list and anything not ASCII.
bool StopsShape(char c) { return c == '*' || c == '[' || static_cast<unsigned char>(c) >= 0x80; }
bool StopsShape(char32_t c) { return c == '*' || c == '[' || c >= 0x80; }

// Index of the first byte that stops the shape pass at or after i in a run
// known to be longer than a block, or the end.
// question: set when the run holds a "?".
std::size_t SkipLongPlainRun(Chars p, std::size_t i, bool& question) {
    for (; i < p.size() && !StopsShape(p[i]); ++i) question |= p[i] == '?';
    return i;
}

std::size_t SkipLongPlainRun(std::string_view p, std::size_t i, bool& question) {
    for (; i + kBlockSize <= p.size(); i += kBlockSize) {
        const Block block = LoadBlock(p.data() + i);
        if ((BytesEqual(block, '*') | BytesEqual(block, '[') | (block & kHighs)) != 0) break;
        question |= BytesEqual(block, '?') != 0;
    }
    for (; i < p.size() && !StopsShape(p[i]); ++i) question |= p[i] == '?';
    return i;
}

// Every byte outside a list is a token, so token counts follow from positions
// once the extra bytes of the lists are known; only "*" and "[" need a look.
template <class Seq>
PatternShape ReadShape(Seq p) {
    PatternShape shape;
    const std::size_t m = p.size();
    std::size_t listBytes = 0;  // bytes of lists beyond one per list, since the last star
    bool question = false;
    for (std::size_t i = 0;;) {
        // Short gaps are the rule; only a long run is worth scanning by blocks.
        const std::size_t stop = std::min(m, i + kBlockSize);
        for (; i < stop && !StopsShape(p[i]); ++i) question |= p[i] == '?';
        if (i == stop && i < m) i = SkipLongPlainRun(p, i, question);
        if (i == m) break;
        if (At(p, i) >= 0x80) {
            shape.ascii = false;
            // Bytes that are not ASCII: the caller decodes and starts again.
            if constexpr (std::is_same_v<Seq, std::string_view>) return shape;
            ++i;
        } else if (p[i] == '*') {
            if (shape.firstStar == kNone) {
                shape.firstStar = i;
                shape.headTokens = i - listBytes;
            }
            shape.lastStar = i++;
            listBytes = 0;
        } else {
            shape.hasList = true;
            const std::size_t end = ScanList(p, i, 0).end;
            if (end == kNone) return {false, shape.ascii, true, true, kNone, kNone, 0, 0};
            if constexpr (std::is_same_v<Seq, std::string_view>) {
                for (std::size_t k = i + 1; k < end; ++k) {
                    if (At(p, k) >= 0x80) {
                        shape.ascii = false;
                        return shape;
                    }
                }
            }
            listBytes += end - i - 1;
            i = end;
        }
    }
    const std::size_t tailStart = shape.lastStar == kNone ? 0 : shape.lastStar + 1;
    shape.tailTokens = m - tailStart - listBytes;
    if (shape.firstStar == kNone) shape.headTokens = shape.tailTokens;
    shape.oneCharTokens = question || shape.hasList;
    return shape;
}

template <class Ch>
bool IsPlainByte(Ch c) { return c != '*' && c != '?' && c != '#' && c != '['; }

// Star-free tokens p[pi..pend) against one byte each from text[t]; the caller
// has made sure the text is long enough. Returns the text position reached,
// kNone on a mismatch.
template <class Seq>
std::size_t MatchFixed(Seq text, std::size_t t, Seq p, std::size_t pi, std::size_t pend) {
    for (; pi < pend; ++t) {
        const auto pc = p[pi];
        const auto c = text[t];
        if (pc == c && pc != '#' && pc != '[') {
            ++pi;  // a plain byte or "?" facing the same byte: the common case
        } else if (pc == '?') {
            ++pi;
        } else if (pc == '#') {
            if (c < '0' || c > '9') return kNone;
            ++pi;
        } else if (pc == '[') {
            const ListScan list = ScanList(p, pi, At(text, t));
            if (!list.hit) return kNone;
            pi = list.end;
        } else {
            return kNone;  // a plain byte facing another
        }
    }
    return t;
}

// A run of tokens between two stars: where it ends, how many bytes it takes,
// and whether it is plain bytes only (then a byte compare will do).
struct Segment {
    std::size_t end;
    std::size_t tokens;
    bool plain;
};

template <class Seq>
Segment ReadSegment(Seq p, std::size_t pi) {
    Segment segment{pi, 0, true};
    while (p[segment.end] != '*') {
        if (p[segment.end] == '[') {
            segment.end = ScanList(p, segment.end, 0).end;
            segment.plain = false;
        } else {
            segment.plain = segment.plain && IsPlainByte(p[segment.end]);
            ++segment.end;
        }
        ++segment.tokens;
    }
    return segment;
}

bool SameBytes(const char32_t* a, const char32_t* b, std::size_t n) { return std::equal(a, a + n, b); }

// Segments are mostly short, where a call to memcmp costs more than the compare.
bool SameBytes(const char* a, const char* b, std::size_t n) {
    std::size_t i = 0;
    for (; i + kBlockSize <= n; i += kBlockSize) {
        if (LoadBlock(a + i) != LoadBlock(b + i)) return false;
    }
    for (; i < n; ++i) {
        if (a[i] != b[i]) return false;
    }
    return true;
}

std::size_t FindByte(Chars text, std::size_t from, std::size_t last, char32_t c) {
    for (; from <= last; ++from) {
        if (text[from] == c) return from;
    }
    return kNone;
}

// First index of byte c in text[from..last], or kNone. The byte is mostly
// near, where a call to memchr costs more than a look.
std::size_t FindByte(std::string_view text, std::size_t from, std::size_t last, char c) {
    for (const std::size_t stop = std::min(last + 1, from + kBlockSize); from < stop; ++from) {
        if (text[from] == c) return from;
    }
    if (from > last) return kNone;
    const void* found = std::memchr(text.data() + from, c, last - from + 1);
    return found ? static_cast<std::size_t>(static_cast<const char*>(found) - text.data()) : kNone;
}

// Leftmost place in text[from..end) where the segment at p[pi] fits, or kNone.
template <class Seq>
std::size_t FindSegment(Seq text, std::size_t from, std::size_t end, Seq p, std::size_t pi,
                        const Segment& segment) {
    if (end - from < segment.tokens) return kNone;
    const std::size_t last = end - segment.tokens;
    const bool firstIsPlain = IsPlainByte(p[pi]);
    for (std::size_t q = from; q <= last; ++q) {
        if (firstIsPlain) {
            q = FindByte(text, q, last, p[pi]);
            if (q == kNone) return kNone;
        }
        const bool fits = segment.plain
                              ? SameBytes(text.data() + q, p.data() + pi, segment.tokens)
                              : MatchFixed(text, q, p, pi, segment.end) != kNone;
        if (fits) return q;
    }
    return kNone;
}

// The middle p[firstStar..lastStar] against text[t..end). Each segment between
// two stars goes to its leftmost fit: a later star can always take up the
// slack, so no earlier choice ever has to be revisited. O(len(text) *
// len(pattern)), no recursion, no allocation.
template <class Seq>
bool MatchMiddle(Seq text, std::size_t t, std::size_t end, Seq p, std::size_t pi, std::size_t lastStar) {
    for (;;) {
        while (p[pi] == '*' && pi < lastStar) ++pi;
        if (pi == lastStar) return true;  // the last star takes whatever is left
        const Segment segment = ReadSegment(p, pi);
        const std::size_t at = FindSegment(text, t, end, p, pi, segment);
        if (at == kNone) return false;
        t = at + segment.tokens;
        pi = segment.end;
    }
}

// Head and tail are anchored at the two ends of the text, so they are
// settled before the middle, where a failing name has mostly already failed.
template <class Seq>
MatchResult MatchWellFormed(Seq text, Seq p, const PatternShape& shape) {
    const std::size_t n = text.size();
    if (shape.firstStar == kNone) {
        if (shape.tailTokens != n) return MatchResult::NoMatch;
        return MatchFixed(text, 0, p, 0, p.size()) == kNone ? MatchResult::NoMatch : MatchResult::Match;
    }
    if (shape.headTokens + shape.tailTokens > n) return MatchResult::NoMatch;
    const std::size_t t = MatchFixed(text, 0, p, 0, shape.firstStar);
    if (t == kNone) return MatchResult::NoMatch;
    const std::size_t tailStart = n - shape.tailTokens;
    if (MatchFixed(text, tailStart, p, shape.lastStar + 1, p.size()) == kNone) return MatchResult::NoMatch;
    return MatchMiddle(text, t, tailStart, p, shape.firstStar, shape.lastStar) ? MatchResult::Match
                                                                              : MatchResult::NoMatch;
}

// The same test as IsAscii, here where the compiler can inline it.
bool IsAsciiText(std::string_view text) {
    std::size_t i = 0;
    for (; i + kBlockSize <= text.size(); i += kBlockSize) {
        if (LoadBlock(text.data() + i) & kHighs) return false;
    }
    for (; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) >= 0x80) return false;
    }
    return true;
}

std::u32string Decode(std::string_view text) {
    std::u32string chars;
    chars.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) chars.push_back(NextChar(text, i));
    return chars;
}

MatchResult MatchDecoded(std::string_view text, std::string_view pattern) {
    const std::u32string p = Decode(pattern);
    const PatternShape shape = ReadShape(Chars(p));
    if (!shape.valid) return MatchResult::InvalidPattern;
    const std::u32string t = Decode(text);
    return MatchWellFormed(Chars(t), Chars(p), shape);
}

}  // namespace

PatternError InvalidPatternError() { return {kInvalidPatternNumber, kInvalidPatternDescription}; }

bool IsValidPattern(std::string_view pattern) {
    const PatternShape shape = ReadShape(pattern);
    if (shape.ascii && (shape.valid || IsAscii(pattern))) return shape.valid;
    const std::u32string chars = Decode(pattern);
    return ReadShape(Chars(chars)).valid;
}

MatchResult MatchPattern(std::string_view text, std::string_view pattern) {
    // An ASCII pattern whose every token takes a fixed ASCII byte (plain,
    // "#") or any run ("*") meets ASCII bytes only at character starts, so
    // bytes give the answer characters would, whatever the text.
    const PatternShape shape = ReadShape(pattern);
    if (shape.ascii && shape.valid) {
        if (!shape.oneCharTokens || IsAsciiText(text)) return MatchWellFormed(text, pattern, shape);
    } else if (shape.ascii && IsAscii(pattern)) {
        return MatchResult::InvalidPattern;
    }
    return MatchDecoded(text, pattern);
}

}  // namespace kvex
