// Icon and cursor files: a directory of images, each a device-independent bitmap whose height
// is doubled to hold the colour (XOR) bitmap and the AND mask, or a PNG stream. Numbers are
// little-endian. Nothing here trusts a size or an offset before checking it against the data.
#include "images/decode.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>
#include <QBitmap>
#include <QPixmap>

namespace {

const int TYPE_ICONE = 1;
const int TYPE_CURSEUR = 2;
const int TAILLE_MAX = 256; // the largest image an icon directory can describe

// A window on bytes that have been checked to lie inside the data.
struct Octets {
    const unsigned char *p;
    size_t n;
};

bool lit16(Octets o, size_t pos, uint32_t &v) {
    if (pos > o.n || o.n - pos < 2) return false;
    v = uint32_t(o.p[pos]) | uint32_t(o.p[pos + 1]) << 8;
    return true;
}

bool lit32(Octets o, size_t pos, uint32_t &v) {
    uint32_t bas, haut;
    if (!lit16(o, pos, bas) || !lit16(o, pos + 2, haut)) return false;
    v = bas | haut << 16;
    return true;
}

bool est_png(Octets o) {
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    return o.n >= 8 && std::equal(signature, signature + 8, o.p);
}

// One entry of the directory. For a cursor, mot1 and mot2 are the hot spot.
struct Entree {
    int taille; // width from the directory (0 there means 256)
    int bits;   // colour depth, for choosing (a PNG counts as 32 bits)
    uint32_t mot1, mot2;
    Octets image; // the entry's bytes, inside the data
};

// The directory's entries whose bytes lie inside the data (the others are dropped).
std::vector<Entree> lit_repertoire(Octets f, uint32_t type_attendu) {
    std::vector<Entree> entrees;
    uint32_t reserve, type, nombre;
    if (!lit16(f, 0, reserve) || !lit16(f, 2, type) || !lit16(f, 4, nombre)) return entrees;
    if (reserve != 0 || type != type_attendu) return entrees;
    for (uint32_t i = 0; i < nombre; i++) {
        size_t pos = 6 + size_t(i) * 16;
        uint32_t mot1, mot2, longueur, debut;
        if (pos + 16 > f.n) break;
        if (!lit16(f, pos + 4, mot1) || !lit16(f, pos + 6, mot2) || !lit32(f, pos + 8, longueur) ||
            !lit32(f, pos + 12, debut))
            break;
        if (longueur == 0 || debut > f.n || longueur > f.n - debut) continue;
        int taille = f.p[pos] == 0 ? TAILLE_MAX : f.p[pos];
        Octets image = {f.p + debut, longueur};
        uint32_t bits = 32;
        if (!est_png(image) && !lit16(image, 14, bits)) bits = 0;
        entrees.push_back({taille, int(bits), mot1, mot2, image});
    }
    return entrees;
}

// Entries in the order they should be tried: nearest to the wanted size first, then the
// larger, then the one with more colours, then the first in the file.
std::vector<Entree> par_preference(std::vector<Entree> entrees, int voulue) {
    auto meilleure = [voulue](const Entree &a, const Entree &b) {
        int ea = a.taille > voulue ? a.taille - voulue : voulue - a.taille;
        int eb = b.taille > voulue ? b.taille - voulue : voulue - b.taille;
        if (ea != eb) return ea < eb;
        if (a.taille != b.taille) return a.taille > b.taille;
        return a.bits > b.bits;
    };
    std::stable_sort(entrees.begin(), entrees.end(), meilleure);
    return entrees;
}

// A decoded image: colours with transparency, and where the masks ask for the screen to be
// inverted (AND 1 over a non-black colour), which an image cannot show.
struct Image {
    QImage argb;
    std::vector<bool> inverse; // one per pixel, rows top to bottom
    int bits = 0;              // bits per pixel of the colour bitmap (0 for PNG)
};

bool decode_png(Octets o, Image &img) {
    // The size is read from the header chunk first, so that no huge image is ever inflated.
    if (o.n < 24 || o.n > size_t(INT_MAX)) return false;
    auto be32 = [&o](size_t pos) {
        return uint32_t(o.p[pos]) << 24 | uint32_t(o.p[pos + 1]) << 16 |
               uint32_t(o.p[pos + 2]) << 8 | uint32_t(o.p[pos + 3]);
    };
    uint32_t largeur = be32(16), hauteur = be32(20);
    if (largeur == 0 || hauteur == 0 || largeur > TAILLE_MAX || hauteur > TAILLE_MAX) return false;
    QImage q = QImage::fromData(o.p, int(o.n), "PNG");
    if (q.isNull() || q.width() != int(largeur) || q.height() != int(hauteur)) return false;
    img.argb = q.convertToFormat(QImage::Format_ARGB32);
    img.inverse.assign(size_t(q.width()) * q.height(), false);
    img.bits = 0;
    return true;
}

// The bitmap: BITMAPINFOHEADER (40 bytes or one of its longer successors), the palette for
// 8 bits or fewer, the colour rows, the mask rows; rows bottom-up, each padded to 4 bytes.
bool decode_bmp(Octets o, Image &img) {
    uint32_t taille_entete, l, h2, plans, bits, compression, couleurs;
    if (!lit32(o, 0, taille_entete) || !lit32(o, 4, l) || !lit32(o, 8, h2) ||
        !lit16(o, 12, plans) || !lit16(o, 14, bits) || !lit32(o, 16, compression) ||
        !lit32(o, 32, couleurs))
        return false;
    int32_t largeur = int32_t(l), hauteur_double = int32_t(h2);
    if (taille_entete < 40 || taille_entete > o.n) return false;
    if (largeur < 1 || largeur > TAILLE_MAX) return false;
    if (hauteur_double < 2 || hauteur_double > 2 * TAILLE_MAX) return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;
    if (compression != 0) return false; // only uncompressed colour bitmaps
    (void)plans;
    int hauteur = hauteur_double / 2;

    // The palette: as many entries as announced, never more than the depth can index.
    std::vector<QRgb> palette;
    if (bits <= 8) {
        uint32_t maximum = 1u << bits;
        uint32_t nombre = couleurs == 0 ? maximum : couleurs;
        if (nombre > maximum) return false;
        for (uint32_t i = 0; i < nombre; i++) {
            size_t pos = taille_entete + size_t(i) * 4;
            if (pos + 4 > o.n) return false;
            palette.push_back(qRgb(o.p[pos + 2], o.p[pos + 1], o.p[pos]));
        }
    }
    size_t debut_xor = taille_entete + palette.size() * 4;
    size_t ligne_xor = (size_t(largeur) * bits + 31) / 32 * 4;
    size_t ligne_et = (size_t(largeur) + 31) / 32 * 4;
    size_t debut_et = debut_xor + ligne_xor * hauteur;
    if (debut_et > o.n || ligne_et * hauteur > o.n - debut_et) return false;

    img.argb = QImage(largeur, hauteur, QImage::Format_ARGB32);
    img.inverse.assign(size_t(largeur) * hauteur, false);
    img.bits = int(bits);
    auto bit = [](const unsigned char *ligne, int x) {
        return (ligne[x >> 3] >> (7 - (x & 7))) & 1;
    };

    // A 32-bit bitmap with any alpha carries its own transparency and the mask is not used.
    bool alpha = false;
    if (bits == 32)
        for (int r = 0; r < hauteur && !alpha; r++)
            for (int x = 0; x < largeur && !alpha; x++)
                alpha = o.p[debut_xor + ligne_xor * r + size_t(x) * 4 + 3] != 0;

    for (int r = 0; r < hauteur; r++) {
        const unsigned char *lx = o.p + debut_xor + ligne_xor * r;
        const unsigned char *le = o.p + debut_et + ligne_et * r;
        int y = hauteur - 1 - r;
        QRgb *sortie = reinterpret_cast<QRgb *>(img.argb.scanLine(y));
        for (int x = 0; x < largeur; x++) {
            QRgb c;
            if (bits <= 8) {
                unsigned index;
                if (bits == 1)
                    index = bit(lx, x);
                else if (bits == 4)
                    index = (lx[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0f;
                else
                    index = lx[x];
                c = index < palette.size() ? palette[index] : qRgb(0, 0, 0);
            } else {
                const unsigned char *px = lx + size_t(x) * (bits / 8);
                c = qRgba(px[2], px[1], px[0], bits == 32 && alpha ? px[3] : 255);
            }
            if (!alpha && bit(le, x)) {
                // AND 1: the screen shows through, inverted where the colour is not black.
                if ((c & 0xffffff) != 0) img.inverse[size_t(y) * largeur + x] = true;
                c = qRgba(0, 0, 0, 0);
            } else if (!alpha) {
                c |= 0xff000000u;
            }
            sortie[x] = c;
        }
    }
    return true;
}

bool decode_entree(const Entree &e, Image &img) {
    return est_png(e.image) ? decode_png(e.image, img) : decode_bmp(e.image, img);
}

// Decodes the preferred entry that decodes at all; the index of that entry in `entrees`.
int decode_prefere(const std::vector<Entree> &entrees, Image &img) {
    for (size_t i = 0; i < entrees.size(); i++)
        if (decode_entree(entrees[i], img)) return int(i);
    return -1;
}

// Qt's two-bitmap cursor: bitmap 1 is black, mask 1 is opaque; bitmap 1 with mask 0 inverts
// the screen (where the platform can).
QCursor curseur_monochrome(const Image &img, int x_point, int y_point) {
    int l = img.argb.width(), h = img.argb.height();
    QImage dessin(l, h, QImage::Format_Mono), masque(l, h, QImage::Format_Mono);
    for (QImage *q : {&dessin, &masque}) {
        q->setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
        q->fill(0);
    }
    for (int y = 0; y < h; y++)
        for (int x = 0; x < l; x++) {
            QRgb c = img.argb.pixel(x, y);
            bool opaque = qAlpha(c) != 0;
            bool noir = opaque && qGray(c) < 128;
            bool inverse = img.inverse[size_t(y) * l + x];
            dessin.setPixel(x, y, noir || inverse ? 1 : 0);
            masque.setPixel(x, y, opaque ? 1 : 0);
        }
    return QCursor(QBitmap::fromImage(dessin), QBitmap::fromImage(masque), x_point, y_point);
}

} // namespace

QImage plat_decode_icon(const unsigned char *data, size_t size, int preferred_size) {
    if (data == nullptr) return QImage();
    std::vector<Entree> entrees =
        par_preference(lit_repertoire({data, size}, TYPE_ICONE), preferred_size);
    Image img;
    if (decode_prefere(entrees, img) < 0) return QImage();
    return img.argb;
}

QCursor plat_decode_cursor(const unsigned char *data, size_t size) {
    if (data == nullptr) return QCursor();
    std::vector<Entree> entrees = par_preference(lit_repertoire({data, size}, TYPE_CURSEUR), 32);
    Image img;
    int i = decode_prefere(entrees, img);
    if (i < 0) return QCursor();
    // A hot spot outside the image is brought to its nearest edge.
    int x = std::min(int(entrees[i].mot1), img.argb.width() - 1);
    int y = std::min(int(entrees[i].mot2), img.argb.height() - 1);
    if (img.bits == 1) return curseur_monochrome(img, x, y);
    return QCursor(QPixmap::fromImage(img.argb), x, y);
}
