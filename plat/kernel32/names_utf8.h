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

// UTF-8, one character at a time: the character at i, i moved past it; a byte that begins no
// valid sequence is U+FFFD on its own.
char32_t utf8_next(const std::string &utf8, size_t &i);
void utf8_append(std::string &out, char32_t c);
// UTF-16 likewise: a surrogate without its other half is U+FFFD.
char32_t utf16_next(const std::u16string &utf16, size_t &i);
void utf16_append(std::u16string &out, char32_t c);

std::string fs_utf8_from_ansi(const std::string &ansi);
AnsiName fs_ansi_from_utf8(const std::string &utf8);
std::string fs_ansi_text(const std::string &utf8); // fs_ansi_from_utf8(utf8).text
// Whether the program sees a host name as it is spelt: ASCII, without '\' or ':' (most names).
bool fs_spelt_alike(const char *utf8);

#endif
