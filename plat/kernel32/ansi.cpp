// Windows-1252 <-> Unicode through a table of our own, independent of the host's locale.
#include "kernel32/ansi.h"

// 0x80..0x9F; the rest of the code page is Latin-1, equal to its Unicode value.
static const char16_t high_block[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t ansi_unicode(unsigned char c) {
    return (c >= 0x80 && c < 0xA0) ? high_block[c - 0x80] : char16_t(c);
}

int ansi_from_unicode(char32_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return (int)u;
    for (int i = 0; i < 32; ++i)
        if (high_block[i] == u) return 0x80 + i;
    return -1;
}

static constexpr unsigned char lower_of(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    switch (c) {
    case 0x8A:
        return 0x9A; // S caron
    case 0x8C:
        return 0x9C; // OE
    case 0x8E:
        return 0x9E; // Z caron
    case 0x9F:
        return 0xFF; // Y diaeresis
    default:
        return c;
    }
}

static constexpr std::array<unsigned char, 256> lower_table() {
    std::array<unsigned char, 256> t{};
    for (int c = 0; c < 256; ++c) t[c] = lower_of((unsigned char)c);
    return t;
}

// Constant, so ready before any other file's start-up code may sort.
const std::array<unsigned char, 256> ansi_lower_table = lower_table();
