// The file, directory and drive lists as the panel writes them.
#include <gtest/gtest.h>
#include <direct.h>
#include <filesystem>
#include "io/iowfile.h"
#include "panneau.h"
#include "tempdrive.h"

using Liste = std::vector<std::string>;

TEST(Reliste, EntriesAsTheListsShowThem) {
    TempDrives d(2, {"SYSTEME"});
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
        EXPECT_EQ(entrees(h, ID_LECTEURS), (Liste{"Systeme [C:]", "[D:]"}));
        // A mask that matches nothing: no file, every directory all the same.
        reliste(h, "*.zzz");
        EXPECT_TRUE(entrees(h, ID_FICHIERS).empty());
        EXPECT_EQ(entrees(h, ID_REPERTOIRES).size(), 2u);

        char fub[150] = "inchang\xe9";
        EXPECT_EQ(getdirselect(h, ID_REPERTOIRES, fub), 0);
        SendDlgItemMessageA(h, ID_REPERTOIRES, LB_SETCURSEL, 1, 0);
        EXPECT_EQ(getdirselect(h, ID_REPERTOIRES, fub), 1);
        EXPECT_STREQ(fub, "PROGRAM FILES");
        SendDlgItemMessageA(h, ID_REPERTOIRES, LB_SETCURSEL, 0, 0);
        getdirselect(h, ID_REPERTOIRES, fub);
        EXPECT_STREQ(fub, "..");

        _chdir("\\"); // at a root there is no [..], and never a [.]
        reliste(h, nullptr);
        EXPECT_EQ(entrees(h, ID_REPERTOIRES), (Liste{"[windows]"}));
    });
}

TEST(ListeLecteurs, BuiltOnceWithTheDriveNeverCut) {
    TempDrives d(3, {"SYSTEME", "", "Une etiquette de volume beaucoup trop longue"});
    avec_panneau([&](HWND h) {
        EXPECT_EQ(liste_lecteurs(h, ID_LECTEURS), 3);
        Liste attendu{"Systeme [C:]", "[D:]", "Une etiquette de volume be [E:]"};
        EXPECT_EQ(entrees(h, ID_LECTEURS), attendu);
        EXPECT_EQ(attendu[2].size(), 31u);
        // Another disk with another label during the run: the list stays as it was built.
        plat_test_set_drives({{'C', d.host(""), "AUTRE"}, {'D', d.host("", 'D'), "NOUVEAU"}});
        reliste2(h);
        EXPECT_EQ(entrees(h, ID_LECTEURS), attendu);
        EXPECT_EQ(ioliste32, 3);
    });
}

TEST(ChangementLecteur, MovesToTheSelectedDriveAndListsEverything) {
    TempDrives d(3);
    d.write("x.txt", "", 'D');
    avec_panneau([&](HWND h) {
        calc_chemin(chemin);
        reliste(h, "*.zzz");
        EXPECT_EQ(changement_lecteur(h, chemin), -1); // nothing selected
        SendDlgItemMessageA(h, ID_LECTEURS, LB_SETCURSEL, 1, 0);
        EXPECT_EQ(changement_lecteur(h, chemin), 0);
        EXPECT_STREQ(chemin, "d:\\");
        EXPECT_EQ(entrees(h, ID_FICHIERS), (Liste{"x.txt"}));
        // A drive whose disk cannot be read: the message names it, and nothing moves.
        std::filesystem::remove_all(d.host("", 'E'));
        std::string message;
        plat_test_push_dialog_handler([&](HWND m, int) {
            message = plat_test_text(m, 128);
            plat_test_close_box(m);
        });
        SendDlgItemMessageA(h, ID_LECTEURS, LB_SETCURSEL, 2, 0);
        EXPECT_EQ(changement_lecteur(h, chemin), -1);
        EXPECT_EQ(message, "Le lecteur e: ne contient pas de disque lisible");
        EXPECT_STREQ(chemin, "d:\\");
    });
}
