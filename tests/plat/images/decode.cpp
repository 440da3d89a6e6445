// Icon and cursor files: the program's own images, every colour depth and mask case, and
// data that is malformed or cut short (any damage at all: fuzz/images.cpp).
#include <gtest/gtest.h>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>
#include <QBitmap>
#include <QBuffer>
#include "images/decode.h"
#include "systeme.h"

typedef std::vector<unsigned char> Octets;

static Octets lit_ressource(const char *nom) {
    std::string octets = lit_fichier(std::string(QUILLON_SOURCE_DIR "/app/res/") + nom);
    return Octets(octets.begin(), octets.end());
}

static void le16(Octets &o, uint32_t v) {
    o.push_back(v & 0xff);
    o.push_back((v >> 8) & 0xff);
}
static void le32(Octets &o, uint32_t v) {
    le16(o, v & 0xffff);
    le16(o, v >> 16);
}

// A directory of one entry per image; mot1/mot2 are the hot spot for a cursor (type 2).
struct Entree {
    int taille;
    uint32_t mot1, mot2;
    Octets image;
};
static Octets fichier(int type, const std::vector<Entree> &entrees) {
    Octets o;
    le16(o, 0);
    le16(o, type);
    le16(o, entrees.size());
    uint32_t debut = 6 + 16 * entrees.size();
    for (const Entree &e : entrees) {
        o.insert(o.end(), {uint8_t(e.taille), uint8_t(e.taille), 0, 0});
        le16(o, e.mot1);
        le16(o, e.mot2);
        le32(o, e.image.size());
        le32(o, debut);
        debut += e.image.size();
    }
    for (const Entree &e : entrees) o.insert(o.end(), e.image.begin(), e.image.end());
    return o;
}

// A bitmap entry of w x h pixels (given top row first) at the given depth; et[i] is the AND
// bit. For 8 bits or fewer the palette is the list of distinct colours, in order of use.
static Octets bitmap(int w, int h, int bits, const std::vector<QRgb> &px,
                     const std::vector<int> &et) {
    std::vector<QRgb> palette;
    std::vector<int> index;
    for (QRgb c : px) {
        size_t i = std::find(palette.begin(), palette.end(), c) - palette.begin();
        if (i == palette.size()) palette.push_back(c);
        index.push_back(int(i));
    }
    Octets o;
    for (uint32_t v : {40u, uint32_t(w), uint32_t(2 * h)}) le32(o, v);
    le16(o, 1);
    le16(o, bits);
    for (int i = 0; i < 4; i++) le32(o, 0);
    le32(o, bits <= 8 ? palette.size() : 0);
    le32(o, 0);
    if (bits <= 8)
        for (QRgb c : palette)
            o.insert(o.end(), {uint8_t(qBlue(c)), uint8_t(qGreen(c)), uint8_t(qRed(c)), 0});
    size_t ligne = (w * bits + 31) / 32 * 4, ligne_et = (w + 31) / 32 * 4;
    for (int y = h - 1; y >= 0; y--) {
        Octets r(ligne, 0);
        for (int x = 0; x < w; x++) {
            int i = y * w + x;
            QRgb c = px[i];
            if (bits == 1)
                r[x / 8] |= index[i] << (7 - x % 8);
            else if (bits == 4)
                r[x / 2] |= index[i] << (x % 2 ? 0 : 4);
            else if (bits == 8)
                r[x] = index[i];
            else {
                unsigned char *p = &r[x * bits / 8];
                p[0] = qBlue(c), p[1] = qGreen(c), p[2] = qRed(c);
                if (bits == 32) p[3] = qAlpha(c);
            }
        }
        o.insert(o.end(), r.begin(), r.end());
    }
    for (int y = h - 1; y >= 0; y--) {
        Octets r(ligne_et, 0);
        for (int x = 0; x < w; x++) r[x / 8] |= et[y * w + x] << (7 - x % 8);
        o.insert(o.end(), r.begin(), r.end());
    }
    return o;
}

static QImage icone(const Octets &o, int taille = 32) {
    return plat_decode_icon(o.data(), o.size(), taille);
}
static QCursor curseur(const Octets &o) {
    return plat_decode_cursor(o.data(), o.size());
}

TEST(PlatImages, EveryDepthWithItsPaletteRowOrderPaddingAndMask) {
    // Three pixels wide so that every depth pads its rows; two rows to see bottom-up order.
    const QRgb R = qRgb(200, 10, 20), V = qRgb(10, 180, 30), B = qRgb(0, 0, 0),
               W = qRgb(255, 255, 255);
    const std::vector<QRgb> px = {R, V, W, B, R, V};
    const std::vector<int> et = {0, 0, 1, 0, 1, 0};
    for (int bits : {1, 4, 8, 24, 32}) {
        SCOPED_TRACE(bits);
        std::vector<QRgb> couleurs = px;
        if (bits == 1) couleurs = {W, B, W, B, W, B}; // two colours only
        if (bits == 32)
            for (QRgb &c : couleurs) c &= 0x00ffffff; // no alpha: the mask decides
        QImage img = icone(fichier(1, {{3, 1, uint32_t(bits), bitmap(3, 2, bits, couleurs, et)}}));
        ASSERT_EQ(img.size(), QSize(3, 2));
        for (int i = 0; i < 6; i++) {
            QRgb attendu = et[i] ? 0 : (couleurs[i] | 0xff000000u);
            EXPECT_EQ(img.pixel(i % 3, i / 3), attendu) << "pixel " << i;
        }
    }
    // With alpha of its own a 32-bit bitmap ignores the mask.
    const std::vector<QRgb> alpha = {qRgba(1, 2, 3, 128), qRgba(4, 5, 6, 255), qRgba(0, 0, 0, 0)};
    QImage img = icone(fichier(1, {{3, 1, 32, bitmap(3, 1, 32, alpha, {1, 1, 0})}}));
    ASSERT_FALSE(img.isNull());
    for (int x = 0; x < 3; x++) EXPECT_EQ(img.pixel(x, 0), alpha[x]);
}

TEST(PlatImages, SizeNearestTheWantedOneAndPngEntries) {
    QImage petite(16, 16, QImage::Format_ARGB32);
    petite.fill(qRgba(10, 20, 30, 255));
    petite.setPixel(3, 4, qRgba(200, 100, 50, 128));
    QByteArray png;
    QBuffer tampon(&png);
    tampon.open(QIODevice::WriteOnly);
    ASSERT_TRUE(petite.save(&tampon, "PNG"));
    std::vector<QRgb> gris(32 * 32, qRgb(90, 90, 90));
    Octets o = fichier(1, {{32, 1, 24, bitmap(32, 32, 24, gris, std::vector<int>(32 * 32, 0))},
                           {16, 1, 32, Octets(png.begin(), png.end())}});
    EXPECT_EQ(icone(o, 48).size(), QSize(32, 32));
    EXPECT_EQ(icone(o, 24).size(), QSize(32, 32)); // equally near: the larger
    QImage p = icone(o, 16);
    ASSERT_EQ(p.size(), QSize(16, 16));
    EXPECT_EQ(p.pixel(3, 4), qRgba(200, 100, 50, 128));
    EXPECT_EQ(p.pixel(0, 0), qRgba(10, 20, 30, 255));

    // Of two images of the same size, the one with more colours.
    std::vector<int> opaque(16 * 16, 0);
    Octets o3 = fichier(
        1, {{16, 1, 4, bitmap(16, 16, 4, std::vector<QRgb>(256, qRgb(255, 0, 0)), opaque)},
            {16, 1, 24, bitmap(16, 16, 24, std::vector<QRgb>(256, qRgb(0, 255, 0)), opaque)}});
    EXPECT_EQ(icone(o3, 16).pixel(5, 5), qRgb(0, 255, 0));

    // A PNG announcing a huge image is never inflated: the other entry serves.
    Octets enorme(png.begin(), png.end());
    enorme[16] = enorme[17] = 0x7f;
    Octets o2 = fichier(1, {{16, 1, 32, enorme},
                            {32, 1, 24, bitmap(32, 32, 24, gris, std::vector<int>(32 * 32, 0))}});
    EXPECT_EQ(icone(o2, 16).size(), QSize(32, 32));
}

TEST(PlatImages, MonochromeCursorKeepsTheFourMaskCasesAndItsHotSpot) {
    const QRgb N = qRgb(0, 0, 0), W = qRgb(255, 255, 255);
    // AND/XOR: 0/0 black, 0/1 white, 1/0 transparent, 1/1 inverted.
    Octets o = fichier(2, {{2, 1, 0, bitmap(2, 2, 1, {N, W, N, W}, {0, 0, 1, 1})}});
    QCursor c = curseur(o);
    ASSERT_EQ(c.shape(), Qt::BitmapCursor);
    EXPECT_EQ(c.hotSpot(), QPoint(1, 0));
    QImage dessin = c.bitmap().toImage(), masque = c.mask().toImage();
    auto noir = [](const QImage &i, int x, int y) {
        return i.pixelColor(x, y) == QColor(Qt::black);
    };
    EXPECT_TRUE(noir(dessin, 0, 0) && noir(masque, 0, 0));   // black
    EXPECT_TRUE(!noir(dessin, 1, 0) && noir(masque, 1, 0));  // white
    EXPECT_TRUE(!noir(dessin, 0, 1) && !noir(masque, 0, 1)); // transparent
    EXPECT_TRUE(noir(dessin, 1, 1) && !noir(masque, 1, 1));  // inverted screen

    // A hot spot beyond the image is brought inside it.
    Octets loin = fichier(2, {{2, 40, 7, bitmap(2, 2, 1, {N, W, N, W}, {0, 0, 1, 1})}});
    EXPECT_EQ(curseur(loin).hotSpot(), QPoint(1, 1));
}

// Its 256-pixel image is a PNG stream, as Windows keeps its large icons.
TEST(PlatImages, ProgramIconHasEverySizeOnATransparentGround) {
    Octets o = lit_ressource("quillon.ico");
    for (int n : {16, 24, 32, 48, 256}) {
        QImage img = icone(o, n);
        ASSERT_EQ(img.size(), QSize(n, n));
        EXPECT_EQ(qAlpha(img.pixel(0, n - 1)), 0); // corner outside the page
        EXPECT_EQ(img.pixel(n / 4, n * 3 / 4), qRgb(255, 255, 255)) << "the page, opaque white";
    }
}

// Each watch: monochrome 32 x 32, hot spot at the top-left corner, no white pixel touching
// the outside (the outline shows on any ground), and its hand at the right hour.
TEST(PlatImages, WatchCursorsShowTheHoursInTurn) {
    std::vector<QImage> dessins, masques;
    for (int h = 1; h <= 12; h++) {
        char nom[32];
        snprintf(nom, sizeof nom, "montre%02d.cur", h);
        QCursor c = curseur(lit_ressource(nom));
        ASSERT_EQ(c.shape(), Qt::BitmapCursor) << nom;
        EXPECT_EQ(c.hotSpot(), QPoint(0, 0));
        dessins.push_back(c.bitmap().toImage());
        masques.push_back(c.mask().toImage());
        ASSERT_EQ(dessins.back().size(), QSize(32, 32));
    }
    auto opaque = [&](int h, int x, int y) {
        return x >= 0 && y >= 0 && x < 32 && y < 32 && masques[h].pixelColor(x, y) == Qt::black;
    };
    auto noir = [&](int h, int x, int y) {
        return opaque(h, x, y) && dessins[h].pixelColor(x, y) == Qt::black;
    };
    // The hand is what is black in one watch but not in all of them; the dial's centre is the
    // mean of the twelve hands.
    double cx[12] = {}, cy[12] = {}, mx = 0, my = 0;
    for (int h = 0; h < 12; h++) {
        int n = 0;
        for (int y = 0; y < 32; y++)
            for (int x = 0; x < 32; x++) {
                bool blanc = opaque(h, x, y) && !noir(h, x, y), partout = true;
                EXPECT_FALSE(blanc && !(opaque(h, x - 1, y) && opaque(h, x + 1, y) &&
                                        opaque(h, x, y - 1) && opaque(h, x, y + 1)))
                    << "white at the edge, watch " << h + 1 << " (" << x << "," << y << ")";
                for (int k = 0; k < 12; k++) partout = partout && noir(k, x, y);
                if (noir(h, x, y) && !partout) cx[h] += x, cy[h] += y, n++;
            }
        ASSERT_GT(n, 3);
        cx[h] /= n, cy[h] /= n;
        mx += cx[h] / 12, my += cy[h] / 12;
    }
    for (int h = 0; h < 12; h++) {
        double angle = std::atan2(cx[h] - mx, my - cy[h]) * 180 / M_PI; // from twelve, clockwise
        double attendu = (h + 1) * 30.0;
        double ecart = std::fmod(angle - attendu + 720 + 180, 360) - 180;
        EXPECT_LT(std::fabs(ecart), 10) << "watch " << h + 1 << " points to " << angle;
    }
}

TEST(PlatImages, TruncatedOrCorruptedDataGivesNothing) {
    Octets ico = lit_ressource("quillon.ico"), cur = lit_ressource("montre03.cur");
    ASSERT_FALSE(ico.empty());
    ASSERT_FALSE(cur.empty());
    // Cut anywhere: the cursor is lost; the icon survives as soon as one image is whole (the
    // first, the smallest).
    uint32_t fin_premiere = (ico[14] | ico[15] << 8 | ico[16] << 16 | ico[17] << 24) +
                            (ico[18] | ico[19] << 8 | ico[20] << 16 | ico[21] << 24);
    for (size_t n = 0; n < ico.size(); n++)
        EXPECT_EQ(plat_decode_icon(ico.data(), n, 32).isNull(), n < fin_premiere) << n;
    for (size_t n = 0; n < cur.size(); n++)
        EXPECT_EQ(plat_decode_cursor(cur.data(), n).shape(), Qt::ArrowCursor) << n;
    EXPECT_TRUE(plat_decode_icon(nullptr, 100).isNull());
    const Octets repertoire_seul = {0, 0, 2, 0, 0xff, 0xff}; // 65535 entries announced, none there
    EXPECT_EQ(curseur(repertoire_seul).shape(), Qt::ArrowCursor);

    // Hostile fields, one at a time, each at its place in the cursor file.
    struct Change {
        size_t pos;
        uint32_t valeur;
        int largeur; // bytes written
    };
    const Change changes[] = {
        {14, 0xfffffff0, 4}, // size of the image: offset + size wraps around
        {18, 0xfffffff0, 4}, // offset of the image beyond the data
        {22, 0x7fffffff, 4}, // header size beyond the image
        {26, 0, 4},          // width 0
        {26, 100000, 4},     // width beyond any icon
        {30, 0xffffffc0, 4}, // negative height
        {36, 7, 2},          // 7 bits per pixel
        {38, 1, 4},          // compressed
        {54, 0xffffffff, 4}, // more palette colours than one bit can index
    };
    for (const Change &c : changes) {
        Octets o = cur;
        for (int i = 0; i < c.largeur; i++) o[c.pos + i] = (c.valeur >> (8 * i)) & 0xff;
        EXPECT_EQ(curseur(o).shape(), Qt::ArrowCursor) << "change at " << c.pos;
    }
}
