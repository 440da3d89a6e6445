// Operations on zero-terminated 8-bit strings and on byte streams, and the table-driven
// character conversion.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "io/iostring.h"
#include "io/mac2pc.h"

// Case folding of the "C" locale: only A-Z and a-z are the same letter in both cases,
// whatever locale the process runs under.
static int minuscule(int c) {
    c = (unsigned char)c;
    return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
}

static int egal_sans_casse(const char *a, const char *b, size_t n) {
    for (size_t i = 0; i < n; i++)
        if (minuscule(a[i]) != minuscule(b[i])) return 0;
    return 1;
}

// ---- Searches

char *stristr(const char *tampon, const char *chaine) {
    size_t lg = strlen(chaine);
    if (lg == 0) return nullptr;
    // The comparison stops at the first difference, so it never reads past the end of
    // tampon: its terminator differs from every character of chaine.
    for (const char *p = tampon; *p; p++) {
        size_t i = 0;
        while (i < lg && minuscule(p[i]) == minuscule(chaine[i])) i++;
        if (i == lg) return (char *)p;
    }
    return nullptr;
}

// An occurrence at the very start of tampon is never reported: the search always begins
// one character after the last position kept.
char *strirstr(const char *tampon, const char *chaine) {
    if (*tampon == 0) return nullptr;
    const char *p = tampon;
    const char *q;
    while ((q = stristr(p + 1, chaine)) != nullptr) p = q;
    return p == tampon ? nullptr : (char *)p;
}

// Examines the positions 1 to nbc - 1 of the block; a sequence that would run past the
// end of the block does not match there, so nothing beyond the block is read.
char *recherche_chaine(const char *tampon, const char *sequence, int nbc) {
    size_t lg = strlen(sequence);
    for (int i = 1; i < nbc; i++) {
        if ((unsigned char)tampon[i] != (unsigned char)sequence[0]) continue;
        if ((size_t)(nbc - i) < lg) return nullptr;
        if (egal_sans_casse(tampon + i, sequence, lg)) return (char *)tampon + i;
    }
    return nullptr;
}

long trouve_chaine(FILE *fs, const char *sequence) {
    size_t lg = strlen(sequence);
    long compte = 0;
    int c;
    while ((c = getc(fs)) != EOF) {
        compte++;
        if ((unsigned char)c != (unsigned char)sequence[0]) continue;
        long candidat = ftell(fs) - 1;
        // The first byte is already equal; the rest is read one byte at a time, so the
        // sequence may be of any length.
        size_t i = 1;
        int d = 0;
        while (i < lg && (d = getc(fs)) != EOF && minuscule(d) == minuscule(sequence[i])) i++;
        if (i >= lg) {
            fseek(fs, candidat, SEEK_SET);
            return compte - 1;
        }
        fseek(fs, candidat + 1, SEEK_SET); // candidates may overlap
    }
    return -1;
}

long passe_caille(FILE *f, int s) {
    long compte = 0;
    int c;
    while ((c = getc(f)) != EOF) {
        if (c == (s & 0xFF)) return compte;
        compte++;
    }
    return -1;
}

char *strnchr(const char *chaine, int code, int fois) {
    char car = (char)code;
    if (car == 0) return nullptr;
    for (const char *p = chaine; *p; p++)
        if (*p == car && --fois == 0) return (char *)p;
    return nullptr;
}

int dedans(char carac, const char *sequence) {
    return carac != 0 && strchr(sequence, carac) != nullptr;
}

int dehors(char carac, const char *sequence) {
    return !dedans(carac, sequence);
}

// ---- Trimming and cutting

static int tronq_debut(char *ptr, char car) {
    size_t k = 0;
    while (ptr[k] == car) k++;
    if (k == 0) return 0;
    memmove(ptr, ptr + k, strlen(ptr + k) + 1);
    return 1;
}

static void tronq_fin(char *ptr, char car) {
    size_t lg = strlen(ptr);
    while (lg > 0 && ptr[lg - 1] == car) ptr[--lg] = 0;
}

int tronq_espaces_debut(char *ptr) {
    return tronq_debut(ptr, ' ');
}
int tronq_tab_debut(char *ptr) {
    return tronq_debut(ptr, '\t');
}
void tronq_espaces_fin(char *ptr) {
    tronq_fin(ptr, ' ');
}
void tronq_tab_fin(char *ptr) {
    tronq_fin(ptr, '\t');
}

void tronq_crlf(char *ptr) {
    char *cr = strrchr(ptr, '\r');
    if (cr) *cr = 0;
}

void suppression_crlf(char *tampon) {
    tronq_crlf(tampon);
}

// After removing a space the scan moves on past the character that took its place, so of a
// run of spaces every other one stays.
int suppr_espaces(char *ptr) {
    size_t avant = strlen(ptr);
    size_t i = 0;
    while (ptr[i]) {
        if (ptr[i] == ' ') {
            memmove(ptr + i, ptr + i + 1, strlen(ptr + i + 1) + 1);
            if (ptr[i] == 0) break;
        }
        i++;
    }
    return (int)(avant - strlen(ptr));
}

void strextract(char *destin, const char *source, int borne) {
    char fin = (char)borne;
    size_t i = 0;
    for (; source[i] && source[i] != fin; i++) destin[i] = source[i];
    destin[i] = 0;
}

// ---- Building and filtering

void strapp(char *str, int c) {
    if ((char)c == 0) return;
    size_t lg = strlen(str);
    str[lg] = (char)c;
    str[lg + 1] = 0;
}

void strcontr(char *dest, char *sce, const char *police) {
    tronq_espaces_debut(sce);
    char *d = dest;
    for (const char *s = sce; *s; s++)
        if (*s == '.' || dedans(*s, police)) *d++ = *s;
    *d = 0;
}

void strepur(char *dest, char *sce, const char *police) {
    tronq_espaces_debut(sce);
    char *d = dest;
    for (const char *s = sce; *s; s++) *d++ = dedans(*s, police) ? '_' : *s;
    *d = 0;
}

// Windows-1252 puts each accented capital 0x20 below its small letter; the ranges also
// turn the division sign (0xF7) into the multiplication sign (0xD7) and back.
void majstr_ansi(char *ch) {
    for (unsigned char *p = (unsigned char *)ch; *p; p++)
        if ((*p >= 0x61 && *p <= 0x7A) || (*p >= 0xE0 && *p <= 0xFE)) *p -= 0x20;
}

void minstr_ansi(char *ch) {
    for (unsigned char *p = (unsigned char *)ch; *p; p++)
        if ((*p >= 0x41 && *p <= 0x5A) || (*p >= 0xC0 && *p <= 0xDE)) *p += 0x20;
}

// ---- Reading and conversion

static int fin_de_ligne(int c) {
    return c == '\r' || c == '\n';
}

int fget_line(char *s, int n, FILE *stream) {
    if (n <= 1) return 0;
    int lu = 0;
    int c;
    while (lu < n && (c = getc(stream)) != EOF) {
        s[lu++] = (char)c;
        if (fin_de_ligne(c)) {
            int suite = getc(stream);
            if (fin_de_ligne(suite))
                s[lu++] = (char)suite;
            else if (suite != EOF)
                ungetc(suite, stream);
            break;
        }
    }
    s[lu] = 0;
    return lu;
}

// Value of a hexadecimal digit in either case, -1 for any other character (the
// terminator included).
static int chiffre_hexa(char c) {
    if (c == 0) return -1;
    const char *p = strchr(ch_hexa, minuscule(c));
    return p ? (int)(p - ch_hexa) : -1;
}

// Decoding stops at the first pair that is not two hexadecimal digits: a lone last digit
// or a stray character ends the result there, and nothing past org's terminator is read.
void rascii(char *dest, const char *org) {
    size_t i = 0;
    for (;; i++) {
        int haut = chiffre_hexa(org[2 * i]);
        if (haut < 0) break;
        int bas = chiffre_hexa(org[2 * i + 1]);
        if (bas < 0) break;
        dest[i] = (char)(haut * 16 + bas);
    }
    dest[i] = 0;
}

void f2a(char *brou, const double *d) {
    sprintf(brou, "%.2f", *d);
    char *point = strchr(brou, '.');
    if (point) *point = ',';
}

void a2f(char *brou, double *d) {
    char *virgule = strchr(brou, ',');
    if (virgule) *virgule = '.';
    *d = atof(brou);
}

// ---- Table-driven conversion

// Reads each source byte before writing the same position of dest, so dest may be source.
void strcnv(char *dest, const char *source, const unsigned char *police) {
    if (*source == 0) {
        dest[0] = (char)police[0];
        dest[1] = 0;
        return;
    }
    size_t i = 0;
    for (unsigned char b; (b = (unsigned char)source[i]) != 0; i++) dest[i] = (char)police[b];
    dest[i] = 0;
}
