// Draws the program's images and writes them as Windows resource files: the icon
// quillon.ico (16, 24, 32 and 48 pixels in 32-bit colour with an AND mask, and 256 pixels as a
// PNG image, as Windows keeps its large icons) and the twelve busy cursors montre01.cur ...
// montre12.cur (32 x 32, monochrome, hot spot at the top-left corner); and the same icon as
// the PNG images of the Linux desktops, icons/quillon-16.png ... icons/quillon-256.png.
//
//   dessine_images <directory>            writes the .ico and .cur files there, the PNG
//                                         icons in its folder icons/
//   dessine_images <directory> --apercu   also writes magnified previews (apercu_*.png)
//
// Plain C++ with no library, so the images can be redrawn on any machine:
//   g++ -std=c++17 -O2 -o dessine_images dessine_images.cpp && ./dessine_images .
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

typedef std::vector<uint8_t> octets;

static const double PI = 3.14159265358979323846;

// ---------------------------------------------------------------------------------------------
// Little-endian writing, as the resource files hold their numbers.

static void ecrit16(octets &o, unsigned v) {
    o.push_back(uint8_t(v & 0xff));
    o.push_back(uint8_t((v >> 8) & 0xff));
}

static void ecrit32(octets &o, uint32_t v) {
    ecrit16(o, v & 0xffff);
    ecrit16(o, v >> 16);
}

static bool ecrit_fichier(const std::string &nom, const octets &o) {
    FILE *f = fopen(nom.c_str(), "wb");
    if (f == nullptr) {
        perror(nom.c_str());
        return false;
    }
    bool ok = fwrite(o.data(), 1, o.size(), f) == o.size();
    if (fclose(f) != 0) ok = false;
    if (!ok) fprintf(stderr, "%s: write failed\n", nom.c_str());
    return ok;
}

// ---------------------------------------------------------------------------------------------
// Geometry shared by both drawings.

struct point {
    double x, y;
};

// Distance from p to the segment a-b.
static double dist_segment(point p, point a, point b) {
    double dx = b.x - a.x, dy = b.y - a.y;
    double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0;
    if (t < 0) t = 0;
    if (t > 1) t = 1;
    double ex = p.x - (a.x + t * dx), ey = p.y - (a.y + t * dy);
    return std::sqrt(ex * ex + ey * ey);
}

// Even-odd rule: is p inside the polygon?
static bool dans_polygone(point p, const point *poly, int n) {
    bool dedans = false;
    for (int i = 0, j = n - 1; i < n; j = i++) {
        if ((poly[i].y > p.y) != (poly[j].y > p.y) &&
            p.x < (poly[j].x - poly[i].x) * (p.y - poly[i].y) / (poly[j].y - poly[i].y) + poly[i].x)
            dedans = !dedans;
    }
    return dedans;
}

// Distance from p to the polygon's edge.
static double dist_bord(point p, const point *poly, int n) {
    double d = 1e9;
    for (int i = 0, j = n - 1; i < n; j = i++) d = std::fmin(d, dist_segment(p, poly[j], poly[i]));
    return d;
}

// ---------------------------------------------------------------------------------------------
// The icon: a page with a folded corner, wrapped by a blue band (the header the program adds),
// and a quill laid across it, its nib on the page. Each size has its own geometry, in its own
// pixels, so that the outlines fall on whole pixels.

struct rgba {
    double r, g, b, a; // 0..1, not premultiplied
};

static const rgba TRANSPARENT = {0, 0, 0, 0};
static const rgba ENCRE = {0.20, 0.22, 0.26, 1};        // outlines
static const rgba PAPIER = {1, 1, 1, 1};                // the page
static const rgba PLI = {0.82, 0.85, 0.89, 1};          // the folded corner
static const rgba LIGNE = {0.60, 0.64, 0.70, 1};        // lines of text
static const rgba BANDE = {0.16, 0.42, 0.78, 1};        // the band
static const rgba BANDE_CLAIRE = {0.50, 0.70, 0.95, 1}; // its highlight
static const rgba BANDE_OMBRE = {0.09, 0.27, 0.55, 1};  // its ends, behind the page
static const rgba PLUME = {0.98, 0.80, 0.34, 1};        // the feather
static const rgba PLUME_CLAIRE = {1.00, 0.93, 0.68, 1};
static const rgba PLUME_BORD = {0.60, 0.38, 0.08, 1};
static const rgba BEC = {0.15, 0.15, 0.17, 1}; // the nib

struct ligne {
    double y, x0, x1; // centre of the line, its two ends
};

struct geometrie {
    point page[5];                                            // outline of the page, corner cut
    point coin[3];                                            // the folded corner
    double bande_haut, bande_bas, bande_gauche, bande_droite; // outer edges of the band
    point bec, haut;                   // the quill, from the nib's point to the feather's top
    double debut_plume;                // where the feather starts along the quill (0..1)
    double plume_gauche, plume_droite; // the feather's half-widths on either side of the shaft
    double fin_bec;                    // where the nib ends along the quill
    double trait;                      // outline width
    double bord_plume;                 // the feather's outline width
    int nlignes;
    ligne lignes[5];
    double unite = 1; // pixels per pixel of the geometry drawn (an enlarged one draws more)
};

// clang-format off
static const geometrie MOYENNE = { // 48 pixels
    {{5.5, 2.5}, {24.5, 2.5}, {33.5, 11.5}, {33.5, 45.5}, {5.5, 45.5}},
    {{24.5, 2.5}, {24.5, 11.5}, {33.5, 11.5}},
    15, 24, 2, 37,
    {17.5, 43.5}, {45.5, 8.5}, 0.34, 5.0, 3.2, 0.15,
    1.0, 1.2,
    5, {{7.5, 9, 21}, {11.5, 9, 18}, {29.5, 9, 30}, {33.5, 9, 27}, {37.5, 9, 20}}};

static const geometrie GRANDE = { // 32 pixels
    {{3.5, 1.5}, {16.5, 1.5}, {22.5, 7.5}, {22.5, 30.5}, {3.5, 30.5}}, // page
    {{16.5, 1.5}, {16.5, 7.5}, {22.5, 7.5}},                           // corner
    10, 16, 1, 25,                                                     // band
    {11.5, 29.0}, {30.5, 5.5}, 0.34, 3.3, 2.1, 0.15,                   // quill
    1.0, 0.9,                                                          // outlines
    5, {{4.5, 6, 14}, {7.5, 6, 12}, {19.5, 6, 20}, {22.5, 6, 18}, {25.5, 6, 13}}};

static const geometrie REDUITE = { // 24 pixels
    {{2.5, 1.5}, {12.5, 1.5}, {17.5, 6.5}, {17.5, 22.5}, {2.5, 22.5}},
    {{12.5, 1.5}, {12.5, 6.5}, {17.5, 6.5}},
    7, 12, 1, 19,
    {8.5, 22.0}, {23.0, 4.0}, 0.35, 2.5, 1.6, 0.17,
    1.0, 0.7,
    5, {{3.5, 4.5, 10}, {5.5, 4.5, 9}, {15.5, 4.5, 15}, {17.5, 4.5, 13}, {19.5, 4.5, 10}}};

static const geometrie PETITE = { // 16 pixels
    {{1.5, 0.5}, {8.5, 0.5}, {11.5, 3.5}, {11.5, 15.5}, {1.5, 15.5}},
    {{8.5, 0.5}, {8.5, 3.5}, {11.5, 3.5}},
    5, 9, 0, 13,
    {5.5, 15.0}, {15.8, 2.8}, 0.36, 1.9, 1.2, 0.2,
    1.0, 0.5,
    3, {{2.5, 3.5, 7.5}, {11.5, 3.5, 9.5}, {13.5, 3.5, 7}}};
// clang-format on

// A large size is the 32-pixel drawing enlarged k times, outlines with it: its antialiased
// edges need no pixel of their own.
static geometrie agrandie(const geometrie &g, double k) {
    geometrie a = g;
    for (point *p : {a.page, a.page + 1, a.page + 2, a.page + 3, a.page + 4, a.coin, a.coin + 1,
                     a.coin + 2, &a.bec, &a.haut})
        p->x *= k, p->y *= k;
    for (double *v : {&a.bande_haut, &a.bande_bas, &a.bande_gauche, &a.bande_droite,
                      &a.plume_gauche, &a.plume_droite, &a.trait, &a.bord_plume, &a.unite})
        *v *= k;
    for (int i = 0; i < a.nlignes; i++) {
        a.lignes[i].y *= k;
        a.lignes[i].x0 *= k;
        a.lignes[i].x1 *= k;
    }
    return a;
}

// The drawing of each size: the small ones each their own, the large ones enlarged.
static geometrie geometrie_de(int n) {
    switch (n) {
    case 16:
        return PETITE;
    case 24:
        return REDUITE;
    case 32:
        return GRANDE;
    case 48:
        return MOYENNE;
    default:
        return agrandie(GRANDE, n / 32.0);
    }
}

// Where p lies along the quill: t from 0 (nib) to 1 (top), s across it in pixels (positive to
// the left on the way up).
static void repere_plume(const geometrie &g, point p, double *t, double *s) {
    double dx = g.haut.x - g.bec.x, dy = g.haut.y - g.bec.y;
    double len = std::hypot(dx, dy);
    double px = p.x - g.bec.x, py = p.y - g.bec.y;
    *t = (px * dx + py * dy) / (len * len);
    *s = (px * dy - py * dx) / len;
}

// How far inside the feather p lies, in pixels (negative outside).
static double profondeur_plume(const geometrie &g, double t, double s) {
    if (t < g.debut_plume || t > 1) return -1e9;
    double len = std::hypot(g.haut.x - g.bec.x, g.haut.y - g.bec.y);
    double u = (t - g.debut_plume) / (1 - g.debut_plume);
    double forme = std::pow(std::sin(PI * std::pow(u, 0.75)), 0.6);
    double demi = (s >= 0 ? g.plume_gauche : g.plume_droite) * forme;
    double bout = std::fmin(t - g.debut_plume, 1 - t) * len;
    return std::fmin(bout, demi - std::fabs(s));
}

static rgba couleur_icone(const geometrie &g, point p) {
    // The quill lies on top of everything: the nib, the shaft, the feather.
    double t, s;
    repere_plume(g, p, &t, &s);
    if (t >= 0 && t <= g.fin_bec) {
        double demi = (g.trait * 1.2) * (t / g.fin_bec) + 0.15 * g.unite;
        if (std::fabs(s) <= demi) return BEC;
    }
    if (t > g.fin_bec && t <= 1 && std::fabs(s) <= g.bord_plume * 0.5) return PLUME_BORD;
    double prof = profondeur_plume(g, t, s);
    if (prof >= g.bord_plume) return s > 0 && prof >= g.bord_plume * 2 ? PLUME_CLAIRE : PLUME;
    if (prof >= 0) return PLUME_BORD;
    if (t > g.fin_bec && t < g.debut_plume && std::fabs(s) <= g.bord_plume) return PLUME_BORD;

    // The band, overhanging the page on both sides, its ends cut in a notch.
    double demi_trait = g.trait / 2;
    if (p.y >= g.bande_haut && p.y <= g.bande_bas && p.x >= g.bande_gauche &&
        p.x <= g.bande_droite) {
        double vers_bord = std::fmin(p.y - g.bande_haut, g.bande_bas - p.y);
        double xe = std::fmin(p.x - g.bande_gauche, g.bande_droite - p.x);
        double milieu = (g.bande_haut + g.bande_bas) / 2;
        if (xe < (g.bande_bas - g.bande_haut) * 0.25 - std::fabs(p.y - milieu) * 0.5)
            return TRANSPARENT;
        bool dehors = p.x < g.page[0].x - demi_trait || p.x > g.page[3].x + demi_trait;
        if (vers_bord < g.trait) return ENCRE;
        if (dehors) return BANDE_OMBRE;
        if (vers_bord < g.trait * 2) return p.y < milieu ? BANDE_CLAIRE : BANDE;
        return BANDE;
    }

    // The page: outline, folded corner, lines of text.
    double bord_page = dist_bord(p, g.page, 5);
    if (bord_page <= demi_trait) return ENCRE;
    if (!dans_polygone(p, g.page, 5)) return TRANSPARENT;
    if (dist_bord(p, g.coin, 3) <= demi_trait) return ENCRE;
    if (dans_polygone(p, g.coin, 3)) return PLI;
    for (int i = 0; i < g.nlignes; i++) {
        const ligne &l = g.lignes[i];
        if (std::fabs(p.y - l.y) <= 0.5 * g.unite && p.x >= l.x0 && p.x <= l.x1) return LIGNE;
    }
    return PAPIER;
}

// Renders the icon at n x n pixels, 8 x 8 samples per pixel: 0xAARRGGBB, rows top to bottom.
static std::vector<uint32_t> rend_icone(const geometrie &g, int n) {
    const int ech = 8;
    std::vector<uint32_t> pixels(size_t(n) * n);
    for (int y = 0; y < n; y++)
        for (int x = 0; x < n; x++) {
            double r = 0, v = 0, b = 0, a = 0;
            for (int sy = 0; sy < ech; sy++)
                for (int sx = 0; sx < ech; sx++) {
                    rgba c = couleur_icone(g, {x + (sx + 0.5) / ech, y + (sy + 0.5) / ech});
                    r += c.r * c.a;
                    v += c.g * c.a;
                    b += c.b * c.a;
                    a += c.a;
                }
            uint32_t px = 0;
            if (a > 0) {
                auto octet = [](double c) {
                    return uint32_t(std::lround(std::fmin(c, 1.0) * 255));
                };
                px = (octet(a / (ech * ech)) << 24) | (octet(r / a) << 16) | (octet(v / a) << 8) |
                     octet(b / a);
            }
            pixels[size_t(y) * n + x] = px;
        }
    return pixels;
}

// One image of an icon file: BITMAPINFOHEADER (height doubled for the two masks), the colour
// bitmap in 32 bits, then the AND mask (1 where fully transparent), both bottom-up.
static octets image_icone(const std::vector<uint32_t> &px, int n) {
    octets o;
    int ligne_et = ((n + 31) / 32) * 4;
    ecrit32(o, 40);
    ecrit32(o, n);
    ecrit32(o, 2 * n);
    ecrit16(o, 1);
    ecrit16(o, 32);
    ecrit32(o, 0);
    ecrit32(o, n * n * 4 + ligne_et * n);
    ecrit32(o, 0);
    ecrit32(o, 0);
    ecrit32(o, 0);
    ecrit32(o, 0);
    for (int y = n - 1; y >= 0; y--)
        for (int x = 0; x < n; x++) ecrit32(o, px[size_t(y) * n + x]);
    for (int y = n - 1; y >= 0; y--) {
        octets ligne(ligne_et, 0);
        for (int x = 0; x < n; x++)
            if ((px[size_t(y) * n + x] >> 24) == 0) ligne[x / 8] |= uint8_t(0x80 >> (x % 8));
        o.insert(o.end(), ligne.begin(), ligne.end());
    }
    return o;
}

// An icon (type 1) or cursor (type 2) file of the given images. For a cursor the two words
// after the colour count are the hot spot; for an icon, planes and bits per pixel.
struct entree {
    int taille, couleurs, mot1, mot2;
    octets image;
};

static octets fichier_ressource(int type, const std::vector<entree> &entrees) {
    octets o;
    ecrit16(o, 0);
    ecrit16(o, type);
    ecrit16(o, unsigned(entrees.size()));
    uint32_t decalage = 6 + 16 * uint32_t(entrees.size());
    for (const entree &e : entrees) {
        o.push_back(uint8_t(e.taille & 0xff));
        o.push_back(uint8_t(e.taille & 0xff));
        o.push_back(uint8_t(e.couleurs));
        o.push_back(0);
        ecrit16(o, e.mot1);
        ecrit16(o, e.mot2);
        ecrit32(o, uint32_t(e.image.size()));
        ecrit32(o, decalage);
        decalage += uint32_t(e.image.size());
    }
    for (const entree &e : entrees) o.insert(o.end(), e.image.begin(), e.image.end());
    return o;
}

// ---------------------------------------------------------------------------------------------
// The watch cursors: 32 x 32, each pixel transparent, black or white. A round case with a
// black rim and a white dial, the strap above and below, the winding crown on the right, and
// one hand pointing to the hour.

enum { VIDE, NOIR, BLANC };

static const double CX = 14.5, CY = 15.5; // centre of the dial (pixel centres at +0.5)
static const double R_BOITIER = 10.0;     // outer edge of the case
static const double R_CADRAN = 8.0;       // inner edge of the rim: the white dial

static int pixel_montre(int x, int y, int heure) {
    point p = {x + 0.5, y + 0.5};
    double d = std::hypot(p.x - CX, p.y - CY);

    // The hand, from the centre toward the hour, and a hub at the centre.
    double angle = heure * PI / 6;
    point bout = {CX + 6.6 * std::sin(angle), CY - 6.6 * std::cos(angle)};
    if (d <= 1.5) return NOIR;
    if (dist_segment(p, {CX, CY}, bout) <= 0.85) return NOIR;
    // A dot at twelve, three, six and nine.
    for (int q = 0; q < 4; q++) {
        double a = q * PI / 2;
        point m = {CX + 6.9 * std::sin(a), CY - 6.9 * std::cos(a)};
        if (std::hypot(p.x - m.x, p.y - m.y) <= 0.55) return NOIR;
    }
    if (d < R_CADRAN) return BLANC;
    if (d < R_BOITIER) return NOIR;

    // The crown: a knob on the right, a black edge round a white core.
    if (p.x >= CX + R_BOITIER - 0.5 && p.x <= CX + R_BOITIER + 3 && std::fabs(p.y - CY) <= 2.5) {
        bool bord = p.x >= CX + R_BOITIER + 2 || std::fabs(p.y - CY) >= 1.5;
        return bord ? NOIR : BLANC;
    }

    // The strap, narrower than the case, from the case to the top and bottom edges of the
    // image, where it ends square; the lower half has two holes.
    const double demi_bracelet = 5.0;
    double dx = std::fabs(p.x - CX);
    if (dx <= demi_bracelet) {
        if (dx > demi_bracelet - 1 || y == 0 || y == 31) return NOIR;
        if (p.y > CY && dx < 1 && (y == 27 || y == 29)) return NOIR;
        return BLANC;
    }
    return VIDE;
}

// One monochrome cursor image: BITMAPINFOHEADER, the palette (black, white), the XOR bitmap
// (1 = white) and the AND mask (1 = transparent), both bottom-up, rows of 4 bytes.
static octets image_curseur(const int *px) {
    octets o;
    ecrit32(o, 40);
    ecrit32(o, 32);
    ecrit32(o, 64);
    ecrit16(o, 1);
    ecrit16(o, 1);
    ecrit32(o, 0);
    ecrit32(o, 256);
    ecrit32(o, 0);
    ecrit32(o, 0);
    ecrit32(o, 2);
    ecrit32(o, 2);
    ecrit32(o, 0x00000000);
    ecrit32(o, 0x00ffffff);
    for (int masque = 0; masque < 2; masque++)
        for (int y = 31; y >= 0; y--) {
            uint8_t ligne[4] = {0, 0, 0, 0};
            for (int x = 0; x < 32; x++) {
                int v = px[y * 32 + x];
                bool bit = masque == 0 ? v == BLANC : v == VIDE;
                if (bit) ligne[x / 8] |= uint8_t(0x80 >> (x % 8));
            }
            o.insert(o.end(), ligne, ligne + 4);
        }
    return o;
}

// ---------------------------------------------------------------------------------------------
// PNG images: the icon's large image, the desktops' icons and the previews. The rows are
// filtered and deflated as PNG asks (LZ77 matches in fixed Huffman codes: no library needed).

static uint32_t crc_png(const uint8_t *d, size_t n, uint32_t crc = 0) {
    crc = ~crc;
    for (size_t i = 0; i < n; i++) {
        crc ^= d[i];
        for (int k = 0; k < 8; k++) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

static void ecrit32_gros(octets &o, uint32_t v) {
    for (int i = 3; i >= 0; i--) o.push_back(uint8_t(v >> (8 * i)));
}

static void morceau_png(octets &o, const char *type, const octets &donnees) {
    ecrit32_gros(o, uint32_t(donnees.size()));
    octets tc(type, type + 4);
    tc.insert(tc.end(), donnees.begin(), donnees.end());
    o.insert(o.end(), tc.begin(), tc.end());
    ecrit32_gros(o, crc_png(tc.data(), tc.size()));
}

// Bits into bytes, the first in the lowest bit; a Huffman code goes in from its highest bit.
struct flux_bits {
    octets &o;
    uint32_t reserve = 0;
    int nb = 0;
    void ecrit(uint32_t v, int n) {
        reserve |= v << nb;
        for (nb += n; nb >= 8; nb -= 8, reserve >>= 8) o.push_back(uint8_t(reserve));
    }
    void code(uint32_t c, int n) {
        for (int i = n - 1; i >= 0; i--) ecrit((c >> i) & 1, 1);
    }
    void fin() {
        if (nb > 0) o.push_back(uint8_t(reserve));
        reserve = 0, nb = 0;
    }
};

static void litteral(flux_bits &f, unsigned v) { // or a length code, 256 to 285
    if (v < 144)
        f.code(0x30 + v, 8);
    else if (v < 256)
        f.code(0x190 + v - 144, 9);
    else if (v < 280)
        f.code(v - 256, 7);
    else
        f.code(0xc0 + v - 280, 8);
}

// A match of `lg` bytes (3..258) found `dist` bytes back (1..32768).
static void correspondance(flux_bits &f, unsigned lg, unsigned dist) {
    static const unsigned base_lg[29] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                         15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                         67, 83, 99, 115, 131, 163, 195, 227, 258};
    static const unsigned base_dist[30] = {
        1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
        193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
    int i = 28;
    while (base_lg[i] > lg) i--;
    litteral(f, 257 + i);
    f.ecrit(lg - base_lg[i], i < 8 || i == 28 ? 0 : (i - 4) / 4);
    int j = 29;
    while (base_dist[j] > dist) j--;
    f.code(j, 5);
    f.ecrit(dist - base_dist[j], j < 2 ? 0 : (j - 2) / 2);
}

// A zlib stream of one deflate block: each position takes the longest of the earlier matches
// that a hash of its first three bytes leads to.
static octets zlib(const octets &d) {
    octets z = {0x78, 0x01};
    flux_bits f{z};
    f.ecrit(1, 1); // the last block
    f.ecrit(1, 2); // in fixed codes
    const size_t fenetre = 32768, essais = 128;
    std::vector<int32_t> tete(1 << 16, -1), precedent(d.size(), -1);
    auto cle = [&d](size_t i) { return (d[i] << 8 ^ d[i + 1] << 4 ^ d[i + 2]) & 0xffff; };
    auto retient = [&](size_t i) {
        if (i + 2 >= d.size()) return;
        precedent[i] = tete[cle(i)];
        tete[cle(i)] = int32_t(i);
    };
    for (size_t i = 0; i < d.size();) {
        size_t meilleur = 0, dist = 0;
        if (i + 2 < d.size()) {
            size_t essai = 0;
            for (int32_t j = tete[cle(i)]; j >= 0 && i - j <= fenetre && essai < essais;
                 j = precedent[j], essai++) {
                size_t lg = 0;
                while (lg < 258 && i + lg < d.size() && d[j + lg] == d[i + lg]) lg++;
                if (lg > meilleur) meilleur = lg, dist = i - j;
            }
        }
        if (meilleur >= 3) {
            correspondance(f, unsigned(meilleur), unsigned(dist));
            for (size_t k = 0; k < meilleur; k++) retient(i + k);
            i += meilleur;
        } else {
            litteral(f, d[i]);
            retient(i++);
        }
    }
    litteral(f, 256); // end of the block
    f.fin();
    uint32_t a = 1, b = 0;
    for (uint8_t c : d) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    ecrit32_gros(z, b << 16 | a);
    return z;
}

// The PNG filter of one row: each byte as a difference from its neighbours.
static uint8_t filtre(int type, int x, int a, int b, int c) {
    switch (type) {
    case 1:
        return uint8_t(x - a);
    case 2:
        return uint8_t(x - b);
    case 3:
        return uint8_t(x - (a + b) / 2);
    case 4: {
        int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
        return uint8_t(x - (pa <= pb && pa <= pc ? a : pb <= pc ? b : c));
    }
    default:
        return uint8_t(x);
    }
}

// px: w x h pixels of `canaux` bytes each (3: RGB, 4: RGBA), rows top to bottom. Each row
// takes the filter whose bytes stray least from zero, as PNG encoders usually choose.
static octets png(const octets &px, int w, int h, int canaux) {
    octets o = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    octets ihdr;
    ecrit32_gros(ihdr, uint32_t(w));
    ecrit32_gros(ihdr, uint32_t(h));
    ihdr.insert(ihdr.end(), {8, uint8_t(canaux == 4 ? 6 : 2), 0, 0, 0});
    morceau_png(o, "IHDR", ihdr);
    size_t ligne = size_t(w) * canaux;
    octets filtre_lignes, vide(ligne, 0);
    for (int y = 0; y < h; y++) {
        const uint8_t *l = &px[y * ligne], *dessus = y > 0 ? l - ligne : vide.data();
        octets meilleure;
        long meilleure_somme = -1;
        for (int type = 0; type < 5; type++) {
            octets f = {uint8_t(type)};
            long somme = 0;
            for (size_t i = 0; i < ligne; i++) {
                int a = i >= size_t(canaux) ? l[i - canaux] : 0;
                int c = i >= size_t(canaux) ? dessus[i - canaux] : 0;
                f.push_back(filtre(type, l[i], a, dessus[i], c));
                somme += std::abs(int(int8_t(f.back())));
            }
            if (meilleure_somme < 0 || somme < meilleure_somme)
                meilleure = f, meilleure_somme = somme;
        }
        filtre_lignes.insert(filtre_lignes.end(), meilleure.begin(), meilleure.end());
    }
    morceau_png(o, "IDAT", zlib(filtre_lignes));
    morceau_png(o, "IEND", {});
    return o;
}

// An icon image (0xAARRGGBB, n x n) as an RGBA PNG.
static octets png_icone(const std::vector<uint32_t> &px, int n) {
    octets rgba;
    for (uint32_t c : px)
        rgba.insert(rgba.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c), uint8_t(c >> 24)});
    return png(rgba, n, n, 4);
}

// Magnifies an n x n image by `zoom`, on a checkerboard so transparency shows, with a grid
// between the pixels. couleur(x, y) gives 0xAARRGGBB.
template <typename F> static octets apercu(int n, int zoom, F couleur) {
    int w = n * zoom;
    octets rgb(size_t(w) * w * 3);
    for (int y = 0; y < w; y++)
        for (int x = 0; x < w; x++) {
            uint32_t c = couleur(x / zoom, y / zoom);
            double a = (c >> 24) / 255.0;
            int fond = ((x / 8 + y / 8) % 2) ? 200 : 160;
            if (x % zoom == 0 || y % zoom == 0) fond = 120;
            uint8_t *o = &rgb[(size_t(y) * w + x) * 3];
            for (int k = 0; k < 3; k++) {
                double v = (c >> (16 - 8 * k)) & 0xff;
                o[k] = uint8_t(std::lround(v * a + fond * (1 - a)));
            }
        }
    return png(rgb, w, w, 3);
}

int main(int argc, char **argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: %s <directory> [--apercu]\n", argv[0]);
        return 2;
    }
    std::string dir = std::string(argv[1]) + "/";
    bool voir = argc > 2 && strcmp(argv[2], "--apercu") == 0;
    bool ok = true;

    // The icon's images, small to large; the desktops' icons of the sizes they look for.
    std::vector<entree> icones;
    for (int n : {16, 24, 32, 48, 256}) {
        std::vector<uint32_t> px = rend_icone(geometrie_de(n), n);
        octets image = n == 256 ? png_icone(px, n) : image_icone(px, n);
        icones.push_back({n, 0, 1, 32, image});
        if (voir)
            ok &= ecrit_fichier(
                dir + "apercu_icone" + std::to_string(n) + ".png",
                apercu(n, std::max(1, 256 / n), [&](int x, int y) { return px[y * n + x]; }));
    }
    ok &= ecrit_fichier(dir + "quillon.ico", fichier_ressource(1, icones));
    for (int n : {16, 32, 48, 128, 256})
        ok &= ecrit_fichier(dir + "icons/quillon-" + std::to_string(n) + ".png",
                            png_icone(rend_icone(geometrie_de(n), n), n));

    std::vector<int> planche(32 * 32 * 12); // all twelve side by side for the preview
    for (int h = 1; h <= 12; h++) {
        int px[32 * 32];
        for (int y = 0; y < 32; y++)
            for (int x = 0; x < 32; x++) px[y * 32 + x] = pixel_montre(x, y, h);
        char nom[32];
        snprintf(nom, sizeof nom, "montre%02d.cur", h);
        ok &= ecrit_fichier(dir + nom, fichier_ressource(2, {{32, 2, 0, 0, image_curseur(px)}}));
        for (int i = 0; i < 32 * 32; i++) planche[size_t(h - 1) * 1024 + i] = px[i];
    }
    if (voir) {
        // Twelve cursors in a 4 x 3 grid of 32 x 32 cells, in a 128 x 128 preview.
        auto couleur = [&](int x, int y) -> uint32_t {
            int h = (y / 32) * 4 + x / 32;
            if (h >= 12) return 0;
            int v = planche[size_t(h) * 1024 + (y % 32) * 32 + x % 32];
            return v == VIDE ? 0 : v == NOIR ? 0xff000000u : 0xffffffffu;
        };
        ok &= ecrit_fichier(dir + "apercu_montres.png", apercu(128, 8, couleur));
    }
    return ok ? 0 : 1;
}
