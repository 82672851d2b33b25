#include "shared/pattern_matcher.h"

#include <cstddef>
#include <cstring>

namespace kvex {

namespace {

constexpr int kInvalidPatternNumber = 93;
constexpr const char* kInvalidPatternDescription = "Invalid pattern string";
constexpr std::size_t kNone = std::string_view::npos;

using Byte = unsigned char;

Byte At(std::string_view s, std::size_t i) { return static_cast<Byte>(s[i]); }

// Outcome of reading one "[...]" list: where it ends and whether it holds a byte.
struct ListScan {
    std::size_t end;  // index just past the closing "]", kNone when malformed
    bool hit;
};

// The one reader of list syntax, shared by validation and matching so the two
// can never disagree. "[]" is an empty list (matches nothing) and "[!]" matches
// any byte; "]" therefore never stands inside a list. A "-" is literal at the
// start (after "!") and right before the closing "]".
ListScan ScanList(std::string_view p, std::size_t open, Byte c) {
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
        const Byte lo = At(p, k);
        if (k + 2 < m && p[k + 1] == '-' && p[k + 2] != ']') {
            const Byte hi = At(p, k + 2);
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

// What one forward pass over a well-formed pattern tells the matcher.
struct PatternShape {
    bool valid = true;
    std::size_t tokens = 0;          // tokens other than "*": each takes one byte
    std::size_t lastStar = kNone;    // index of the last "*" token
    std::size_t tailTokens = 0;      // tokens after it
};

PatternShape ReadShape(std::string_view p) {
    PatternShape shape;
    std::size_t i = 0;
    while (i < p.size()) {
        if (p[i] == '*') {
            shape.lastStar = i++;
            shape.tailTokens = 0;
            continue;
        }
        if (p[i] == '[') {
            i = ScanList(p, i, 0).end;
            if (i == kNone) return {false, 0, kNone, 0};
        } else {
            ++i;
        }
        ++shape.tokens;
        ++shape.tailTokens;
    }
    return shape;
}

bool IsPlainByte(char c) { return c != '*' && c != '?' && c != '#' && c != '['; }

// Does the token at p[pi] take byte c? Sets next to the index after the token.
bool TokenTakes(std::string_view p, std::size_t pi, Byte c, std::size_t& next) {
    next = pi + 1;
    switch (p[pi]) {
        case '?': return true;
        case '#': return c >= '0' && c <= '9';
        case '[': {
            const ListScan list = ScanList(p, pi, c);
            next = list.end;
            return list.hit;
        }
        default: return At(p, pi) == c;
    }
}

// Greedy matching with one restart point at the last star seen. Every token but
// "*" takes exactly one byte, so once a later star is reached no earlier star
// ever has to give back what it skipped: O(len(text) * len(pattern)), no
// recursion, no allocation.
MatchResult MatchWellFormed(std::string_view text, std::string_view p, const PatternShape& shape) {
    const std::size_t n = text.size();
    const std::size_t m = p.size();
    if (shape.tokens > n) return MatchResult::NoMatch;
    if (shape.lastStar == kNone && shape.tokens != n) return MatchResult::NoMatch;

    std::size_t t = 0;
    std::size_t pi = 0;
    std::size_t starP = kNone;  // where matching resumes after the current star
    std::size_t starT = 0;      // text position the current star has reached

    // A star followed by a plain byte can only end right before that byte.
    auto skipToNextCandidate = [&]() {
        if (!IsPlainByte(p[starP])) return true;
        const void* found = starT < n ? std::memchr(text.data() + starT, p[starP], n - starT) : nullptr;
        if (found == nullptr) return false;
        t = starT = static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
        return true;
    };

    for (;;) {
        if (pi < m && p[pi] == '*') {
            while (pi < m && p[pi] == '*') ++pi;
            if (pi == shape.lastStar + 1) {
                // The last star: what follows has a fixed length, so it can only
                // sit at the very end of the text.
                if (n - t < shape.tailTokens) return MatchResult::NoMatch;
                t = n - shape.tailTokens;
                starP = kNone;
            } else {
                starP = pi;
                starT = t;
                if (!skipToNextCandidate()) return MatchResult::NoMatch;
            }
        }
        if (t == n) break;
        std::size_t next;
        if (pi < m && TokenTakes(p, pi, At(text, t), next)) {
            ++t;
            pi = next;
            continue;
        }
        if (starP == kNone) return MatchResult::NoMatch;
        pi = starP;
        t = ++starT;
        if (!skipToNextCandidate()) return MatchResult::NoMatch;
    }
    while (pi < m && p[pi] == '*') ++pi;
    return pi == m ? MatchResult::Match : MatchResult::NoMatch;
}

}  // namespace

PatternError InvalidPatternError() { return {kInvalidPatternNumber, kInvalidPatternDescription}; }

bool IsValidPattern(std::string_view pattern) { return ReadShape(pattern).valid; }

MatchResult MatchPattern(std::string_view text, std::string_view pattern) {
    const PatternShape shape = ReadShape(pattern);
    if (!shape.valid) return MatchResult::InvalidPattern;
    return MatchWellFormed(text, pattern, shape);
}

}  // namespace kvex
