// The block copy: blocks of 40960 bytes, the progress bar on the main window and its steps,
// the busy cursor's frames, and failures that its callers can see.
#include <gtest/gtest.h>
#include <commctrl.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <vector>
#include "app/quillon.h"
#include "app/quillonid.h"
#include "io/iodlg.h"
#include "io/iodlgid.h"
#include "io/iofile.h"
#include "panneau.h"

namespace {

// A stream that serves `size` bytes (or fails) and writes nothing anywhere, recording what
// the copy does: at each read, the bytes read before it, the position the bar shows (-1: no
// bar) and the cursor's frame; the bar's range; each write.
struct Lecture {
    unsigned long long avant;
    int pos, curseur;
};
struct Flux {
    unsigned long long size = 0, lu = 0;
    bool fail = false;
    std::vector<size_t> writes;
    std::vector<Lecture> lectures;
    int high = -1;
};

ssize_t lire(void *c, char * /*buf*/, size_t n) {
    Flux *f = (Flux *)c;
    if (f->fail) return -1;
    if (n > f->size) n = f->size;
    int low = -1, pos = -1;
    if (hwndPB) {
        EXPECT_TRUE(plat_test_progress(hwndPB, &low, &f->high, &pos));
    }
    f->lectures.push_back({f->lu, pos, plat_test_cursor_id()});
    f->size -= n;
    f->lu += n;
    return (ssize_t)n;
}

ssize_t ecrire(void *c, const char * /*buf*/, size_t n) {
    Flux *f = (Flux *)c;
    if (f->fail) { // a writer reports failure with 0, never a negative count
        errno = ENOSPC;
        return 0;
    }
    f->writes.push_back(n);
    return (ssize_t)n;
}

FILE *ouvre(Flux &f, const char *mode) {
    return fopencookie(&f, mode, cookie_io_functions_t{lire, ecrire, nullptr, nullptr});
}

// One copy, made while the main window is on screen (headless), as the program makes it.
struct Copie {
    Flux src, dst;
    int resultat = -2;
    Copie(unsigned long long taille, uint32_t l, bool src_fail = false, bool dst_fail = false) {
        src.size = taille;
        src.fail = src_fail;
        dst.fail = dst_fail;
        Global_hInst = GetModuleHandleA(nullptr);
        avec_panneau([&](HWND) {
            FILE *f1 = ouvre(src, "r"), *f2 = ouvre(dst, "w");
            resultat = frecopie(f1, f2, l);
            fclose(f1);
            fclose(f2);
        });
    }
};

// However many blocks a read moves, the cursor and the bar see blocks of 40960 bytes: by each
// read, the cursor has shown the next of the twelve watches and the bar (above one block) has
// stepped once (or once per blocs_par_pas) for every block of the reads made so far.
void expect_blocs(const Flux &f, uint32_t l, uint32_t blocs_par_pas = 1) {
    const unsigned long long transfert = BLOCS_PAR_TRANSFERT * TAILLE_BLOC_COPIE;
    const unsigned long long blocs = (l + TAILLE_BLOC_COPIE - 1) / TAILLE_BLOC_COPIE;
    ASSERT_FALSE(f.lectures.empty());
    unsigned long long avant = 0;
    int curseur = 0;
    for (const Lecture &r : f.lectures) {
        unsigned long long vus = std::min(blocs, (r.avant / transfert + 1) * BLOCS_PAR_TRANSFERT);
        int pos = l > TAILLE_BLOC_COPIE ? (int)((vus + blocs_par_pas - 1) / blocs_par_pas) : -1;
        ASSERT_EQ(r.pos, pos) << "read after " << r.avant << " bytes";
        ASSERT_GE(r.curseur, IDC_MONTRE1);
        ASSERT_LT(r.curseur, IDC_MONTRE1 + NB_MONTRES);
        if (&r != &f.lectures[0]) {
            ASSERT_EQ(r.curseur, IDC_MONTRE1 + (curseur - IDC_MONTRE1 + (int)((vus - avant) % 12)) % 12);
        }
        avant = vus;
        curseur = r.curseur;
    }
}

} // namespace

// Every byte moves once, in blocks of 40960 bytes at most; the bar, above one block, fills
// once, within its 16-bit range (65537 blocks: two blocks a step), and never wraps round; a
// source that ends first gives what was there, with no endless loop; a failure stops the copy.
TEST(IoFileCopie, BlocksOf40960ABarAboveOneBlockAndFailuresReported) {
    const uint32_t transfert = BLOCS_PAR_TRANSFERT * TAILLE_BLOC_COPIE;
    const uint32_t plusieurs = 2 * transfert + 40961, enorme = 65536u * 40960u + 1;
    const struct {
        unsigned long long taille;
        uint32_t l;
        bool src_fail, dst_fail;
        int resultat;
        unsigned long long lu;
        std::vector<size_t> writes; // when given
        int high, blocs_par_pas;    // the bar's range (-1: no bar), and blocks a step
    } cas[] = {
        {100, 0, false, false, 0, 0, {}, -1, 1},
        {40960, 40960, false, false, 0, 40960, {40960}, -1, 1},
        {40961, 40961, false, false, 0, 40961, {40960, 1}, 2, 1},
        {plusieurs, plusieurs, false, false, 0, plusieurs, {}, (int)(plusieurs / 40960 + 1), 1},
        {enorme, enorme, false, false, 0, enorme, {}, 32769, 2},
        {100, 50000, false, false, 0, 100, {100}, 2, 1},
        {3ull * transfert, 3 * transfert, false, true, -1, transfert, {}, 0, 0},
        {50000, 50000, true, false, -1, 0, {}, 0, 0},
    };
    for (auto &k : cas) {
        SCOPED_TRACE(std::to_string(k.taille) + " bytes, copying " + std::to_string(k.l));
        Copie copie(k.taille, k.l, k.src_fail, k.dst_fail);
        EXPECT_EQ(copie.resultat, k.resultat);
        EXPECT_EQ(copie.src.lu, k.lu);
        EXPECT_EQ(hwndPB, nullptr); // the bar is gone afterwards
        if (k.src_fail) {
            EXPECT_TRUE(copie.dst.writes.empty());
        }
        if (k.resultat != 0) continue;
        if (!k.writes.empty()) {
            EXPECT_EQ(copie.dst.writes, k.writes);
        }
        size_t ecrits = 0;
        for (size_t n : copie.dst.writes) ecrits += n;
        EXPECT_EQ(ecrits, k.lu);
        EXPECT_EQ(copie.src.high, k.high);
        if (k.lu == k.l && k.l > 0) {
            expect_blocs(copie.src, k.l, k.blocs_par_pas);
            EXPECT_EQ(copie.src.lectures.back().pos, k.high);
        }
    }
}
