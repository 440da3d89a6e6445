// The block copy: blocks of 40960 bytes, the progress bar and its steps, and failures that
// its callers can see.
#include <gtest/gtest.h>
#include <commctrl.h>
#include <cstdio>
#include <vector>
#include "io/iodlg.h"
#include "io/iofile.h"

namespace {

// A stream that serves `size` bytes (or fails) and writes nothing anywhere, recording what
// the copy does: the bytes read, each position the bar shows while reading (-1: no bar), the
// bar's range, each write.
struct Flux {
    unsigned long long size = 0, lu = 0;
    bool fail = false;
    std::vector<size_t> writes;
    std::vector<long> pos;
    long range = -1;
};

ssize_t lire(void *c, char * /*buf*/, size_t n) {
    Flux *f = (Flux *)c;
    if (f->fail) return -1;
    if (n > f->size) n = f->size;
    f->size -= n;
    f->lu += n;
    long pos = hwndPB ? (long)SendMessageA(hwndPB, PBM_GETPOS, 0, 0) : -1;
    if (f->pos.empty() || f->pos.back() != pos) f->pos.push_back(pos);
    if (hwndPB) f->range = (long)SendMessageA(hwndPB, PBM_GETRANGE, FALSE, 0);
    return (ssize_t)n;
}

ssize_t ecrire(void *c, const char * /*buf*/, size_t n) {
    Flux *f = (Flux *)c;
    if (f->fail) return -1;
    f->writes.push_back(n);
    return (ssize_t)n;
}

FILE *ouvre(Flux &f, const char *mode) {
    return fopencookie(&f, mode, cookie_io_functions_t{lire, ecrire, nullptr, nullptr});
}

struct Copie {
    Flux src, dst;
    int resultat;
    Copie(unsigned long long taille, uint32_t l, bool src_fail = false, bool dst_fail = false) {
        src.size = taille;
        src.fail = src_fail;
        dst.fail = dst_fail;
        FILE *f1 = ouvre(src, "r"), *f2 = ouvre(dst, "w");
        resultat = frecopie(f1, f2, l);
        fclose(f1);
        fclose(f2);
    }
};

} // namespace

TEST(IoFileCopie, BlocksOf40960AndABarAboveOneBlock) {
    Copie vide(100, 0);
    EXPECT_EQ(vide.resultat, 0);
    EXPECT_EQ(vide.src.lu, 0u);
    EXPECT_TRUE(vide.dst.writes.empty());

    Copie un(40960, 40960);
    EXPECT_EQ(un.resultat, 0);
    EXPECT_EQ(un.dst.writes, std::vector<size_t>{40960});
    EXPECT_EQ(un.src.pos, std::vector<long>{-1}); // no bar for one block

    Copie deux(40961, 40961);
    EXPECT_EQ(deux.resultat, 0);
    EXPECT_EQ(deux.dst.writes, (std::vector<size_t>{40960, 1}));
    EXPECT_EQ(deux.src.range, 2);
    EXPECT_EQ(deux.src.pos, (std::vector<long>{1, 2})); // one step before each block
    EXPECT_EQ(hwndPB, nullptr);                         // and the bar is gone afterwards
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
    // 4 GiB - 1: 104858 blocks, more steps than the bar's 16-bit range holds.
    Copie grande(0xFFFFFFFFull, 0xFFFFFFFFu);
    EXPECT_EQ(grande.resultat, 0);
    EXPECT_EQ(grande.src.lu, 0xFFFFFFFFull);
    EXPECT_LE(grande.src.range, 65535);
    ASSERT_EQ(grande.src.pos.size(), (size_t)grande.src.range); // each step shown, in order,
    for (size_t i = 0; i < grande.src.pos.size(); ++i)          // up to a full bar
        ASSERT_EQ(grande.src.pos[i], (long)i + 1);
}
