// The pattern is first rewritten as Windows rewrites it before matching: '?' becomes "one
// character or nothing at a dot or the end", '.' before a wildcard or the end becomes "a dot
// or the end", '*' before a '.' becomes "anything up to the last dot".
#include "kernel32/wildcard.h"
#include <vector>
#include "kernel32/ansi.h"

namespace {

enum Kind { LITERAL, STAR, STAR_TO_DOT, QUESTION, DOT_OR_END };
struct Token {
    Kind kind;
    unsigned char c;
};

std::vector<Token> rewrite(const std::string &pattern) {
    std::vector<Token> t;
    std::string p = pattern == "*.*" ? "*" : pattern;
    for (size_t i = 0; i < p.size(); ++i) {
        char next = i + 1 < p.size() ? p[i + 1] : '\0';
        if (p[i] == '?') {
            t.push_back({QUESTION, 0});
        } else if (p[i] == '*') {
            t.push_back({next == '.' ? STAR_TO_DOT : STAR, 0});
        } else if (p[i] == '.' && (next == '*' || next == '?' ||
                                   p.find_first_not_of('.', i) == std::string::npos)) {
            t.push_back({DOT_OR_END, 0});
        } else {
            t.push_back({LITERAL, ansi_lower((unsigned char)p[i])});
        }
    }
    return t;
}

struct Matcher {
    const std::vector<Token> &t;
    const std::string &name;
    size_t last_dot;
    std::vector<signed char> memo; // -1 unknown, else the answer for (token, position)

    bool at(size_t ti, size_t ni) {
        signed char &m = memo[ti * (name.size() + 1) + ni];
        if (m < 0) m = compute(ti, ni) ? 1 : 0;
        return m == 1;
    }

    bool compute(size_t ti, size_t ni) {
        size_t n = name.size();
        if (ti == t.size()) return ni == n;
        bool dot_here = ni < n && name[ni] == '.';
        switch (t[ti].kind) {
        case LITERAL:
            return ni < n && ansi_lower((unsigned char)name[ni]) == t[ti].c && at(ti + 1, ni + 1);
        case STAR:
        case STAR_TO_DOT: {
            size_t limit =
                (t[ti].kind == STAR_TO_DOT && last_dot != std::string::npos && last_dot >= ni)
                    ? last_dot
                    : n;
            for (size_t k = ni; k <= limit; ++k)
                if (at(ti + 1, k)) return true;
            return false;
        }
        case QUESTION: {
            if (ni < n && !dot_here) return at(ti + 1, ni + 1);
            size_t tj = ti;
            while (tj < t.size() && t[tj].kind == QUESTION) ++tj;
            return at(tj, ni);
        }
        case DOT_OR_END:
            if (dot_here) return at(ti + 1, ni + 1);
            return ni == n && at(ti + 1, ni);
        }
        return false;
    }
};

} // namespace

bool fs_wildcard_match(const std::string &pattern, const std::string &name) {
    std::vector<Token> tokens = rewrite(pattern);
    Matcher m{tokens, name, name.rfind('.'), {}};
    m.memo.assign((tokens.size() + 1) * (name.size() + 1), -1);
    return m.at(0, 0);
}
