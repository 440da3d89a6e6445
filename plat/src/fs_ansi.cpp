// Windows-1252 <-> UTF-8 for file names, through a table of our own (independent of locale).
#include "fs_ansi.h"

// 0x80..0x9F; the rest of the code page equals Latin-1. The five codes the page leaves
// undefined stand for the C1 controls of the same value, so every byte survives a round trip.
static const char16_t high_block[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

static int ansi_of(unsigned long u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return (int)u;
    for (int i = 0; i < 32; ++i)
        if (high_block[i] == u) return 0x80 + i;
    return -1;
}

static void put_utf8(std::string &out, unsigned long u) {
    if (u < 0x80) {
        out += (char)u;
    } else if (u < 0x800) {
        out += (char)(0xC0 | (u >> 6));
        out += (char)(0x80 | (u & 0x3F));
    } else {
        out += (char)(0xE0 | (u >> 12));
        out += (char)(0x80 | ((u >> 6) & 0x3F));
        out += (char)(0x80 | (u & 0x3F));
    }
}

std::string fs_utf8_from_ansi(const std::string &ansi) {
    std::string out;
    out.reserve(ansi.size());
    for (unsigned char c : ansi) put_utf8(out, (c >= 0x80 && c < 0xA0) ? high_block[c - 0x80] : c);
    return out;
}

// One character of UTF-8 at s[i]: its code point and length, or length 0 when the bytes there
// are not well-formed UTF-8 (overlong forms and surrogates included).
static size_t utf8_char(const std::string &s, size_t i, unsigned long &u) {
    unsigned char c = (unsigned char)s[i];
    size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > s.size()) return 0;
    u = n == 1 ? c : c & (0x7F >> n);
    for (size_t k = 1; k < n; ++k) {
        unsigned char d = (unsigned char)s[i + k];
        if ((d & 0xC0) != 0x80) return 0;
        u = (u << 6) | (d & 0x3F);
    }
    static const unsigned long least[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (u < least[n] || u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF)) return 0;
    return n;
}

AnsiName fs_ansi_from_utf8(const std::string &utf8) {
    AnsiName out;
    for (size_t i = 0; i < utf8.size();) {
        unsigned long u = 0;
        size_t n = utf8_char(utf8, i, u);
        int a = n ? ansi_of(u) : -1;
        if (a == '\\' || a == ':') a = -1;
        out.text += a < 0 ? '?' : (char)a;
        out.odd += a < 0 ? '1' : '0';
        i += n ? n : 1;
    }
    return out;
}

std::string fs_ansi_text(const std::string &utf8) {
    return fs_ansi_from_utf8(utf8).text;
}

unsigned char fs_ansi_upper(unsigned char c) {
    if (c >= 'a' && c <= 'z') return c - 32;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
    switch (c) {
    case 0x9A:
        return 0x8A; // s caron
    case 0x9C:
        return 0x8C; // oe
    case 0x9E:
        return 0x8E; // z caron
    case 0xFF:
        return 0x9F; // y diaeresis
    default:
        return c;
    }
}

bool fs_ansi_equal_nocase(const std::string &a, const std::string &b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (fs_ansi_upper((unsigned char)a[i]) != fs_ansi_upper((unsigned char)b[i])) return false;
    return true;
}
