// The block copy: blocks of 40960 bytes, the progress bar on the main window and its steps,
// the busy cursor's frames, and failures that its callers can see.
#include <gtest/gtest.h>
#include <commctrl.h>
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
// the copy does: the bytes read; while reading, each position the bar shows (-1: no bar),
// its range, and each cursor frame; each write.
struct Flux {
    unsigned long long size = 0, lu = 0;
    bool fail = false;
    std::vector<size_t> writes;
    std::vector<int> pos, curseurs;
    int high = -1;
};

ssize_t lire(void *c, char * /*buf*/, size_t n) {
    Flux *f = (Flux *)c;
    if (f->fail) return -1;
    if (n > f->size) n = f->size;
    f->size -= n;
    f->lu += n;
    int low = -1, pos = -1;
    if (hwndPB) {
        EXPECT_TRUE(plat_test_progress(hwndPB, &low, &f->high, &pos));
    }
    if (f->pos.empty() || f->pos.back() != pos) f->pos.push_back(pos);
    int curseur = plat_test_cursor_id();
    if (f->curseurs.empty() || f->curseurs.back() != curseur) f->curseurs.push_back(curseur);
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

// Each block shows the next of the twelve watches.
void expect_frames(const std::vector<int> &curseurs, size_t blocs) {
    ASSERT_EQ(curseurs.size(), blocs);
    for (size_t i = 0; i < blocs; ++i) {
        EXPECT_GE(curseurs[i], IDC_MONTRE1);
        EXPECT_LT(curseurs[i], IDC_MONTRE1 + NB_MONTRES);
        if (i > 0) {
            EXPECT_EQ(curseurs[i], IDC_MONTRE1 + (curseurs[i - 1] - IDC_MONTRE1 + 1) % 12);
        }
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
    EXPECT_EQ(un.src.pos, std::vector<int>{-1}); // no bar for one block
    expect_frames(un.src.curseurs, 1);

    Copie deux(40961, 40961);
    EXPECT_EQ(deux.resultat, 0);
    EXPECT_EQ(deux.dst.writes, (std::vector<size_t>{40960, 1}));
    EXPECT_EQ(deux.src.high, 2);
    EXPECT_EQ(deux.src.pos, (std::vector<int>{1, 2})); // one step before each block
    expect_frames(deux.src.curseurs, 2);
    EXPECT_EQ(hwndPB, nullptr); // and the bar is gone afterwards
}

TEST(IoFileCopie, ShortSourceEndsTheCopyFailuresAreReported) {
    Copie courte(100, 50000); // the source ends first: what was there, and no endless loop
    EXPECT_EQ(courte.resultat, 0);
    EXPECT_EQ(courte.dst.writes, std::vector<size_t>{100});
    Copie ecriture_ratee(50000, 50000, false, true);
    EXPECT_EQ(ecriture_ratee.resultat, -1);
    EXPECT_EQ(ecriture_ratee.src.lu, 40960u); // stops at the first failed write
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
    ASSERT_EQ(grande.src.pos.size(), (size_t)grande.src.high);
    for (size_t i = 0; i < grande.src.pos.size(); ++i) ASSERT_EQ(grande.src.pos[i], (int)i + 1);
    expect_frames(grande.src.curseurs, 65537);
}
