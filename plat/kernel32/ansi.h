// The program's code page (Windows-1252) and Unicode, through a table of our own, independent
// of the host's locale.
#ifndef QUILLON_PLAT_UI_ANSI_H
#define QUILLON_PLAT_UI_ANSI_H

// Every byte has a character: the five codes Windows-1252 leaves undefined stand for the C1
// controls of the same value, so that any byte string survives the round trip.
char16_t ansi_unicode(unsigned char c);
// The byte of a character; -1 when the code page cannot hold it.
int ansi_from_unicode(char32_t u);
// Lower case of a Windows-1252 byte (ASCII and the accented capitals), for sorting.
unsigned char ansi_lower(unsigned char c);

#endif
