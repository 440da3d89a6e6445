// The program as a user meets it: the main window at start, and moving through folders and
// drives with the lists and the buttons.
#include <gtest/gtest.h>
#include <direct.h>
#include "programme.h"
#include "tempdrive.h"

using Liste = std::vector<std::string>;

static void arbre_de_test(const TempDrives &d) {
    d.write("ReadMe.TXT", "read me\r\n");
    d.write("notes.txt", "notes\r\n");
    d.write("Photo.JPG", std::string("\xff\xd8\xff\xe0", 4));
    d.write("Transfer/letter.doc", "letter");
    d.write("Transfer/Old/x.txt", "x");
    d.peuple("Archives", "a", 2000); // a folder of thousands, with dozens of subfolders
    d.peuple("Archives", "y", 40, true);
    d.write("data.bin", "data", 'D');
    d.mkdir("backup", 'D');
}

TEST(Programme, StartsAndMovesThroughFoldersAndDrives) {
    TempDrives d(2, {"SYSTEME", "My [x] Disk"});
    arbre_de_test(d);
    lance_programme([&](HWND h) {
        // At start: the mask, both options off, the root of C: and its three lists.
        EXPECT_EQ(plat_test_text(h, IDD_NOMFICHIER), "*.*");
        EXPECT_EQ(IsDlgButtonChecked(h, IDD_SAUVEGARDE), (UINT)BST_UNCHECKED);
        EXPECT_EQ(IsDlgButtonChecked(h, IDD_RECURSIF), (UINT)BST_UNCHECKED);
        EXPECT_EQ(plat_test_text(h, IDD_CHEMIN), "c:\\");
        EXPECT_EQ(entrees(h, IDD_FICHIERS), (Liste{"notes.txt", "Photo.JPG", "ReadMe.TXT"}));
        EXPECT_EQ(entrees(h, IDD_REPERTOIRES), (Liste{"[archives]", "[transfer]"}));
        EXPECT_EQ(entrees(h, IDD_LECTEURS), (Liste{"Systeme [C:]", "My [x] disk [D:]"}));
        EXPECT_EQ(hWndMain, h);

        // Into a subdirectory and the one below it by double-clicks.
        double_clic(h, IDD_REPERTOIRES, "[transfer]");
        EXPECT_EQ(plat_test_text(h, IDD_CHEMIN), "c:\\transfer\\");
        EXPECT_EQ(entrees(h, IDD_FICHIERS), (Liste{"letter.doc"}));
        EXPECT_EQ(entrees(h, IDD_REPERTOIRES), (Liste{"[..]", "[old]"}));
        double_clic(h, IDD_REPERTOIRES, "[old]");
        EXPECT_EQ(plat_test_text(h, IDD_CHEMIN), "c:\\transfer\\old\\");

        // Up with the " [..]" button, and with the "[..]" entry.
        plat_test_click(h, IDD_PARENT);
        EXPECT_EQ(plat_test_text(h, IDD_CHEMIN), "c:\\transfer\\");
        double_clic(h, IDD_REPERTOIRES, "[..]");
        EXPECT_EQ(plat_test_text(h, IDD_CHEMIN), "c:\\");

        // A single click in the directory list changes nothing.
        plat_test_select(h, IDD_REPERTOIRES, indice(h, IDD_REPERTOIRES, "[transfer]"), 0);
        EXPECT_EQ(plat_test_text(h, IDD_CHEMIN), "c:\\");
        EXPECT_EQ(entrees(h, IDD_FICHIERS), (Liste{"notes.txt", "Photo.JPG", "ReadMe.TXT"}));

        // " [:\]" from two levels down goes to the root of the drive.
        double_clic(h, IDD_REPERTOIRES, "[transfer]");
        double_clic(h, IDD_REPERTOIRES, "[old]");
        plat_test_click(h, IDD_RACINE);
        EXPECT_EQ(plat_test_text(h, IDD_CHEMIN), "c:\\");
        EXPECT_EQ(entrees(h, IDD_FICHIERS), (Liste{"notes.txt", "Photo.JPG", "ReadMe.TXT"}));

        // Another drive, whose label holds brackets of its own, and back: C: kept its folder.
        double_clic(h, IDD_REPERTOIRES, "[transfer]");
        plat_test_double_click(h, IDD_LECTEURS, 1);
        EXPECT_EQ(plat_test_text(h, IDD_CHEMIN), "d:\\");
        EXPECT_EQ(entrees(h, IDD_FICHIERS), (Liste{"data.bin"}));
        plat_test_double_click(h, IDD_LECTEURS, 0);
        if (!under_wine()) { // Wine's _chdir does not remember each drive's directory (iowfile)
            EXPECT_EQ(plat_test_text(h, IDD_CHEMIN), "c:\\transfer\\");
        }

        // " [..]" at a root stays there.
        plat_test_click(h, IDD_PARENT);
        plat_test_click(h, IDD_PARENT);
        EXPECT_EQ(plat_test_text(h, IDD_CHEMIN), "c:\\");

        // Into the folder of thousands, down to a folder reached by scrolling, and back.
        double_clic(h, IDD_REPERTOIRES, "[archives]");
        EXPECT_EQ(entrees(h, IDD_FICHIERS).size(), 2000u);
        double_clic(h, IDD_REPERTOIRES, "[y0040]");
        EXPECT_EQ(plat_test_text(h, IDD_CHEMIN), "c:\\archives\\y0040\\");
        plat_test_click(h, IDD_PARENT);
        double_clic(h, IDD_REPERTOIRES, "[..]");

        // A mask and Enter refill the file list only; an empty mask lists no file.
        plat_test_type(h, IDD_NOMFICHIER, "*.txt");
        plat_test_key(h, VK_RETURN);
        EXPECT_EQ(masque, std::string("*.txt"));
        EXPECT_EQ(entrees(h, IDD_FICHIERS), (Liste{"notes.txt", "ReadMe.TXT"}));
        EXPECT_EQ(entrees(h, IDD_REPERTOIRES), (Liste{"[archives]", "[transfer]"}));
        plat_test_type(h, IDD_NOMFICHIER, "");
        plat_test_key(h, VK_RETURN);
        EXPECT_EQ(entrees(h, IDD_FICHIERS), Liste{});

        // A folder typed before the mask is entered with Enter, Path, the lists and the
        // current folder together, and File Name keeps the mask (the current one when none
        // follows the folder). A folder that cannot be entered only beeps.
        plat_test_type(h, IDD_NOMFICHIER, "transfer\\*.doc");
        plat_test_key(h, VK_RETURN);
        EXPECT_EQ(plat_test_text(h, IDD_CHEMIN), "c:\\transfer\\");
        EXPECT_EQ(plat_test_text(h, IDD_NOMFICHIER), "*.doc");
        EXPECT_EQ(entrees(h, IDD_FICHIERS), (Liste{"letter.doc"}));
        EXPECT_EQ(entrees(h, IDD_REPERTOIRES), (Liste{"[..]", "[old]"}));
        plat_test_type(h, IDD_NOMFICHIER, "d:\\");
        plat_test_key(h, VK_RETURN);
        EXPECT_EQ(plat_test_text(h, IDD_CHEMIN), "d:\\");
        EXPECT_EQ(masque, std::string("*.doc"));
        int bips = plat_test_beep_count();
        plat_test_type(h, IDD_NOMFICHIER, "c:\\absent\\*.*");
        plat_test_key(h, VK_RETURN);
        EXPECT_EQ(plat_test_beep_count(), bips + 1);
        EXPECT_EQ(plat_test_text(h, IDD_CHEMIN), "d:\\");
        plat_test_type(h, IDD_NOMFICHIER, "c:\\transfer\\..\\*.txt");
        plat_test_key(h, VK_RETURN);
        EXPECT_EQ(plat_test_text(h, IDD_CHEMIN), "c:\\");
        EXPECT_EQ(entrees(h, IDD_FICHIERS), (Liste{"notes.txt", "ReadMe.TXT"}));

        // A double-click on a file does nothing.
        plat_test_type(h, IDD_NOMFICHIER, "*.*");
        plat_test_key(h, VK_RETURN);
        double_clic(h, IDD_FICHIERS, "notes.txt");
        EXPECT_EQ(plat_test_text(h, IDD_CHEMIN), "c:\\");
        EXPECT_EQ(d.read("notes.txt"), "notes\r\n");

        plat_test_key(h, VK_ESCAPE);
    });
    EXPECT_EQ(plat_test_pending_handlers(), 0);
}

// A drive entry names the drive of its last "[x:]", since a volume label may hold brackets of
// its own (as changement_lecteur finds it too). An entry whose bracketed drive was cut off (or
// never there) names no drive: a double-click on it must not move anywhere, nor be taken for
// a folder name.
TEST(Programme, DriveEntryNamesTheDriveOfItsLastBracketsOnly) {
    TempDrives d(2);
    d.write("a.txt", "a");
    d.mkdir("sub");
    lance_programme([&](HWND h) {
        double_clic(h, IDD_REPERTOIRES, "[sub]");
        HWND hLecteurs = GetDlgItem(h, IDD_LECTEURS);
        for (const char *entree : {"A volume label far too long [", "Label] without drive", "[sub]",
                                   "[D:", "x [1:]", "[d:] label [C:]"}) { // C: stays in sub
            SendMessageA(hLecteurs, LB_ADDSTRING, 0, (LPARAM)entree);
            plat_test_double_click(h, IDD_LECTEURS, indice(h, IDD_LECTEURS, entree));
            EXPECT_EQ(plat_test_text(h, IDD_CHEMIN), "c:\\sub\\") << entree;
        }
        // The folder really stayed current: a refill still shows it.
        plat_test_key(h, VK_RETURN);
        EXPECT_EQ(entrees(h, IDD_REPERTOIRES), (Liste{"[..]"}));
        plat_test_close_box(h);
    });
}

// A start folder whose path is longer than the path field's 510 characters: the nearest
// folder above it that fits is shown and listed, and a message says so.
TEST(Programme, StartFolderTooLongForThePath) {
    if (sous_windows) GTEST_SKIP() << "Windows keeps no current folder longer than MAX_PATH";
    TempDrives d;
    const std::string niveau(200, 'n');
    d.write(niveau + "/" + niveau + "/" + niveau + "/deep.txt", "deep");
    d.write(niveau + "/" + niveau + "/up.txt", "up");
    ASSERT_EQ(_chdir((niveau + "\\" + niveau + "\\" + niveau).c_str()), 0);
    Messages message;
    message.attend();
    lance_programme([&](HWND h) {
        EXPECT_EQ(chemin, "c:\\" + niveau + "\\" + niveau + "\\");
        EXPECT_EQ(entrees(h, IDD_FICHIERS), (Liste{"up.txt"}));
        plat_test_key(h, VK_ESCAPE);
    });
    EXPECT_EQ(message.textes, std::vector<std::string>{err_cheminlong});
}
