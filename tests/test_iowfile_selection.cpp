// Counts and total sizes of the listed or selected files, and the list view of files.
#include <gtest/gtest.h>
#include <commctrl.h>
#include <filesystem>
#include "io/iowfile.h"
#include "panneau.h"
#include "tempdrive.h"

// The main window has no count and total fields: a test gives it some.
static void ajoute_totaux(HWND h) {
    for (int id : {ID_NB_FICHIERS, ID_TAILLE})
        CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 80, 12, h, (HMENU)(INT_PTR)id, nullptr,
                        nullptr);
}

static void totaux(HWND h, const char *nombre, const char *taille) {
    EXPECT_EQ(plat_test_text(h, ID_NB_FICHIERS), nombre);
    EXPECT_EQ(plat_test_text(h, ID_TAILLE), taille);
}

TEST(Selection, CountsAndTotalsOfListedAndSelectedFiles) {
    TempDrives d;
    d.write("a.txt", std::string(10, 'a'));
    d.write("b.txt", std::string(20, 'b'));
    d.write("grand.bin", "");
    std::filesystem::resize_file(d.host("grand.bin"), 5ull << 30); // sparse: 5 GB
    avec_panneau([&](HWND h) {
        ajoute_totaux(h);
        reliste(h, "*.txt");
        totaux(h, "2", "30");
        reliste(h, "*.*"); // sizes of 2 GB and more are neither negative nor cut
        totaux(h, "3", "5368709150");
        vide_selection(h);
        totaux(h, "0", "0");
        calcule_selection(h); // nothing selected: every listed file
        totaux(h, "3", "5368709150");
        // A selected file that has gone adds nothing, but was selected.
        std::filesystem::remove(d.host("b.txt"));
        SendDlgItemMessageA(h, ID_FICHIERS, LB_SETSEL, TRUE, index_de(h, ID_FICHIERS, "a.txt"));
        SendDlgItemMessageA(h, ID_FICHIERS, LB_SETSEL, TRUE, index_de(h, ID_FICHIERS, "b.txt"));
        calcule_selection(h);
        totaux(h, "2", "10");
    });
}

TEST(Selection, CountsTheFirst256Selected) {
    TempDrives d;
    for (int i = 0; i < 300; ++i) d.write("f" + std::to_string(i), "x");
    avec_panneau([&](HWND h) {
        ajoute_totaux(h);
        reliste(h, nullptr);
        SendDlgItemMessageA(h, ID_FICHIERS, LB_SETSEL, TRUE, -1);
        calcule_selection(h);
        totaux(h, "256", "256");
    });
}

static std::string colonne(HWND liste, int element, int sous) {
    char texte[64] = "";
    LVITEMA lvi{};
    lvi.iSubItem = sous;
    lvi.pszText = texte;
    lvi.cchTextMax = sizeof texte;
    SendMessageA(liste, LVM_GETITEMTEXTA, element, (LPARAM)&lvi);
    return texte;
}

TEST(Selection, ListViewOfFiles) {
    TempDrives d;
    d.write("ReadMe.TXT", "abc");
    d.mkdir("Sous");
    avec_panneau([&](HWND h) {
        ajoute_totaux(h);
        hDirListe = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT, 0, 0, 200, 100, h,
                                    (HMENU)200, nullptr, nullptr);
        ASSERT_NE(hDirListe, nullptr);
        reliste(h, nullptr);
        EXPECT_EQ(SendMessageA(hDirListe, LVM_GETITEMCOUNT, 0, 0), 1);
        EXPECT_EQ(colonne(hDirListe, 0, 0), "Readme.txt");
        EXPECT_EQ(colonne(hDirListe, 0, 1), "3");
        EXPECT_TRUE(testing::internal::RE::FullMatch(
            colonne(hDirListe, 0, 2), "[0-9]{2}/[0-9]{2}/[0-9]{4} [0-9]{2}:[0-9]{2}"));
        EXPECT_TRUE(entrees(h, ID_FICHIERS).empty()); // the list box is left alone
        EXPECT_EQ(entrees(h, ID_REPERTOIRES), (std::vector<std::string>{"[sous]"}));
        totaux(h, "1", "3");
        hDirListe = nullptr;
    });
}
