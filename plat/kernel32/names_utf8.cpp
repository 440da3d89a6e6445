// Windows-1252 <-> UTF-8 for file names.
#include "kernel32/names_utf8.h"
#include "kernel32/ansi.h"

static bool is_ascii(const std::string &s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

char32_t utf8_next(const std::string &utf8, size_t &i) {
    unsigned char c = (unsigned char)utf8[i++];
    if (c < 0x80) return c;
    int more = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    static const char32_t least[4] = {0, 0x80, 0x800, 0x10000}; // shorter forms are not UTF-8
    char32_t u = c & (0x3F >> more);
    if (more == 0 || c > 0xF4 || i + more > utf8.size()) return 0xFFFD;
    for (int k = 0; k < more; ++k) {
        unsigned char n = (unsigned char)utf8[i + k];
        if ((n & 0xC0) != 0x80) return 0xFFFD;
        u = u << 6 | (n & 0x3F);
    }
    if (u < least[more] || u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF)) return 0xFFFD;
    i += more;
    return u;
}

void utf8_append(std::string &out, char32_t c) {
    if (c < 0x80) {
        out += (char)c;
    } else if (c < 0x800) {
        out += (char)(0xC0 | c >> 6);
        out += (char)(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += (char)(0xE0 | c >> 12);
        out += (char)(0x80 | (c >> 6 & 0x3F));
        out += (char)(0x80 | (c & 0x3F));
    } else {
        out += (char)(0xF0 | c >> 18);
        out += (char)(0x80 | (c >> 12 & 0x3F));
        out += (char)(0x80 | (c >> 6 & 0x3F));
        out += (char)(0x80 | (c & 0x3F));
    }
}

char32_t utf16_next(const std::u16string &utf16, size_t &i) {
    char32_t c = utf16[i++];
    if (c < 0xD800 || c > 0xDFFF) return c;
    if (c > 0xDBFF || i >= utf16.size() || utf16[i] < 0xDC00 || utf16[i] > 0xDFFF) return 0xFFFD;
    return 0x10000 + ((c - 0xD800) << 10) + (utf16[i++] - 0xDC00);
}

void utf16_append(std::u16string &out, char32_t c) {
    if (c < 0x10000) {
        out += (char16_t)c;
        return;
    }
    out += (char16_t)(0xD800 + ((c - 0x10000) >> 10));
    out += (char16_t)(0xDC00 + ((c - 0x10000) & 0x3FF));
}

std::string fs_utf8_from_ansi(const std::string &ansi) {
    // Both sides spell ASCII alike; most names are, and lookups convert every name they meet.
    if (is_ascii(ansi)) return ansi;
    std::string out;
    for (unsigned char c : ansi) utf8_append(out, ansi_unicode(c));
    return out;
}

// A character the program cannot hold in a Windows name shows as '?'.
static void add_char(AnsiName &out, char c, bool odd) {
    odd = odd || c == '\\' || c == ':';
    out.text += odd ? '?' : c;
    out.odd += odd ? '1' : '0';
}

AnsiName fs_ansi_from_utf8(const std::string &utf8) {
    AnsiName out;
    if (is_ascii(utf8)) {
        for (char c : utf8) add_char(out, c, false);
        return out;
    }
    // Bytes that are not UTF-8 become U+FFFD, which the code page cannot hold either.
    for (size_t i = 0; i < utf8.size();) {
        int c = ansi_from_unicode(utf8_next(utf8, i));
        add_char(out, c < 0 ? '?' : (char)c, c < 0);
    }
    return out;
}

bool fs_spelt_alike(const char *utf8) {
    for (const unsigned char *c = (const unsigned char *)utf8; *c; ++c)
        if (*c >= 0x80 || *c == '\\' || *c == ':') return false;
    return true;
}

std::string fs_ansi_text(const std::string &utf8) {
    return fs_spelt_alike(utf8.c_str()) ? utf8 : fs_ansi_from_utf8(utf8).text;
}
