// The program's code page (Windows-1252) and Unicode, through a table of our own, independent
// of the host's locale.
#ifndef QUILLON_PLAT_UI_ANSI_H
#define QUILLON_PLAT_UI_ANSI_H

#include <array>

// Every byte has a character: the five codes Windows-1252 leaves undefined stand for the C1
// controls of the same value, so that any byte string survives the round trip.
char16_t ansi_unicode(unsigned char c);
// The byte of a character; -1 when the code page cannot hold it.
int ansi_from_unicode(char32_t u);
// Lower case of a Windows-1252 byte (ASCII and the accented capitals), for sorting; looked up
// in a table, as sorting a large folder asks it of every character of every comparison.
extern const std::array<unsigned char, 256> ansi_lower_table;
inline unsigned char ansi_lower(unsigned char c) {
    return ansi_lower_table[c];
}

#endif
