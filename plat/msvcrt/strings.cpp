// The Microsoft runtime's string and path helpers that the program uses.
#include <cstring>
#include <string>
#include "platcrt.h"

static int lower(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? c + 32 : c;
}

char *_strlwr(char *str) noexcept {
    for (char *p = str; p && *p; ++p) *p = (char)lower((unsigned char)*p);
    return str;
}

int _strnicmp(const char *a, const char *b, size_t n) noexcept {
    for (size_t i = 0; i < n; ++i) {
        int d = lower((unsigned char)a[i]) - lower((unsigned char)b[i]);
        if (d != 0 || a[i] == '\0') return d;
    }
    return 0;
}

int _stricmp(const char *a, const char *b) noexcept {
    return _strnicmp(a, b, (size_t)-1);
}

char *_ultoa(unsigned long value, char *buffer, int radix) noexcept {
    if (radix < 2 || radix > 36) {
        buffer[0] = '\0';
        return buffer;
    }
    char digits[72];
    int n = 0;
    do {
        unsigned long d = value % (unsigned long)radix;
        digits[n++] = (char)(d < 10 ? '0' + d : 'a' + d - 10);
        value /= (unsigned long)radix;
    } while (value != 0);
    for (int i = 0; i < n; ++i) buffer[i] = digits[n - 1 - i];
    buffer[n] = '\0';
    return buffer;
}

// A negative value has a sign in base 10 only; in any other base its 32 bits are written
// as an unsigned number, as the Microsoft runtime's 32-bit long gives them.
char *_ltoa(long value, char *buffer, int radix) noexcept {
    if (value >= 0) return _ultoa((unsigned long)value, buffer, radix);
    if (radix != 10) return _ultoa((unsigned long)(uint32_t)value, buffer, radix);
    buffer[0] = '-';
    _ultoa(0ul - (unsigned long)value, buffer + 1, radix);
    return buffer;
}

static void copy_part(char *dest, size_t size, const char *from, size_t len) {
    if (dest == nullptr) return;
    if (len >= size) len = size - 1;
    memcpy(dest, from, len);
    dest[len] = '\0';
}

void _splitpath(const char *path, char *drive, char *dir, char *fname, char *ext) noexcept {
    const char *p = path;
    size_t drive_len = (p[0] != '\0' && p[1] == ':') ? 2 : 0;
    copy_part(drive, _MAX_DRIVE, p, drive_len);
    p += drive_len;
    const char *last_sep = nullptr;
    for (const char *q = p; *q; ++q)
        if (*q == '\\' || *q == '/') last_sep = q;
    const char *name = last_sep ? last_sep + 1 : p;
    copy_part(dir, _MAX_DIR, p, (size_t)(name - p));
    const char *dot = strrchr(name, '.');
    size_t name_len = dot ? (size_t)(dot - name) : strlen(name);
    copy_part(fname, _MAX_FNAME, name, name_len);
    copy_part(ext, _MAX_EXT, name + name_len, strlen(name + name_len));
}

void _makepath(char *path, const char *drive, const char *dir, const char *fname,
               const char *ext) noexcept {
    std::string out;
    if (drive && *drive) out += std::string(1, drive[0]) + ":";
    if (dir && *dir) {
        out += dir;
        if (out.back() != '\\' && out.back() != '/') out += '\\';
    }
    if (fname) out += fname;
    if (ext && *ext) out += (*ext == '.' ? "" : ".") + std::string(ext);
    copy_part(path, _MAX_PATH, out.c_str(), out.size());
}
