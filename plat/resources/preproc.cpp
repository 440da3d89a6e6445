// Preprocessor and tokenizer of resource scripts.
#include "resources/preproc.h"
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include "resources/expr.h"
#include "resources/script.h"

namespace {

bool ends_with(const std::string &s, const char *suffix) {
    size_t n = strlen(suffix);
    if (s.size() < n) return false;
    for (size_t i = 0; i < n; ++i)
        if (tolower((unsigned char)s[s.size() - n + i]) != suffix[i]) return false;
    return true;
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = (char)tolower((unsigned char)c);
    return (c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
}

class Preprocessor {
  public:
    explicit Preprocessor(std::vector<std::string> &errors) : errors_(errors) {
        macros_["RC_INVOKED"] = {number_token(1)};
    }

    void run_file(const std::string &name, bool script, int depth) {
        const std::string *bytes = rc_file(name);
        if (bytes == nullptr) {
            error(name, 0, "file not embedded");
            return;
        }
        including_.push_back(name);
        std::string dir =
            name.find('/') == std::string::npos ? std::string() : name.substr(0, name.rfind('/'));
        std::vector<std::string> lines = logical_lines(*bytes);
        size_t conditionals = cond_.size();
        bool in_comment = false;
        for (size_t i = 0; i < lines.size(); ++i) {
            int line_no = (int)i + 1;
            std::string line = strip_comments(lines[i], in_comment);
            size_t p = line.find_first_not_of(" \t");
            if (p != std::string::npos && line[p] == '#') {
                directive(line.substr(p + 1), name, dir, line_no, depth);
                continue;
            }
            if (!script || !active()) continue;
            std::vector<RcToken> toks = tokenize(line, name, line_no);
            expand(toks, out_);
        }
        if (cond_.size() != conditionals) {
            error(name, (int)lines.size(), "#if without #endif");
            cond_.resize(conditionals);
        }
        including_.pop_back();
    }

    // The end stands where the last token does: a statement cut short is reported there.
    std::vector<RcToken> finish() {
        RcToken end;
        end.kind = RcToken::End;
        if (!out_.empty()) end.file = out_.back().file, end.line = out_.back().line;
        out_.push_back(end);
        return std::move(out_);
    }

  private:
    struct Cond {
        bool active; // this branch is read
        bool taken;  // a branch of this #if was already read
        bool outer;  // the enclosing text is read
    };

    std::vector<std::string> &errors_;
    std::map<std::string, std::vector<RcToken>> macros_;
    std::vector<Cond> cond_;
    std::vector<RcToken> out_;
    std::set<std::string> expanding_;
    std::vector<std::string> including_; // the files being read, outermost first
    // Bounds on what a script can make of its macros: a chain of macros may not nest deeper,
    // nor the whole script expand to more tokens, than any real script comes near.
    static const int max_macro_depth = 64;
    static const size_t max_tokens = 1u << 18;
    static const int max_include_depth = 16;
    size_t produced_ = 0; // tokens that expansion has passed on, over the whole script
    bool too_large_ = false;

    void error(const std::string &file, int line, const std::string &msg) {
        errors_.push_back(file + ":" + std::to_string(line) + ": " + msg);
    }

    bool active() const { return cond_.empty() || cond_.back().active; }

    static RcToken number_token(long long v) {
        RcToken t;
        t.kind = RcToken::Number;
        t.value = v;
        t.text = std::to_string(v);
        return t;
    }

    // Lines with their continuations joined; CR LF and LF both end a line.
    static std::vector<std::string> logical_lines(const std::string &bytes) {
        std::vector<std::string> lines;
        std::string cur;
        for (size_t i = 0; i <= bytes.size(); ++i) {
            if (i == bytes.size() || bytes[i] == '\n') {
                if (!cur.empty() && cur.back() == '\r') cur.pop_back();
                if (!cur.empty() && cur.back() == '\\' && i < bytes.size()) {
                    cur.pop_back();
                    lines.push_back(""); // the joined text is numbered by its last line
                    continue;
                }
                lines.push_back(cur);
                cur.clear();
            } else {
                cur.push_back(bytes[i]);
            }
        }
        return lines;
    }

    // Removes comments outside string literals; a block comment may span lines.
    static std::string strip_comments(const std::string &line, bool &in_comment) {
        std::string out;
        bool in_string = false;
        for (size_t i = 0; i < line.size(); ++i) {
            char c = line[i];
            if (in_comment) {
                if (c == '*' && i + 1 < line.size() && line[i + 1] == '/') {
                    in_comment = false;
                    ++i;
                    out.push_back(' ');
                }
                continue;
            }
            if (in_string) {
                out.push_back(c);
                if (c == '\\' && i + 1 < line.size())
                    out.push_back(line[++i]);
                else if (c == '"')
                    in_string = false;
                continue;
            }
            if (c == '"') in_string = true;
            if (c == '/' && i + 1 < line.size() && line[i + 1] == '/') break;
            if (c == '/' && i + 1 < line.size() && line[i + 1] == '*') {
                in_comment = true;
                ++i;
                continue;
            }
            out.push_back(c);
        }
        return out;
    }

    std::vector<RcToken> tokenize(const std::string &line, const std::string &file, int line_no) {
        std::vector<RcToken> toks;
        size_t i = 0;
        while (i < line.size()) {
            char c = line[i];
            if (isspace((unsigned char)c)) {
                ++i;
                continue;
            }
            RcToken t;
            t.file = file;
            t.line = line_no;
            if (c == 'L' && i + 1 < line.size() && line[i + 1] == '"') c = line[++i];
            if (c == '"') {
                t.kind = RcToken::String;
                i = read_string(line, i + 1, t.text, file, line_no);
            } else if (isalpha((unsigned char)c) || c == '_') {
                size_t j = i;
                while (j < line.size() && (isalnum((unsigned char)line[j]) || line[j] == '_')) ++j;
                t.kind = RcToken::Ident;
                t.text = line.substr(i, j - i);
                i = j;
            } else if (isdigit((unsigned char)c)) {
                size_t j = i;
                while (j < line.size() && isalnum((unsigned char)line[j])) ++j;
                t.kind = RcToken::Number;
                t.text = line.substr(i, j - i);
                std::string digits = t.text;
                while (!digits.empty() && strchr("lLuU", digits.back())) digits.pop_back();
                char *end = nullptr;
                t.value = strtoll(digits.c_str(), &end, 0);
                if (end == nullptr || *end != '\0') error(file, line_no, "bad number " + t.text);
                i = j;
            } else {
                static const char *two[] = {"==", "!=", "<=", ">=", "&&", "||"};
                t.kind = RcToken::Punct;
                t.text = std::string(1, c);
                for (const char *op : two)
                    if (line.compare(i, 2, op) == 0) t.text = op;
                i += t.text.size();
            }
            toks.push_back(t);
        }
        return toks;
    }

    // A string literal: "" stands for a quote, and the C escapes are resolved.
    size_t read_string(const std::string &line, size_t i, std::string &out, const std::string &file,
                       int line_no) {
        while (i < line.size()) {
            char c = line[i++];
            if (c == '"') {
                if (i < line.size() && line[i] == '"') {
                    out.push_back('"');
                    ++i;
                    continue;
                }
                return i;
            }
            if (c != '\\' || i >= line.size()) {
                out.push_back(c);
                continue;
            }
            char e = line[i++];
            switch (e) {
            case 'n':
                out.push_back('\n');
                break;
            case 'r':
                out.push_back('\r');
                break;
            case 't':
                out.push_back('\t');
                break;
            case 'a':
                out.push_back('\a');
                break;
            case 'x': {
                int v = 0, n = 0;
                while (n < 2 && i < line.size() && hex_digit(line[i]) >= 0)
                    v = v * 16 + hex_digit(line[i++]), ++n;
                out.push_back((char)v);
                break;
            }
            default:
                if (e >= '0' && e <= '7') {
                    int v = e - '0', n = 1;
                    while (n < 3 && i < line.size() && line[i] >= '0' && line[i] <= '7')
                        v = v * 8 + (line[i++] - '0'), ++n;
                    out.push_back((char)v);
                } else {
                    out.push_back(e); // \\ and \" and anything else: the character itself
                }
            }
        }
        error(file, line_no, "unterminated string");
        return i;
    }

    void expand(const std::vector<RcToken> &in, std::vector<RcToken> &out, int depth = 0) {
        for (const RcToken &t : in) {
            if (++produced_ > max_tokens) {
                if (!too_large_) error(t.file, t.line, "macros expand to too many tokens");
                too_large_ = true;
                return;
            }
            auto it = t.kind == RcToken::Ident ? macros_.find(t.text) : macros_.end();
            if (it == macros_.end() || expanding_.count(t.text)) {
                out.push_back(t);
                continue;
            }
            if (depth >= max_macro_depth) {
                error(t.file, t.line, "macros nested too deeply: " + t.text);
                continue;
            }
            expanding_.insert(t.text);
            std::vector<RcToken> body = it->second;
            for (RcToken &b : body) b.file = t.file, b.line = t.line;
            expand(body, out, depth + 1);
            expanding_.erase(t.text);
        }
    }

    void directive(const std::string &text, const std::string &file, const std::string &dir,
                   int line, int depth) {
        std::vector<RcToken> toks = tokenize(text, file, line);
        if (toks.empty()) return;
        const std::string &kw = toks[0].text;
        if (kw == "if" || kw == "ifdef" || kw == "ifndef") {
            bool outer = active();
            bool v = false;
            if (outer)
                v = kw == "if"
                        ? eval_condition(toks, 1, file, line)
                        : (toks.size() > 1 && macros_.count(toks[1].text)) == (kw == "ifdef");
            cond_.push_back({outer && v, v, outer});
        } else if (kw == "elif") {
            if (cond_.empty()) return error(file, line, "#elif without #if");
            Cond &c = cond_.back();
            bool v = c.outer && !c.taken && eval_condition(toks, 1, file, line);
            c.active = v;
            c.taken = c.taken || v;
        } else if (kw == "else") {
            if (cond_.empty()) return error(file, line, "#else without #if");
            Cond &c = cond_.back();
            c.active = c.outer && !c.taken;
            c.taken = true;
        } else if (kw == "endif") {
            if (cond_.empty()) return error(file, line, "#endif without #if");
            cond_.pop_back();
        } else if (!active()) {
            return;
        } else if (kw == "include") {
            include(text, file, dir, line, depth);
        } else if (kw == "define") {
            if (toks.size() < 2 || toks[1].kind != RcToken::Ident)
                return error(file, line, "bad #define");
            // A function-like macro (name directly followed by '(') is of no use to a script.
            size_t name_end = text.find(toks[1].text) + toks[1].text.size();
            if (name_end < text.size() && text[name_end] == '(') return;
            macros_[toks[1].text] = std::vector<RcToken>(toks.begin() + 2, toks.end());
        } else if (kw == "undef") {
            if (toks.size() > 1) macros_.erase(toks[1].text);
        } else if (kw == "error") {
            error(file, line, "#error" + text.substr(5));
        } // #pragma and the rest: nothing for us
    }

    void include(const std::string &text, const std::string &file, const std::string &dir, int line,
                 int depth) {
        size_t open = text.find_first_of("\"<");
        size_t close = open == std::string::npos
                           ? std::string::npos
                           : text.find(text[open] == '"' ? '"' : '>', open + 1);
        if (close == std::string::npos) return error(file, line, "bad #include");
        std::string name = text.substr(open + 1, close - open - 1);
        if (text[open] == '<') {
            // The system headers: their constants are built in.
            if (ends_with(name, "windows.h") || ends_with(name, "commctrl.h") ||
                ends_with(name, "winres.h") || ends_with(name, "winresrc.h"))
                return;
            return error(file, line, "unknown system header " + name);
        }
        std::string path = rc_join(dir, name);
        for (const std::string &f : including_)
            if (f == path) return error(file, line, "file includes itself: " + name);
        if (depth >= max_include_depth) return error(file, line, "includes nested too deeply");
        run_file(path, ends_with(path, ".rc"), depth + 1);
    }

    bool eval_condition(const std::vector<RcToken> &toks, size_t from, const std::string &file,
                        int line) {
        // defined(X) and defined X are replaced before the macros are expanded.
        std::vector<RcToken> pre;
        for (size_t i = from; i < toks.size(); ++i) {
            if (toks[i].kind == RcToken::Ident && toks[i].text == "defined") {
                bool paren = i + 1 < toks.size() && toks[i + 1].text == "(";
                size_t n = i + (paren ? 2 : 1);
                bool def = n < toks.size() && macros_.count(toks[n].text);
                pre.push_back(number_token(def ? 1 : 0));
                i = n + (paren ? 1 : 0);
                continue;
            }
            pre.push_back(toks[i]);
        }
        std::vector<RcToken> expanded;
        expand(pre, expanded);
        RcToken end;
        expanded.push_back(end);
        size_t pos = 0;
        std::string err;
        RcValue v = rc_eval(expanded, pos, true, err);
        if (!err.empty() || expanded[pos].kind != RcToken::End) {
            error(file, line, err.empty() ? "bad #if expression" : err);
            return false;
        }
        return v.value != 0;
    }
};

} // namespace

std::vector<RcToken> rc_preprocess(const std::string &script_name,
                                   std::vector<std::string> &errors) {
    Preprocessor pp(errors);
    pp.run_file(rc_join("", script_name), true, 0);
    return pp.finish();
}
