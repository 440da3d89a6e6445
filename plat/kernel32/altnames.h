// Generated names. Names that differ only in case, or only in characters the program sees as
// '?', would reach the program as one name, and all but one of their entries could not be
// reached. As Windows gives a name it cannot show a generated short name ("FOO~1"), each of
// those entries but one is listed under its own name with "~N" before its extension.
#ifndef QUILLON_PLAT_FS_ALTNAMES_H
#define QUILLON_PLAT_FS_ALTNAMES_H

#include <cstdint>
#include <string>
#include <vector>
#include "kernel32/names_utf8.h"

// A program name folded as lookups compare names: ignoring case.
std::string fs_fold(const std::string &ansi);
uint32_t fs_fold_fingerprint(const std::string &ansi);

// Of two entries whose program names are equal ignoring case, whether the first keeps the
// name: one without stand-ins, then the greater program name (the spelling in small
// letters, which the program's own lowering gives), then the greater host name.
bool fs_keeps_name(const AnsiName &a, const std::string &host_a, const AnsiName &b,
                   const std::string &host_b);

struct HostEntry {
    std::string host;
    AnsiName ansi;
};

// The name the program sees for each of a directory's entries (all of them, in any order):
// its own, or a generated one that no other entry's name equals ignoring case. The same
// entries always give the same names.
std::vector<std::string> fs_listed_names(const std::vector<HostEntry> &entries);

#endif
