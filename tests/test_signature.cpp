// Signature files: their format, the three lookup passes, and when a table is loaded.
#include <gtest/gtest.h>
#include <direct.h>
#include <filesystem>
#include "app/quillon.h"
#include "io/iodlg.h"
#include "panneau.h"
#include "tempdrive.h"

static const std::string indetermine = "Texte ou ind\xe9termin\xe9";

TEST(Signature, FormatRules) {
    TempDrives d;
    std::string long80(80, 'x');
    d.write("essai.sig", "# comment\r\n"
                         "\r\n"
                         "   DOCUMENT,WDBNMSWD,Word document\r\n"
                         " # blank before the hash\r\n"
                         "TXT,TEXTttxt,,Plain text\r\n"
                         "R,RTF MSWD,  " +
                             std::string(64, 'd') +
                             "\r\n"
                             "AB," +
                             long80 +
                             "\r\n"
                             "ZZ,WDBN,short field\r\n"
                             "PICT,PICT????,after the end\r\n");
    EXPECT_EQ(select_type("WDBNMSWD"), std::string("Word document"));
    ASSERT_NE(pSign, nullptr);
    EXPECT_STREQ(pSign[0].sig, "TEXT????");
    EXPECT_STREQ(pSign[1].ext, "DOCU");
    EXPECT_STREQ(pSign[2].ext, ""); // not a comment; no comma: the line starts the field
    EXPECT_STREQ(pSign[2].sig, "# blank ");
    EXPECT_STREQ(pSign[2].com, "");
    EXPECT_STREQ(pSign[3].com, ",Plain text"); // only the first comma after the field counts
    EXPECT_EQ(std::string(pSign[4].com), "  " + std::string(62, 'd')); // cut at 64
    // 79 characters at a time: the line "AB,x...x" gives two records.
    EXPECT_STREQ(pSign[5].sig, "xxxxxxxx");
    EXPECT_STREQ(pSign[6].sig, "xxxx");
    EXPECT_STREQ(pSign[7].sig, "WDBN,sho"); // a short field swallows the comma
    EXPECT_STREQ(pSign[7].com, "");
    EXPECT_STREQ(pSign[8].sig, "PICT????");
    // Record 2 has no description: the table ends there, record 3 and after are never found.
    EXPECT_EQ(select_type("TEXTttxt"), indetermine);
    EXPECT_EQ(select_type("PICT????"), indetermine);
    EXPECT_EQ(select_type("# blank "), indetermine);
}

TEST(Signature, ThreePasses) {
    TempDrives d;
    d.write("essai.sig", "DOC,WDBNMSWD,A\r\nDOC,WDBNXXXX,B\r\n");
    EXPECT_EQ(select_type("WDBNMSWD"), std::string("A"));
    EXPECT_EQ(select_type("WDBNXXXX"), std::string("B"));
    EXPECT_EQ(select_type("WDBNABCD"), std::string("A"));
    EXPECT_EQ(select_type("WDZZZZZZ"), std::string("A"));
    EXPECT_EQ(select_type("TEXTABCD"), indetermine);
    EXPECT_EQ(select_type("PICTABCD"), indetermine);
    EXPECT_EQ(select_type("WDBNMSWDextra"), std::string("A")); // the key is 8 characters
}

TEST(Signature, LineFeedsOnlyAndLimitOf63) {
    TempDrives d;
    std::string lignes;
    for (int i = 0; i < 70; ++i) lignes += "E,T" + std::to_string(100 + i) + "CCCC,d\n";
    d.write("lf.sig", "DOC,WDBNMSWD,Word\n" + lignes);
    EXPECT_EQ(select_type("WDBNMSWD"), std::string("Word\n")); // the LF stays
    EXPECT_STREQ(pSign[63].sig, "T161CCCC");
}

TEST(Signature, NoTableUntilAFileCanBeLoadedThenKeptForTheRun) {
    TempDrives d;
    EXPECT_EQ(select_type("WDBNMSWD"), indetermine);             // no file at all
    std::filesystem::create_symlink("absent", d.host("ro.sig")); // found, but cannot be opened
    EXPECT_EQ(select_type("WDBNMSWD"), indetermine);
    EXPECT_EQ(pSign, nullptr);
    // Several files: the open dialog asks, in the current directory; cancelling loads none.
    d.write("autre.sig", "DOC,WDBNMSWD,Autre\r\n");
    plat_test_push_dialog_handler([&](HWND h, int) { plat_test_key(h, VK_ESCAPE); });
    EXPECT_EQ(select_type("WDBNMSWD"), indetermine);
    EXPECT_EQ(pSign, nullptr);
    // One file left: loaded without a dialog, then kept whatever happens.
    std::filesystem::remove(d.host("ro.sig"));
    EXPECT_EQ(select_type("WDBNMSWD"), std::string("Autre"));
    d.write("autre.sig", "DOC,WDBNMSWD,Change\r\n");
    d.mkdir("sous");
    d.write("sous/x.sig", "DOC,WDBNMSWD,Ailleurs\r\n");
    _chdir("sous");
    EXPECT_EQ(select_type("WDBNMSWD"), std::string("Autre"));
    EXPECT_EQ(plat_test_unhandled_dialogs(), 0);
}

TEST(Signature, ShippedFileLoadsWhole) {
    TempDrives d;
    auto source =
        std::filesystem::path(__FILE__).parent_path().parent_path() / "app/res/quillon.sig";
    std::filesystem::copy_file(source, d.host("quillon.sig"));
    EXPECT_EQ(select_type("WDBNMSWD"), std::string("Document Microsoft Word"));
    EXPECT_EQ(select_type("JPEG1234"), std::string("Image JPEG"));
    int n = 1;
    while (n < NB_SIGNATURES && pSign[n].com[0] != '\0') ++n;
    EXPECT_GT(n, 40);
    EXPECT_EQ(pSign[n - 1].sig, std::string("rsrcRSED")); // every data line was taken
}

static RECT cadre(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    return r;
}

// Where center_window puts a window of width w over [gauche, gauche + largeur).
static int centre(int gauche, int largeur, int w, int ecran) {
    int x = gauche + (largeur - w) / 2;
    return x < 0 ? 0 : (x + w > ecran ? ecran - w : x);
}

TEST(Signature, OpenDialogWhenSeveralFiles) {
    TempDrives d;
    d.write("a.sig", "DOC,WDBNMSWD,A\r\n");
    d.write("b.sig", "DOC,WDBNMSWD,B\r\n");
    avec_panneau([&](HWND principal) {
        // The library's open dialog, for its height: this one is 5 pixels shorter still.
        int hauteur_bib = 0;
        plat_test_push_dialog_handler([&](HWND f, int) {
            hauteur_bib = cadre(f).bottom - cadre(f).top;
            plat_test_click(f, IDCANCEL);
        });
        char buff[260];
        OFN_OpenSave(principal, buff, "*.sig", "x", "Fichiers [*.sig]\0*.sig\0", 0);
        plat_test_push_dialog_handler([&](HWND f, int modele) {
            EXPECT_EQ(modele, 0);
            EXPECT_EQ(plat_test_caption(f), "Ouvrir un fichier de signatures");
            EXPECT_EQ(plat_test_text(f, PLAT_FILE_NAME_ID), "*.sig");
            RECT r = cadre(f), m = cadre(principal);
            EXPECT_EQ(r.bottom - r.top, hauteur_bib - 5);
            EXPECT_EQ(r.left, centre(m.left, m.right - m.left, r.right - r.left,
                                     GetSystemMetrics(SM_CXSCREEN)));
            EXPECT_EQ(r.top, centre(m.top, m.bottom - m.top, r.bottom - r.top,
                                    GetSystemMetrics(SM_CYSCREEN)));
            plat_test_type(f, PLAT_FILE_NAME_ID, "manque.sig"); // need not exist: then no table
            plat_test_click(f, IDOK);
        });
        EXPECT_EQ(select_type("WDBNMSWD"), indetermine);
        plat_test_push_dialog_handler([&](HWND f, int) {
            plat_test_type(f, PLAT_FILE_NAME_ID, "b.sig");
            plat_test_click(f, IDOK);
        });
        EXPECT_EQ(select_type("WDBNMSWD"), std::string("B"));
        EXPECT_STREQ(nom_fichier_sign, "C:\\b.sig");
    });
    EXPECT_EQ(plat_test_unhandled_dialogs(), 0);
}
