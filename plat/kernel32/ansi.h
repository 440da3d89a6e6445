// Texts between the program's code page (Windows-1252) and the toolkit's Unicode strings.
#ifndef QUILLON_PLAT_UI_ANSI_H
#define QUILLON_PLAT_UI_ANSI_H

#include <QString>
#include <array>
#include <string>

// Every byte has a character: the five codes Windows-1252 leaves undefined stand for the C1
// controls of the same value, so that any byte string survives the round trip.
QString qstring_from_ansi(const char *text, int length = -1);
QString qstring_from_ansi(const std::string &text);
// A character the code page cannot hold becomes '?', as Windows' conversion does.
std::string ansi_from_qstring(const QString &text);
// Lower case of a Windows-1252 byte (ASCII and the accented capitals), for sorting; looked up
// in a table, as sorting a large folder asks it of every character of every comparison.
extern const std::array<unsigned char, 256> ansi_lower_table;
inline unsigned char ansi_lower(unsigned char c) {
    return ansi_lower_table[c];
}

#endif
