// The browsing panel on the main window's layout: paths, moves, lists, drives and totals.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <direct.h>
#include <filesystem>
#include "io/iowfile.h"
#include "panneau.h"
#include "tempdrive.h"

using Liste = std::vector<std::string>;

static std::string courant() {
    char c[LG_CHEMIN];
    calc_chemin(c);
    return c;
}

TEST(Panneau, EllipseKeepsFirstLevelAndTail) {
    char s[LG_CHEMIN];
    auto e = [&s](const char *chem) { return ellipse(chem, s), std::string(s); };
    EXPECT_EQ(e("c:\\windows\\system32\\drivers\\etc\\"), "c:\\windows\\...\\drivers\\etc\\");
    EXPECT_EQ(e("c:\\a\\b\\c\\d\\e\\f\\g\\h\\i\\j\\k\\l\\m\\n\\o\\"), "c:\\a\\...\\o\\");
    // A single level has nothing between its first and last level to give way.
    EXPECT_EQ(e("c:\\un seul niveau au nom bien trop long\\"),
              "c:\\un seul niveau au nom bien trop long\\");
}

TEST(Panneau, MovesKeepPathAndDirectoryInStep) {
    TempDrives d;
    d.mkdir("abcdefghijk/abcdefghijklmn"); // c:\abcdefghijk\abcdefghijklmn\ : 30 characters
    d.mkdir("abcdefghijk/abcdefghijklmno");
    d.mkdir("abcdefghijk/Mes Documents");
    d.mkdir("\xc3\x89t\xc3\xa9"); // accented, in the host's UTF-8
    avec_panneau([&](HWND h) {
        calc_chemin(chemin);
        trait_chemin(h, "\xc9t\xe9", chemin);
        EXPECT_EQ(courant(), "c:\\\xe9t\xe9\\"); // ANSI as the runtime gives it, lowered
        EXPECT_EQ(plat_test_text(h, ID_CHEMIN), "c:\\\xe9t\xe9\\");
        trait_chemin(h, "..", chemin);
        trait_chemin(h, "abcdefghijk", chemin);
        trait_chemin(h, "abcdefghijklmn", chemin);
        EXPECT_EQ(plat_test_text(h, ID_CHEMIN), "c:\\abcdefghijk\\abcdefghijklmn\\");
        trait_chemin(h, "..", chemin);
        EXPECT_STREQ(chemin, "c:\\abcdefghijk\\");
        trait_chemin(h, "abcdefghijklmno", chemin); // 31 characters: shortened
        EXPECT_EQ(plat_test_text(h, ID_CHEMIN), "c:\\abcdefghijk\\...\\");
        trait_chemin(h, "..", chemin);
        EXPECT_EQ(trait_chemin(h, "mes documents", chemin), 0);
        EXPECT_STREQ(chemin, "c:\\abcdefghijk\\mes documents\\");
        EXPECT_EQ(courant(), chemin);
        // A directory that cannot be entered leaves path, display and directory as they were.
        EXPECT_EQ(trait_chemin(h, "absent", chemin), -1);
        EXPECT_STREQ(chemin, "c:\\abcdefghijk\\mes documents\\");
        EXPECT_EQ(plat_test_text(h, ID_CHEMIN), "c:\\abcdefghijk\\mes documents\\");
        EXPECT_EQ(courant(), chemin);
    });
}

TEST(Panneau, MovesToDrives) {
    // The Microsoft runtime's _chdir notes the drive's directory in the environment ("=D:"),
    // where a later "D:" finds it; Wine's leaves it alone.
    if (under_wine()) GTEST_SKIP() << "Wine's _chdir does not remember each drive's directory";
    TempDrives d(3);
    d.write("x.txt", "", 'D');
    d.mkdir("Data", 'D');
    _chdrive(4);
    _chdir("Data");
    _chdrive(3);
    avec_panneau([&](HWND h) {
        calc_chemin(chemin);
        EXPECT_EQ(trait_chemin(h, "d:", chemin), 0); // its remembered directory
        EXPECT_STREQ(chemin, "d:\\data\\");
        EXPECT_EQ(trait_chemin(h, "e:", chemin), 0);
        EXPECT_STREQ(chemin, "e:\\");
        Messages m;
        m.attend(2); // a drive that cannot be used: a message, nothing moves
        EXPECT_EQ(trait_chemin(h, "q:", chemin), -1);
        EXPECT_EQ(courant(), "e:\\");
        // From the drive list: nothing selected, a drive, a drive whose disk cannot be read.
        reliste(h, "*.zzz");
        EXPECT_EQ(changement_lecteur(h, chemin), -1);
        SendDlgItemMessageA(h, ID_LECTEURS, LB_SETCURSEL, 1, 0);
        EXPECT_EQ(changement_lecteur(h, chemin), 0);
        EXPECT_EQ(courant(), "d:\\data\\");
        EXPECT_EQ(entrees(h, ID_FICHIERS), Liste{}); // "*.*" in d:\data
        std::filesystem::remove_all(d.path("", 'E'));
        SendDlgItemMessageA(h, ID_LECTEURS, LB_SETCURSEL, 2, 0);
        EXPECT_EQ(changement_lecteur(h, chemin), -1);
        EXPECT_EQ(m.textes, (Liste{"Le lecteur q: ne peut pas \xea" "tre lu",
                                   "Le lecteur e: ne contient pas de disque lisible"}));
        EXPECT_STREQ(chemin, "d:\\data\\");
    });
}

TEST(Panneau, ListEntries) {
    TempDrives d(3, {"SYSTEME", "", "Une etiquette de volume beaucoup trop longue"});
    d.write("Windows/ReadMe.TXT", "abc");
    d.write("Windows/.cache", "");
    d.mkdir("Windows/Program Files");
    avec_panneau([&](HWND h) {
        _chdir("windows");
        calc_chemin(chemin);
        EXPECT_STREQ(chemin, "c:\\windows\\");
        reliste(h, "*.*");
        EXPECT_EQ(entrees(h, ID_FICHIERS), (Liste{".cache", "ReadMe.TXT"})); // hidden too
        EXPECT_EQ(entrees(h, ID_REPERTOIRES), (Liste{"[..]", "[program files]"}));
        Liste lecteurs{"Systeme [C:]", "[D:]", "Une etiquette de volume be [E:]"}; // 31
        EXPECT_EQ(entrees(h, ID_LECTEURS), lecteurs);
        char fub[150];
        EXPECT_EQ(getdirselect(h, ID_REPERTOIRES, fub), 0);
        SendDlgItemMessageA(h, ID_REPERTOIRES, LB_SETCURSEL, 1, 0);
        EXPECT_EQ(getdirselect(h, ID_REPERTOIRES, fub), 1);
        EXPECT_STREQ(fub, "PROGRAM FILES");
        // Another disk with another label during the run: the drive list stays as built.
        plat_test_set_drives({{'C', d.host(""), "AUTRE"}, {'D', d.host("", 'D'), "NOUVEAU"}});
        reliste2(h);
        EXPECT_EQ(entrees(h, ID_LECTEURS), lecteurs);
    });
}

// The count and total fields that the main window lacks.
static void ajoute_totaux(HWND h) {
    for (int id : {ID_NB_FICHIERS, ID_TAILLE})
        CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 80, 12, h, (HMENU)(INT_PTR)id, nullptr,
                        nullptr);
}

static void totaux(HWND h, const char *nombre, const char *taille) {
    EXPECT_EQ(plat_test_text(h, ID_NB_FICHIERS), nombre);
    EXPECT_EQ(plat_test_text(h, ID_TAILLE), taille);
}

TEST(Panneau, CountsAndTotalsOfTheFirst256Selected) {
    TempDrives d;
    d.write("a.txt", std::string(10, 'a'));
    d.write("b.txt", std::string(20, 'b'));
    d.write("Grand.BIN", "");
    std::filesystem::resize_file(d.path("Grand.BIN"), 5ull << 30); // sparse: 5 GB
    avec_panneau([&](HWND h) {
        ajoute_totaux(h);
        reliste(h, "*.*"); // 2 GB and more: neither negative nor cut
        totaux(h, "3", "5368709150");
        vide_selection(h);
        totaux(h, "0", "0");
        calcule_selection(h); // nothing selected: every listed file
        totaux(h, "3", "5368709150");
        std::filesystem::remove(d.path("b.txt")); // selected but gone: adds nothing
        SendDlgItemMessageA(h, ID_FICHIERS, LB_SETSEL, TRUE, 0);
        SendDlgItemMessageA(h, ID_FICHIERS, LB_SETSEL, TRUE, 1);
        calcule_selection(h);
        totaux(h, "2", "10");
        // Of a larger selection, the first 256 files.
        for (int i = 0; i < 300; ++i) d.write("f" + std::to_string(i), "x");
        reliste(h, "f*");
        SendDlgItemMessageA(h, ID_FICHIERS, LB_SETSEL, TRUE, -1);
        calcule_selection(h);
        totaux(h, "256", "256");
        // The list view instead of the file list.
        hDirListe = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT, 0, 0, 200, 100, h,
                                    (HMENU)200, nullptr, nullptr);
        for (int i = 0; i < 3; ++i) { // its columns, as its owner makes them
            LVCOLUMNA colonne{};
            colonne.mask = LVCF_WIDTH;
            colonne.cx = 80;
            SendMessageA(hDirListe, LVM_INSERTCOLUMNA, i, (LPARAM)&colonne);
        }
        reliste(h, "*.bin");
        char texte[3][32];
        for (int i = 0; i < 3; ++i) {
            LVITEMA lvi{};
            lvi.iSubItem = i;
            lvi.pszText = texte[i];
            lvi.cchTextMax = sizeof texte[i];
            SendMessageA(hDirListe, LVM_GETITEMTEXTA, 0, (LPARAM)&lvi);
        }
        EXPECT_EQ(SendMessageA(hDirListe, LVM_GETITEMCOUNT, 0, 0), 1);
        EXPECT_STREQ(texte[0], "Grand.bin");
        EXPECT_STREQ(texte[1], "5368709120");
        EXPECT_TRUE(testing::internal::RE::FullMatch(texte[2], "../../.... ..:.."));
        totaux(h, "1", "5368709120");
        hDirListe = nullptr;
    });
}
