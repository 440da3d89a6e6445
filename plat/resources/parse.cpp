// Statements of a resource script: ICON, CURSOR, DIALOG and DIALOGEX with their controls; a
// VERSIONINFO and a manifest (RT_MANIFEST), which only Windows reads, are read past.
#include <cctype>
#include <cstring>
#include "resources/expr.h"
#include "resources/script.h"

namespace {

std::string upper(std::string s) {
    for (char &c : s) c = (char)toupper((unsigned char)c);
    return s;
}

// One argument of a statement: a string or an expression.
struct Arg {
    bool is_string = false;
    std::string text;
    RcValue v;
};

// The kinds of control statement: their class, default style and argument order.
struct ControlKind {
    const char *keyword;
    const char *cls;
    DWORD style;
    bool text_first; // text, id, x, y, cx, cy  (otherwise id, x, y, cx, cy)
};

const ControlKind control_kinds[] = {
    {"LTEXT", "Static", SS_LEFT | WS_GROUP, true},
    {"RTEXT", "Static", SS_RIGHT | WS_GROUP, true},
    {"CTEXT", "Static", SS_CENTER | WS_GROUP, true},
    {"ICON", "Static", SS_ICON, true},
    {"PUSHBUTTON", "Button", BS_PUSHBUTTON | WS_TABSTOP, true},
    {"DEFPUSHBUTTON", "Button", BS_DEFPUSHBUTTON | WS_TABSTOP, true},
    {"CHECKBOX", "Button", BS_CHECKBOX | WS_TABSTOP, true},
    {"AUTOCHECKBOX", "Button", BS_AUTOCHECKBOX | WS_TABSTOP, true},
    {"GROUPBOX", "Button", BS_GROUPBOX, true},
    {"EDITTEXT", "Edit", ES_LEFT | WS_BORDER | WS_TABSTOP, false},
    {"LISTBOX", "ListBox", LBS_NOTIFY | WS_BORDER, false},
};

class Parser {
  public:
    Parser(const std::vector<RcToken> &toks, RcScript &out) : t_(toks), out_(out) {}

    void run() {
        while (t_[pos_].kind != RcToken::End) {
            size_t before = pos_;
            if (!statement()) {
                // Skip to the next line that may start a statement.
                int line = t_[before].line;
                while (t_[pos_].kind != RcToken::End && t_[pos_].line == line) ++pos_;
                if (pos_ == before) ++pos_;
            }
        }
    }

  private:
    const std::vector<RcToken> &t_;
    RcScript &out_;
    size_t pos_ = 0;

    const RcToken &cur() const { return t_[pos_]; }
    bool is_word(const char *w) const {
        return cur().kind == RcToken::Ident && upper(cur().text) == w;
    }
    bool is_punct(const char *p) const { return cur().kind == RcToken::Punct && cur().text == p; }

    bool fail(const std::string &msg) {
        out_.errors.push_back(cur().file + ":" + std::to_string(cur().line) + ": " + msg);
        return false;
    }

    bool number(long long &v) {
        std::string err;
        RcValue r = rc_eval(t_, pos_, false, err);
        if (!err.empty()) return fail(err);
        v = r.value;
        return true;
    }

    bool comma() {
        if (!is_punct(",")) return fail("',' expected");
        ++pos_;
        return true;
    }

    // Comma-separated arguments up to the first token that does not continue the list.
    bool args(std::vector<Arg> &list) {
        for (;;) {
            Arg a;
            if (cur().kind == RcToken::String) {
                a.is_string = true;
                a.text = cur().text;
                ++pos_;
            } else if (cur().kind == RcToken::Ident && !rc_builtin_symbol(cur().text, &a.v.value) &&
                       upper(cur().text) != "NOT") {
                a.is_string = true; // a bare class name of CONTROL (BUTTON, STATIC, ...)
                a.text = cur().text;
                ++pos_;
            } else {
                std::string err;
                a.v = rc_eval(t_, pos_, false, err);
                if (!err.empty()) return fail(err);
            }
            list.push_back(a);
            if (!is_punct(",")) return true;
            ++pos_;
        }
    }

    bool statement() {
        if (is_word("LANGUAGE")) {
            ++pos_;
            long long a, b;
            return number(a) && comma() && number(b);
        }
        long long id = 0;
        if (cur().kind != RcToken::Number && !is_punct("(") && !is_punct("-"))
            return fail("resource number expected, found " + cur().text);
        if (!number(id)) return false;
        if (cur().kind != RcToken::Ident) return fail("resource type expected");
        std::string type = upper(cur().text);
        ++pos_;
        static const char *memory_options[] = {"DISCARDABLE", "MOVEABLE", "FIXED",     "PURE",
                                               "IMPURE",      "PRELOAD",  "LOADONCALL"};
        for (bool again = true; again;) {
            again = false;
            for (const char *m : memory_options)
                if (is_word(m)) ++pos_, again = true;
        }
        if (type == "ICON" || type == "CURSOR") {
            if (cur().kind != RcToken::String) return fail("file name expected");
            (type == "ICON" ? out_.icons : out_.cursors)[(int)id] = cur().text;
            ++pos_;
            return true;
        }
        if (type == "DIALOG" || type == "DIALOGEX") return dialog((int)id, type == "DIALOGEX");
        if (type == "RT_MANIFEST") {
            if (cur().kind != RcToken::String) return fail("file name expected");
            ++pos_;
            return true;
        }
        if (type == "VERSIONINFO") return past_blocks();
        return fail("unsupported resource type " + type);
    }

    // The statements up to the first BEGIN, then that block with the blocks it holds.
    bool past_blocks() {
        while (!is_word("BEGIN") && !is_punct("{")) {
            if (cur().kind == RcToken::End) return fail("BEGIN expected");
            ++pos_;
        }
        for (int depth = 0;; ++pos_) {
            if (cur().kind == RcToken::End) return fail("END expected");
            if (is_word("BEGIN") || is_punct("{")) ++depth;
            if ((is_word("END") || is_punct("}")) && --depth == 0) break;
        }
        ++pos_;
        return true;
    }

    bool dialog(int id, bool ex) {
        RcDialog d;
        d.id = id;
        d.style = WS_POPUP | WS_BORDER | WS_SYSMENU;
        long long x = 0, y = 0, cx = 0, cy = 0, help = 0;
        if (!(number(x) && comma() && number(y) && comma() && number(cx) && comma() && number(cy)))
            return false;
        if (ex && is_punct(",") && !(comma() && number(help))) return false;
        d.x = (int)x, d.y = (int)y, d.cx = (int)cx, d.cy = (int)cy;
        bool has_caption = false;
        while (!is_word("BEGIN") && !is_punct("{")) {
            if (cur().kind == RcToken::End) return fail("BEGIN expected");
            std::string word = upper(cur().text);
            ++pos_;
            std::vector<Arg> a;
            if (!args(a)) return false;
            if (word == "STYLE" && !a[0].is_string) {
                d.style = (DWORD)(a[0].v.value & ~a[0].v.clear);
            } else if (word == "EXSTYLE" && !a[0].is_string) {
                d.exstyle = (DWORD)a[0].v.value;
            } else if (word == "CAPTION" && a[0].is_string) {
                d.caption = a[0].text;
                has_caption = true;
            } else if (word == "FONT" && a.size() >= 2 && a[1].is_string) {
                d.font_size = (int)a[0].v.value;
                d.font_name = a[1].text;
            } else if (word != "CLASS" && word != "MENU" && word != "CHARACTERISTICS" &&
                       word != "VERSION" && word != "LANGUAGE") {
                return fail("unknown dialog statement " + word);
            }
        }
        ++pos_;
        if (has_caption) d.style |= WS_CAPTION;
        if (d.font_size) d.style |= DS_SETFONT;
        while (!is_word("END") && !is_punct("}")) {
            if (cur().kind == RcToken::End) return fail("END expected");
            RcControl c;
            if (!control(c)) return false;
            d.controls.push_back(c);
        }
        ++pos_;
        out_.dialogs[id] = d;
        return true;
    }

    bool control(RcControl &c) {
        if (cur().kind != RcToken::Ident) return fail("control statement expected");
        std::string word = upper(cur().text);
        ++pos_;
        std::vector<Arg> a;
        if (!args(a)) return false;
        DWORD base = WS_CHILD | WS_VISIBLE;
        size_t i = 0;
        if (word == "CONTROL") {
            if (a.size() < 8 || !a[2].is_string) return fail("CONTROL needs 8 arguments");
            text_arg(a[0], c);
            c.id = (int)a[1].v.value;
            c.cls = a[2].text;
            c.style = (DWORD)((base | a[3].v.value) & ~a[3].v.clear);
            i = 4;
        } else {
            const ControlKind *kind = nullptr;
            for (const ControlKind &k : control_kinds)
                if (word == k.keyword) kind = &k;
            if (kind == nullptr) return fail("unknown control statement " + word);
            size_t needed = kind->text_first ? (word == "ICON" ? 4 : 6) : 5;
            if (a.size() < needed) return fail(word + ": too few arguments");
            if (kind->text_first) text_arg(a[i++], c);
            c.id = (int)a[i++].v.value;
            c.cls = kind->cls;
            c.style = base | kind->style;
        }
        c.x = (int)a[i].v.value;
        c.y = (int)a[i + 1].v.value;
        bool has_size = i + 3 < a.size();
        c.cx = has_size ? (int)a[i + 2].v.value : 0;
        c.cy = has_size ? (int)a[i + 3].v.value : 0;
        i += has_size ? 4 : 2;
        if (word == "CONTROL") {
            if (i < a.size()) c.exstyle = (DWORD)a[i].v.value;
        } else {
            if (i < a.size()) c.style = (DWORD)((c.style | a[i].v.value) & ~a[i].v.clear);
            if (i + 1 < a.size()) c.exstyle = (DWORD)a[i + 1].v.value;
        }
        return true;
    }

    static void text_arg(const Arg &a, RcControl &c) {
        if (a.is_string)
            c.text = a.text;
        else
            c.text_id = (int)a.v.value;
    }
};

} // namespace

RcScript rc_parse(const std::string &script_name) {
    RcScript script;
    std::vector<RcToken> toks = rc_preprocess(script_name, script.errors);
    Parser(toks, script).run();
    return script;
}
