// Recursive descent over the C precedence levels that scripts use.
#include "resources/expr.h"

namespace {

// Arithmetic wraps around as the machine's does: no script value may overflow into
// undefined behaviour.
long long wrap(unsigned long long v) {
    return (long long)v;
}

const int max_depth = 256; // parentheses and unary operators nested in one expression

struct Eval {
    const std::vector<RcToken> &t;
    size_t &pos;
    bool preproc;
    std::string &err;
    int depth = 0;

    bool at(const char *op) const { return t[pos].kind == RcToken::Punct && t[pos].text == op; }

    RcValue primary() {
        const RcToken &tok = t[pos];
        RcValue v;
        if (depth >= max_depth) {
            if (err.empty()) err = "expression nested too deeply";
            return v;
        }
        ++depth;
        v = operand(tok);
        --depth;
        return v;
    }

    RcValue operand(const RcToken &tok) {
        RcValue v;
        if (tok.kind == RcToken::Number) {
            ++pos;
            v.value = tok.value;
        } else if (tok.kind == RcToken::Ident && tok.text == "NOT") {
            ++pos;
            RcValue inner = primary();
            v.clear = inner.value | inner.clear;
        } else if (tok.kind == RcToken::Ident) {
            ++pos;
            if (!rc_builtin_symbol(tok.text, &v.value) && !preproc && err.empty())
                err = "unknown name " + tok.text;
        } else if (at("(")) {
            ++pos;
            v = binary(0);
            if (at(")"))
                ++pos;
            else if (err.empty())
                err = "missing )";
        } else if (at("-") || at("~") || at("!") || at("+")) {
            std::string op = tok.text;
            ++pos;
            RcValue inner = primary();
            v.value = op == "-"   ? wrap(0 - (unsigned long long)inner.value)
                      : op == "~" ? ~inner.value
                      : op == "!" ? !inner.value
                                  : inner.value;
        } else if (err.empty()) {
            err = tok.kind == RcToken::End ? "expression expected" : "unexpected " + tok.text;
        }
        return v;
    }

    static int level(const std::string &op) {
        static const std::vector<std::vector<std::string>> levels = {
            {"||"},     {"&&"},         {"|"}, {"&"}, {"==", "!="}, {"<", "<=", ">", ">="},
            {"+", "-"}, {"*", "/", "%"}};
        for (size_t i = 0; i < levels.size(); ++i)
            for (const std::string &o : levels[i])
                if (o == op) return (int)i;
        return -1;
    }

    RcValue binary(int min_level) {
        RcValue lhs = primary();
        while (t[pos].kind == RcToken::Punct) {
            std::string op = t[pos].text;
            int lv = level(op);
            if (lv < min_level || lv < 0) break;
            ++pos;
            RcValue rhs = binary(lv + 1);
            long long a = lhs.value, b = rhs.value;
            unsigned long long ua = (unsigned long long)a, ub = (unsigned long long)b;
            if ((op == "/" || op == "%") && b == 0) {
                if (err.empty()) err = "division by zero";
                b = 1;
            }
            // The one quotient that does not fit: the smallest value divided by -1.
            if ((op == "/" || op == "%") && b == -1) a = op == "/" ? wrap(0 - ua) : 0, b = 1;
            lhs.value = op == "||"   ? (a || b)
                        : op == "&&" ? (a && b)
                        : op == "|"  ? (a | b)
                        : op == "&"  ? (a & b)
                        : op == "==" ? (a == b)
                        : op == "!=" ? (a != b)
                        : op == "<"  ? (a < b)
                        : op == "<=" ? (a <= b)
                        : op == ">"  ? (a > b)
                        : op == ">=" ? (a >= b)
                        : op == "+"  ? wrap(ua + ub)
                        : op == "-"  ? wrap(ua - ub)
                        : op == "*"  ? wrap(ua * ub)
                        : op == "/"  ? a / b
                                     : a % b;
            lhs.clear |= rhs.clear;
        }
        return lhs;
    }
};

} // namespace

RcValue rc_eval(const std::vector<RcToken> &toks, size_t &pos, bool preproc, std::string &err) {
    Eval e{toks, pos, preproc, err};
    return e.binary(0);
}
