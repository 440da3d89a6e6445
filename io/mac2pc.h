// Character-set conversion tables between Mac OS Roman, Windows-1252 (ANSI) and code
// page 437 (MS-DOS), and the fixed character sets and digit alphabets.
// In a byte table, 0 means "no counterpart": strcnv then ends the text there.
#ifndef QUILLON_IO_MAC2PC_H
#define QUILLON_IO_MAC2PC_H

#include <stdint.h>

extern const uint16_t MAC2MAC[256];        // Mac OS Roman -> comparison key
extern const unsigned char MAC2PC[256];    // Mac OS Roman -> MS-DOS file-name character
extern const unsigned char MAC2SCREEN[256]; // Mac OS Roman -> Windows-1252, for display
extern const unsigned char PC2MAC[256];    // Windows-1252 -> Mac OS Roman
extern const unsigned char ANSI2ASC[256];  // Windows-1252 -> code page 437
extern const unsigned char DOS2MAC[256];   // code page 437 -> Mac OS Roman
extern const unsigned char DOS2WIN[256];   // code page 437 -> Windows-1252
extern const unsigned char ASC2ANSI[256];  // code page 437 -> Windows-1252

extern const char maclegal[87]; // 0x15, space, comma, full stop, semicolon, slash, then legal
extern const char *const legal; // the tail of maclegal from its seventh byte
extern const char illegal[12];
extern const char ponctuation[7];
extern const char CH_HEXA[17];
extern const char ch_hexa[17];
extern const char xhexa[33];

// Converts source into dest through the table police; dest may be source.
void strcnv(char *dest, const char *source, const unsigned char *police);

#endif
