// The string and stream utilities of the support library.
#include <gtest/gtest.h>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include "io/iostring.h"
#include "io/mac2pc.h"

// A stream holding the given bytes, positioned at its start.
static FILE *flux(const std::string &octets) {
    FILE *f = tmpfile();
    fwrite(octets.data(), 1, octets.size(), f);
    rewind(f);
    return f;
}

// The text left by an in-place operation, run on an exactly sized heap copy of s (the
// sanitizer catches any access past its terminator).
template <class F> static std::string apres(F op, const char *s) {
    std::vector<char> b(s, s + strlen(s) + 1);
    op(b.data());
    return b.data();
}

TEST(IoString, Searches) {
    const char *t = "xxABCxx", *u = "xabyab";
    EXPECT_EQ(stristr(t, "abc"), t + 2);
    EXPECT_EQ(stristr(t, ""), nullptr);
    EXPECT_EQ(strirstr(u, "AB"), u + 4);
    EXPECT_EQ(strirstr("abxx", "ab"), nullptr); // an occurrence only at the start is not reported
    EXPECT_EQ(strirstr("", "ab"), nullptr);
    EXPECT_EQ(strnchr("a,b,c", ',', 3), nullptr);
    EXPECT_EQ(dedans(0, "abc") + dehors('a', "abc"), 0); // the terminator is not in the set

    // recherche_chaine: exactly sized blocks without a terminator; position 0 is skipped,
    // the first byte compares exactly, and a sequence running past the block never matches.
    std::vector<char> bloc = {'E', 'N', 'D', 'x', 'E', 'n', 'd', 'E', 'N'};
    EXPECT_EQ(recherche_chaine(bloc.data(), "END", 9), bloc.data() + 4);
    EXPECT_EQ(recherche_chaine(bloc.data(), "end", 9), nullptr);
    EXPECT_EQ(recherche_chaine(bloc.data(), "END", 3), nullptr);
    EXPECT_EQ(recherche_chaine(bloc.data() + 4, "END", 5), nullptr);
    EXPECT_EQ(recherche_chaine(bloc.data() + 4, "EN", 5), bloc.data() + 7);

    struct {
        const char *octets, *seq;
        long res;
        int suivant;
    } cas[] = {{"xxEnd!", "END", 2, 'E'},
               {"xxend", "END", -1, EOF},
               {"xxEN", "END", -1, EOF},
               {"xEEEN", "EEN", 2, 'E'},
               {"ab", "", -1, EOF}};
    for (auto &c : cas) {
        FILE *f = flux(c.octets);
        EXPECT_EQ(trouve_chaine(f, c.seq), c.res) << c.octets;
        EXPECT_EQ(getc(f), c.suivant);
        fclose(f);
    }
    FILE *f = flux(std::string("ab\0c\n", 5));
    EXPECT_EQ(trouve_chaine(f, ""), 2); // the empty sequence finds the first zero byte
    EXPECT_EQ(passe_caille(f, '\n'), 2);
    EXPECT_EQ(passe_caille(f, '\n'), -1);
    fclose(f);
}

TEST(IoString, TrimmingCuttingAndCase) {
    char s[16] = "   x y";
    EXPECT_EQ(tronq_espaces_debut(s), 1);
    EXPECT_EQ(tronq_espaces_debut(s), 0);
    EXPECT_STREQ(s, "x y");
    EXPECT_EQ(apres([](char *p) { EXPECT_EQ(tronq_tab_debut(p), 1); }, "\t\tz\t"), "z\t");
    EXPECT_EQ(apres(tronq_tab_fin, "\tz\t\t"), "\tz");
    EXPECT_EQ(apres(tronq_espaces_fin, "   "), "");
    EXPECT_EQ(apres(tronq_crlf, "ab\r\ncd\r\n"), "ab\r\ncd");
    EXPECT_EQ(apres(suppression_crlf, "ab\rcd"), "ab");
    strextract(s, "name.ext", '.');
    EXPECT_STREQ(s, "name");
    EXPECT_EQ(apres(majstr_ansi, "\xe9te\xf7\xff\xdf"), "\xc9TE\xd7\xff\xdf");
    EXPECT_EQ(apres(minstr_ansi, "\xc9T\xc9\xd7"), "\xe9t\xe9\xf7");

    // Of a run of spaces every other one stays.
    struct {
        const char *avant, *apres;
        int retires;
    } cas[] = {{"a b", "ab", 1},      {"a  b", "a b", 1}, {"a   b", "a b", 2},
               {"a    b", "a  b", 2}, {"", "", 0},        {"ab ", "ab", 1}};
    for (auto &c : cas)
        EXPECT_EQ(apres([&](char *p) { EXPECT_EQ(suppr_espaces(p), c.retires); }, c.avant),
                  c.apres);

    char src[16] = "  a?b*c", dest[16];
    strepur(dest, src, "?*");
    EXPECT_STREQ(dest, "a_b_c");
    EXPECT_STREQ(src, "a?b*c");
    strcpy(src, "a-b.c");
    strcontr(dest, src, "abc");
    EXPECT_STREQ(dest, "ab.c");
    strapp(dest, 0);
    strapp(dest, '\\');
    EXPECT_STREQ(dest, "ab.c\\");
}

TEST(IoString, ReadingLines) {
    // Any pair of line-end characters is one line end; a third starts the next line, and
    // the character after a single line end is pushed back.
    FILE *f = flux("line one\r\ntwo\n\r\rb\rc");
    std::vector<std::string> lignes;
    char s[82];
    EXPECT_EQ(fget_line(s, 1, f), 0);
    for (int n; (n = fget_line(s, 80, f)) > 0;) lignes.push_back(std::string(s, n));
    EXPECT_EQ(lignes, (std::vector<std::string>{"line one\r\n", "two\n\r", "\r", "b\r", "c"}));
    fclose(f);

    // n characters, then the second of a pair and the terminator: n + 2 bytes exactly.
    std::vector<char> juste(3 + 2);
    f = flux("ab\r\nx");
    EXPECT_EQ(fget_line(juste.data(), 3, f), 4);
    fclose(f);
}

TEST(IoString, ConversionsOfDigitsAndCharacters) {
    // Hexadecimal decoding stops at the first pair that is not two digits.
    const char *hexa[][2] = {
        {"4a6B", "\x4a\x6b"}, {"4a6", "\x4a"}, {"4g12", ""}, {"12zz34", "\x12"}};
    for (auto &c : hexa) {
        char dest[8];
        memset(dest, 0x55, sizeof dest);
        EXPECT_EQ(apres([&](char *org) { rascii(dest, org); }, c[0]).size(), strlen(c[0]));
        EXPECT_STREQ(dest, c[1]) << c[0];
    }

    char s[16];
    double d = 3.14159;
    f2a(s, &d);
    EXPECT_STREQ(s, "3,14");
    strcpy(s, "2,5");
    a2f(s, &d);
    EXPECT_DOUBLE_EQ(d, 2.5);
    EXPECT_STREQ(s, "2.5");

    unsigned char police[256];
    for (int i = 0; i < 256; i++) police[i] = (unsigned char)(i >= 'a' && i <= 'z' ? i - 32 : i);
    police[0] = '_';
    police[':'] = 0;
    strcpy(s, "a:b");
    strcnv(s, s, police); // in place; the bytes after a zero entry are still converted
    EXPECT_EQ(std::string(s, 4), std::string("A\0B\0", 4));
    strcnv(s, "", police);
    EXPECT_EQ(std::string(s, 2), std::string("_\0", 2));
}
