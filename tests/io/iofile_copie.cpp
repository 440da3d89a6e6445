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
#include "plattest_ui.h"

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
        plat_test_push_dialog_handler([&](HWND h, int) {
            hWndMain = h;
            FILE *f1 = ouvre(src, "r"), *f2 = ouvre(dst, "w");
            resultat = frecopie(f1, f2, l);
            fclose(f1);
            fclose(f2);
            hWndMain = nullptr;
            EndDialog(h, 0);
        });
        DialogBoxParamA(
            Global_hInst, MAKEINTRESOURCE(DLG_PRINCIPAL), nullptr,
            [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
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

TEST(IoFileCopie, BlocksOf40960AndABarAboveOneBlock) {
    Copie vide(100, 0);
    EXPECT_EQ(vide.resultat, 0);
    EXPECT_EQ(vide.src.lu, 0u);
    EXPECT_TRUE(vide.dst.writes.empty());

    Copie un(40960, 40960);
    EXPECT_EQ(un.resultat, 0);
    EXPECT_EQ(un.dst.writes, std::vector<size_t>{40960});
    expect_blocs(un.src, 40960); // no bar for one block

    Copie deux(40961, 40961);
    EXPECT_EQ(deux.resultat, 0);
    EXPECT_EQ(deux.dst.writes, (std::vector<size_t>{40960, 1}));
    EXPECT_EQ(deux.src.high, 2);
    expect_blocs(deux.src, 40961);
    EXPECT_EQ(hwndPB, nullptr); // and the bar is gone afterwards

    // Several reads: every byte moves once, and the bar fills once.
    const uint32_t l = 2 * BLOCS_PAR_TRANSFERT * TAILLE_BLOC_COPIE + 40961;
    Copie trois(l, l);
    EXPECT_EQ(trois.resultat, 0);
    EXPECT_EQ(trois.src.lu, l);
    size_t ecrits = 0;
    for (size_t n : trois.dst.writes) ecrits += n;
    EXPECT_EQ(ecrits, l);
    EXPECT_EQ(trois.src.high, (int)(l / TAILLE_BLOC_COPIE + 1));
    expect_blocs(trois.src, l);
}

TEST(IoFileCopie, ShortSourceEndsTheCopyFailuresAreReported) {
    Copie courte(100, 50000); // the source ends first: what was there, and no endless loop
    EXPECT_EQ(courte.resultat, 0);
    EXPECT_EQ(courte.dst.writes, std::vector<size_t>{100});
    const uint32_t l = 3 * BLOCS_PAR_TRANSFERT * TAILLE_BLOC_COPIE;
    Copie ecriture_ratee(l, l, false, true);
    EXPECT_EQ(ecriture_ratee.resultat, -1);
    EXPECT_EQ(ecriture_ratee.src.lu, l / 3); // stops at the first failed write
    Copie lecture_ratee(50000, 50000, true, false);
    EXPECT_EQ(lecture_ratee.resultat, -1);
    EXPECT_TRUE(lecture_ratee.dst.writes.empty());
    EXPECT_EQ(hwndPB, nullptr);
}

TEST(IoFileCopie, HugeCopyBarFitsSixteenBitsAndFillsOnce) {
    // 65537 blocks: one more step than the bar's 16-bit range holds.
    const uint32_t l = 65536u * 40960u + 1;
    Copie grande(l, l);
    EXPECT_EQ(grande.resultat, 0);
    EXPECT_EQ(grande.src.lu, l);
    EXPECT_EQ(grande.src.high, 32769); // two blocks a step
    // Each step shown, in order, up to a full bar, never wrapping round.
    expect_blocs(grande.src, l, 2);
    EXPECT_EQ(grande.src.lectures.back().pos, grande.src.high);
}
