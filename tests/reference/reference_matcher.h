#pragma once
// A deliberately plain second matcher, byte by byte and by recursion, as an
// oracle for tests, fuzzing and the benchmark; keep its inputs small.
#include <cstddef>
#include <string_view>

#include "core/pattern_matcher.h"

namespace kvex::testing {

inline constexpr std::size_t kBadList = std::string_view::npos;

// The list opening at p[open]: whether it holds c, and the index after it, or
// kBadList when it never closes or runs a range downwards. A "-" first in the
// list or right before its "]" is itself.
inline std::size_t ScanReferenceList(std::string_view p, std::size_t open, unsigned char c, bool& hit) {
    std::size_t k = open + 1;
    const bool negate = k < p.size() && p[k] == '!';
    hit = false;
    for (const std::size_t first = k += negate; k < p.size() && p[k] != ']'; ++k) {
        const unsigned char lo = static_cast<unsigned char>(p[k]);
        if ((k != first || lo != '-') && k + 2 < p.size() && p[k + 1] == '-' && p[k + 2] != ']') {
            const unsigned char hi = static_cast<unsigned char>(p[k + 2]);
            if (lo > hi) return kBadList;
            hit = hit || (lo <= c && c <= hi);
            k += 2;
        } else {
            hit = hit || lo == c;
        }
    }
    hit = hit != negate;
    return k < p.size() ? k + 1 : kBadList;
}

inline bool ReferenceValid(std::string_view p) {
    bool hit = false;
    for (std::size_t i = 0; i < p.size();) {
        i = p[i] == '[' ? ScanReferenceList(p, i, 0, hit) : i + 1;
        if (i == kBadList) return false;
    }
    return true;
}

inline bool ReferenceMatch(std::string_view t, std::string_view p) {
    if (p.empty()) return t.empty();
    if (p[0] == '*') {
        for (std::size_t skip = 0; skip <= t.size(); ++skip) {
            if (ReferenceMatch(t.substr(skip), p.substr(1))) return true;
        }
        return false;
    }
    if (t.empty()) return false;
    const unsigned char c = static_cast<unsigned char>(t[0]);
    bool hit = p[0] == '?' || (p[0] == '#' ? c >= '0' && c <= '9' : p[0] == t[0]);
    const std::size_t next = p[0] == '[' ? ScanReferenceList(p, 0, c, hit) : 1;
    return hit && ReferenceMatch(t.substr(1), p.substr(next));
}

inline MatchResult NaiveMatch(std::string_view text, std::string_view pattern) {
    if (!ReferenceValid(pattern)) return MatchResult::InvalidPattern;
    return ReferenceMatch(text, pattern) ? MatchResult::Match : MatchResult::NoMatch;
}

}  // namespace kvex::testing
