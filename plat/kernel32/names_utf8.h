// Names between the program (Windows-1252) and the host (UTF-8), through the layer's one
// Windows-1252 table (kernel32/ansi.h).
#ifndef QUILLON_PLAT_FS_ANSI_H
#define QUILLON_PLAT_FS_ANSI_H

#include <string>

// A host name as the program sees it. A character the code page cannot hold (or that cannot
// stand in a Windows name: '\', ':'), and any byte that is not UTF-8, shows as '?'; `odd`
// marks those positions with '1' so that a lookup can tell them from a real '?'.
struct AnsiName {
    std::string text;
    std::string odd;
};

std::string fs_utf8_from_ansi(const std::string &ansi);
AnsiName fs_ansi_from_utf8(const std::string &utf8);
std::string fs_ansi_text(const std::string &utf8); // fs_ansi_from_utf8(utf8).text
// Whether the program sees a host name as it is spelt: ASCII, without '\' or ':' (most names).
bool fs_spelt_alike(const char *utf8);

#endif
