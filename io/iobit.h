// Byte order: Macintosh data is big-endian, the PC little-endian.
#ifndef QUILLON_IO_IOBIT_H
#define QUILLON_IO_IOBIT_H

#include <stdint.h>

uint16_t swap16b(uint16_t i);
uint32_t swap32b(uint32_t l);
// Counters stored big-endian in memory, changed in place (modulo 2^32 or 2^16).
void inc_long30(uint32_t *ul);
void dec_long30(uint32_t *ul);
void inc_int10(uint16_t *ui);
void dec_int10(uint16_t *ui);

#endif
