#pragma once
// A deliberately plain second implementation of the pattern language, used as
// an oracle by tests, fuzzing and the benchmark. It compiles the pattern into
// byte sets and backtracks recursively: easy to read, exponential on patterns
// with many stars, so callers keep its inputs small.
#include <bitset>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "core/pattern_matcher.h"

namespace kvex::testing {

struct Token {
    bool star = false;
    std::bitset<256> bytes;  // the bytes a one-byte token takes
};

inline unsigned char ByteAt(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

// "[...]" starting at p[i]; advances i past "]". Empty when malformed.
inline std::optional<std::bitset<256>> CompileList(std::string_view p, std::size_t& i) {
    std::size_t k = i + 1;
    const bool negate = k < p.size() && p[k] == '!';
    if (negate) ++k;
    std::bitset<256> set;
    const std::size_t first = k;
    for (; k < p.size() && p[k] != ']'; ++k) {
        const bool rangeFollows = k != first || p[k] != '-';
        if (rangeFollows && k + 2 < p.size() && p[k + 1] == '-' && p[k + 2] != ']') {
            if (ByteAt(p, k) > ByteAt(p, k + 2)) return std::nullopt;
            for (unsigned b = ByteAt(p, k); b <= ByteAt(p, k + 2); ++b) set.set(b);
            k += 2;
        } else {
            set.set(ByteAt(p, k));
        }
    }
    if (k >= p.size()) return std::nullopt;
    i = k + 1;
    return negate ? ~set : set;
}

inline std::optional<std::vector<Token>> Compile(std::string_view p) {
    std::vector<Token> tokens;
    for (std::size_t i = 0; i < p.size();) {
        Token token;
        if (p[i] == '*') {
            token.star = true;
            ++i;
        } else if (p[i] == '?') {
            token.bytes.set();
            ++i;
        } else if (p[i] == '#') {
            for (char d = '0'; d <= '9'; ++d) token.bytes.set(static_cast<unsigned char>(d));
            ++i;
        } else if (p[i] == '[') {
            auto set = CompileList(p, i);
            if (!set) return std::nullopt;
            token.bytes = *set;
        } else {
            token.bytes.set(ByteAt(p, i++));
        }
        tokens.push_back(token);
    }
    return tokens;
}

inline bool MatchTokens(std::string_view text, const Token* tok, const Token* end) {
    if (tok == end) return text.empty();
    if (tok->star) {
        for (std::size_t skip = 0; skip <= text.size(); ++skip) {
            if (MatchTokens(text.substr(skip), tok + 1, end)) return true;
        }
        return false;
    }
    return !text.empty() && tok->bytes.test(ByteAt(text, 0)) && MatchTokens(text.substr(1), tok + 1, end);
}

inline MatchResult NaiveMatch(std::string_view text, std::string_view pattern) {
    const auto tokens = Compile(pattern);
    if (!tokens) return MatchResult::InvalidPattern;
    return MatchTokens(text, tokens->data(), tokens->data() + tokens->size()) ? MatchResult::Match
                                                                              : MatchResult::NoMatch;
}

}  // namespace kvex::testing

// The benchmark still spells it this way.
namespace kvex::reference {
using testing::NaiveMatch;
}  // namespace kvex::reference
