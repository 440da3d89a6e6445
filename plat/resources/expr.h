// Constant expressions of resource scripts: numbers, macros already expanded, the built-in
// constants, C operators, and rc's NOT, which removes bits from a default style.
#ifndef QUILLON_PLAT_RC_EXPR_H
#define QUILLON_PLAT_RC_EXPR_H

#include <string>
#include <vector>
#include "resources/preproc.h"

struct RcValue {
    long long value = 0;
    long long clear = 0; // bits named after NOT
};

// Reads one expression from pos; an unknown name is 0 in a conditional (preproc) and an
// error elsewhere. err is set on the first error.
RcValue rc_eval(const std::vector<RcToken> &toks, size_t &pos, bool preproc, std::string &err);

#endif
