// The lists as folders fill them: folders of 0 to 60 short names and of 0 to 40 subfolders,
// with and without one name wider than the list. After each refill the window answers, no
// scroll bar shows that the contents do not need, and the lists keep their size (on a real
// display, and under Wine, where a list whose bar comes and goes could shrink).
#include <gtest/gtest.h>
#include <array>
#include "programme.h"
#include "tempdrive.h"

static std::array<LONG, 4> place(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    return {r.left, r.top, r.right, r.bottom};
}

TEST(Programme, ListsSettleAndKeepTheirSizeWhateverTheFolderHolds) {
    TempDrives d;
    const std::string large(60, 'w'); // wider than either list
    for (const char *dossier : {"noms", "noms et un large", "dossiers", "dossiers et un large"})
        d.mkdir(dossier);
    lance_programme([&](HWND h) {
        HWND fichiers = GetDlgItem(h, IDD_FICHIERS), repertoires = GetDlgItem(h, IDD_REPERTOIRES);
        const auto place_fichiers = place(fichiers), place_repertoires = place(repertoires);
        // In a fresh folder, one entry more before each refill.
        auto balaie = [&](const std::string &dossier, int n, bool dossiers, bool avec_large) {
            double_clic(h, IDD_REPERTOIRES, "[" + dossier + "]");
            if (avec_large) d.peuple(dossier, large, 1, dossiers);
            for (int k = 0; k <= n; ++k) {
                if (k > 0) d.peuple(dossier, "s" + std::to_string(k) + "-", 1, dossiers);
                plat_test_key(h, VK_RETURN);
                const std::string quand = dossier + " " + std::to_string(k);
                ASSERT_EQ(entrees(h, dossiers ? IDD_REPERTOIRES : IDD_FICHIERS).size(),
                          (size_t)(k + avec_large + dossiers)) // "[..]"
                    << quand;
                coche(h, IDD_SAUVEGARDE, k % 2 == 0); // the window answers
                verifie_barres(fichiers, quand);
                verifie_barres(repertoires, quand);
                EXPECT_EQ(place(fichiers), place_fichiers) << quand;
                EXPECT_EQ(place(repertoires), place_repertoires) << quand;
            }
            plat_test_click(h, IDD_PARENT);
        };
        balaie("noms", 60, false, false);
        balaie("noms et un large", 60, false, true);
        balaie("dossiers", 40, true, false);
        balaie("dossiers et un large", 40, true, true);
        plat_test_click(h, IDD_QUITTER);
    });
}
