// Windows' wildcard matching for find-first/find-next.
#ifndef QUILLON_PLAT_FS_WILDCARD_H
#define QUILLON_PLAT_FS_WILDCARD_H

#include <string>

// Whether a name (ANSI) matches a pattern as Windows matches it: ignoring case; "*.*" is "*";
// '?' is one character, but a run of '?' may match nothing at a dot or at the end of the
// name; a '.' before '*', '?' or the end also matches the end of the name ("name.*" finds
// "name", "*." the names without an extension); '*' before a '.' stops at the name's last dot.
bool fs_wildcard_match(const std::string &pattern, const std::string &name);

#endif
