// Byte order between the PC (little-endian) and Macintosh data (big-endian).
#include "io/iobit.h"

uint16_t swap16b(uint16_t i) { return (uint16_t)((i >> 8) | (i << 8)); }

uint32_t swap32b(uint32_t l) {
    return (l >> 24) | ((l >> 8) & 0xFF00u) | ((l << 8) & 0xFF0000u) | (l << 24);
}

// The counters are stored big-endian: convert, count, convert back.
void inc_long30(uint32_t *ul) { *ul = swap32b(swap32b(*ul) + 1u); }
void dec_long30(uint32_t *ul) { *ul = swap32b(swap32b(*ul) - 1u); }
void inc_int10(uint16_t *ui) { *ui = swap16b((uint16_t)(swap16b(*ui) + 1u)); }
void dec_int10(uint16_t *ui) { *ui = swap16b((uint16_t)(swap16b(*ui) - 1u)); }
