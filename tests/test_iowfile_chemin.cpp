// The current path, its shortened display, and the moves between directories and drives.
#include <gtest/gtest.h>
#include <direct.h>
#include "io/iowfile.h"
#include "panneau.h"
#include "tempdrive.h"

static std::string ellipse_de(const char *chem) {
    char str[LG_CHEMIN];
    ellipse(chem, str);
    return str;
}

static std::string courant() {
    char c[LG_CHEMIN];
    calc_chemin(c);
    return c;
}

TEST(Ellipse, KeepsFirstLevelAndTail) {
    EXPECT_EQ(ellipse_de("c:\\windows\\system32\\drivers\\etc\\"),
              "c:\\windows\\...\\drivers\\etc\\");
    EXPECT_EQ(ellipse_de("c:\\a\\b\\c\\d\\e\\f\\g\\h\\i\\j\\k\\l\\m\\n\\o\\"), "c:\\a\\...\\o\\");
    EXPECT_EQ(ellipse_de("c:\\documents and settings\\all users\\"),
              "c:\\documents and settings\\...\\");
    EXPECT_EQ(ellipse_de("c:\\program files\\common files\\microsoft shared\\web server "
                         "extensions\\"),
              "c:\\program files\\...\\web server extensions\\");
    // A single level has nothing between its first and last level to give way.
    EXPECT_EQ(ellipse_de("c:\\un seul niveau au nom bien trop long\\"),
              "c:\\un seul niveau au nom bien trop long\\");
}

TEST(TraitChemin, MovesToParentAndSubdirectories) {
    TempDrives d;
    d.mkdir("abcdefghijk/abcdefghijklmn"); // c:\abcdefghijk\abcdefghijklmn\ : 30 characters
    d.mkdir("abcdefghijk/abcdefghijklmno");
    d.mkdir("abcdefghijk/Mes Documents");
    d.mkdir("\xc3\x89t\xc3\xa9"); // "Ete" with accents, in the host's UTF-8
    avec_panneau([&](HWND h) {
        calc_chemin(chemin);
        EXPECT_STREQ(chemin, "c:\\");
        EXPECT_EQ(trait_chemin(h, "..", chemin), 0); // at the root: nothing moves
        EXPECT_STREQ(chemin, "c:\\");
        EXPECT_EQ(trait_chemin(h, "\xc9t\xe9", chemin), 0);
        EXPECT_EQ(courant(), "c:\\\xe9t\xe9\\"); // ANSI as the runtime gives it, lowered
        EXPECT_EQ(plat_test_text(h, ID_CHEMIN), "c:\\\xe9t\xe9\\");
        trait_chemin(h, "..", chemin);
        trait_chemin(h, "abcdefghijk", chemin);
        EXPECT_EQ(trait_chemin(h, "abcdefghijklmn", chemin), 0);
        EXPECT_EQ(plat_test_text(h, ID_CHEMIN), "c:\\abcdefghijk\\abcdefghijklmn\\");
        EXPECT_EQ(trait_chemin(h, "..", chemin), 0);
        EXPECT_STREQ(chemin, "c:\\abcdefghijk\\");
        EXPECT_EQ(courant(), chemin);
        trait_chemin(h, "abcdefghijklmno", chemin); // 31 characters: shortened
        EXPECT_EQ(plat_test_text(h, ID_CHEMIN), "c:\\abcdefghijk\\...\\");
        trait_chemin(h, "..", chemin);
        EXPECT_EQ(trait_chemin(h, "mes documents", chemin), 0);
        EXPECT_STREQ(chemin, "c:\\abcdefghijk\\mes documents\\");
        EXPECT_EQ(courant(), chemin);
        // A directory that cannot be entered leaves path, display and directory as they were.
        std::string affiche = plat_test_text(h, ID_CHEMIN);
        EXPECT_EQ(trait_chemin(h, "absent", chemin), -1);
        EXPECT_STREQ(chemin, "c:\\abcdefghijk\\mes documents\\");
        EXPECT_EQ(plat_test_text(h, ID_CHEMIN), affiche);
        EXPECT_EQ(courant(), chemin);
    });
}

TEST(TraitChemin, MovesToDrivesWithTheirRememberedDirectory) {
    TempDrives d(3);
    d.mkdir("Data", 'D');
    _chdrive(4);
    _chdir("Data");
    _chdrive(3);
    avec_panneau([&](HWND h) {
        calc_chemin(chemin);
        EXPECT_EQ(trait_chemin(h, "d:", chemin), 0);
        EXPECT_STREQ(chemin, "d:\\data\\");
        EXPECT_EQ(courant(), "d:\\data\\");
        EXPECT_EQ(trait_chemin(h, "e:", chemin), 0);
        EXPECT_STREQ(chemin, "e:\\");
        EXPECT_EQ(plat_test_text(h, ID_CHEMIN), "e:\\");
        // A drive that cannot be used: a message, and nothing changes.
        std::string message;
        plat_test_push_dialog_handler([&](HWND m, int) {
            message = plat_test_text(m, 128);
            plat_test_close_box(m);
        });
        EXPECT_EQ(trait_chemin(h, "q:", chemin), -1);
        EXPECT_EQ(message, "Le lecteur q: ne peut pas \xea"
                           "tre lu");
        EXPECT_STREQ(chemin, "e:\\");
        EXPECT_EQ(courant(), "e:\\");
    });
    EXPECT_EQ(plat_test_unhandled_dialogs(), 0);
}
