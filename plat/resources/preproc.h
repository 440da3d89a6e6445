// Preprocessing of a resource script: #include, #define, conditionals, then tokens with the
// macros expanded. Included headers (.h) contribute their directives only, as with rc.
#ifndef QUILLON_PLAT_RC_PREPROC_H
#define QUILLON_PLAT_RC_PREPROC_H

#include <string>
#include <vector>

struct RcToken {
    enum Kind { Ident, Number, String, Punct, End } kind = End;
    std::string text; // identifier, punctuator, or the string's bytes with escapes resolved
    long long value = 0;
    std::string file;
    int line = 0;
};

// Tokens of the script with every macro expanded, ending with an End token.
std::vector<RcToken> rc_preprocess(const std::string &script_name,
                                   std::vector<std::string> &errors);

// Values that <windows.h> and <commctrl.h> give a script: the platform's own constants.
bool rc_builtin_symbol(const std::string &name, long long *value);

#endif
