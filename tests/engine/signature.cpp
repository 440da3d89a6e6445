// Signature files: their format, the three lookup passes, and when a table is loaded.
#include <windows.h>
#include <gtest/gtest.h>
#include <direct.h>
#include <algorithm>
#include <filesystem>
#include "app/quillon.h"
#include "io/iodlg.h"
#include "panneau.h"
#include "systeme.h"
#include "tempdrive.h"

static const std::string indetermine = "Texte ou ind\xe9termin\xe9";

TEST(Signature, FormatRulesAndAtMost63DataLines) {
    TempDrives d;
    std::string lignes;
    for (int i = 0; i < 70; ++i) lignes += "E,T" + std::to_string(100 + i) + "CCCC,d\r\n";
    d.write("essai.sig", "# comment\r\n\r\n"
                         "   DOCUMENT,WDBNMSWD,Word document\r\n"
                         " # blank before the hash\r\n"
                         "TXT,TEXTttxt,,Plain text\r\n"
                         "R,RTF MSWD,  " +
                             std::string(64, 'd') +
                             "\r\n"
                             "AB," +
                             std::string(80, 'x') +
                             "\r\n"
                             "ZZ,WDBN,short field\r\n" + lignes);
    EXPECT_EQ(select_type("WDBNMSWDextra"), std::string("Word document")); // 8 characters
    EXPECT_STREQ(pSign[1].ext, "DOCU");
    EXPECT_STREQ(pSign[2].ext, ""); // not a comment; without a comma, all is the field
    EXPECT_STREQ(pSign[2].sig, "# blank ");
    EXPECT_STREQ(pSign[3].com, ",Plain text"); // only the first comma after the field counts
    EXPECT_EQ(std::string(pSign[4].com), "  " + std::string(62, 'd')); // cut at 64
    EXPECT_STREQ(pSign[5].sig, "xxxxxxxx"); // read 79 characters at a time: two records
    EXPECT_STREQ(pSign[6].sig, "xxxx");
    EXPECT_STREQ(pSign[7].sig, "WDBN,sho"); // a short field swallows the comma
    EXPECT_STREQ(pSign[7].com, "");
    // Record 2 has no description: the table ends there, and it is not matched itself.
    EXPECT_EQ(select_type("TEXTttxt"), indetermine);
    EXPECT_EQ(select_type("# blank "), indetermine);
    EXPECT_STREQ(pSign[63].sig, "T155CCCC"); // records 8 to 63, and no further
}

TEST(Signature, ThreePasses) {
    TempDrives d;
    d.write("essai.sig", "DOC,WDBNMSWD,A\nDOC,WDBNXXXX,B\n");
    EXPECT_EQ(select_type("WDBNMSWD"), std::string("A\n")); // LF line ends: the LF stays
    EXPECT_EQ(select_type("WDBNXXXX"), std::string("B\n"));
    EXPECT_EQ(select_type("WDBNABCD"), std::string("A\n"));
    EXPECT_EQ(select_type("WDZZZZZZ"), std::string("A\n"));
    EXPECT_EQ(select_type("TEXTABCD"), indetermine);
}

TEST(Signature, NoTableUntilOneLoadsThenKeptForTheRun) {
    TempDrives d;
    EXPECT_EQ(select_type("WDBNMSWD"), indetermine);             // no file at all
    Inouvrable ro(d.host("ro.sig")); // found, cannot be opened
    EXPECT_EQ(select_type("WDBNMSWD"), indetermine);
    d.write("autre.sig", "DOC,WDBNMSWD,Autre\r\n");
    plat_test_push_dialog_handler([](HWND h, int) { plat_test_key(h, VK_ESCAPE); });
    EXPECT_EQ(select_type("WDBNMSWD"), indetermine); // several, and the choice is cancelled
    EXPECT_EQ(pSign, nullptr);
    ro.retire(); // one left: loaded without asking
    EXPECT_EQ(select_type("WDBNMSWD"), std::string("Autre"));
    d.write("autre.sig", "DOC,WDBNMSWD,Change\r\n");
    d.write("sous/x.sig", "DOC,WDBNMSWD,Ailleurs\r\n");
    _chdir("sous");
    EXPECT_EQ(select_type("WDBNMSWD"), std::string("Autre"));
    EXPECT_EQ(plat_test_unhandled_dialogs(), 0);
}

// Several signature files: the user picks one in the open dialog (its size and place:
// tests/io/iodlg.cpp), over the main window.
TEST(Signature, OpenDialogWhenSeveralFiles) {
    TempDrives d;
    d.write("a.sig", "DOC,WDBNMSWD,A\r\n");
    d.write("b.sig", "DOC,WDBNMSWD,B\r\n");
    avec_panneau([&](HWND) {
        plat_test_push_dialog_handler([&](HWND f, int) {
            EXPECT_EQ(plat_test_caption(f), "Ouvrir un fichier de signatures");
            EXPECT_EQ(plat_test_text(f, PLAT_FILE_NAME_ID), "*.sig");
            plat_test_type(f, PLAT_FILE_NAME_ID, "manque.sig"); // need not exist: then no table
            plat_test_click(f, IDOK);
        });
        EXPECT_EQ(select_type("WDBNMSWD"), indetermine);
        plat_test_push_dialog_handler([](HWND f, int) {
            plat_test_type(f, PLAT_FILE_NAME_ID, "b.sig");
            plat_test_click(f, IDOK);
        });
        EXPECT_EQ(select_type("WDBNMSWD"), std::string("B"));
        EXPECT_STREQ(nom_fichier_sign, "C:\\b.sig");
    });
    EXPECT_EQ(plat_test_unhandled_dialogs(), 0);
}

// The signature file that comes with the program: its own path with the extension "sig".
// Its name below the drive's root, "" where the program lies outside the test's drive C:
// (under Wine, on a drive of its own).
static std::string installe_signatures(const TempDrives &d, const std::string &contenu) {
    char programme[MAX_PATH];
    GetModuleFileNameA(nullptr, programme, sizeof programme);
    std::string rel = programme;
    if (rel.compare(0, 3, "C:\\") != 0) return "";
    if (rel.size() > 4 && rel.compare(rel.size() - 4, 4, ".exe") == 0) rel.resize(rel.size() - 4);
    rel = rel.substr(3) + ".sig"; // below "C:\"
    std::replace(rel.begin(), rel.end(), '\\', '/');
    d.write(rel, contenu);
    return rel;
}

// A folder without a signature file reads the one shipped with the program, all of it, though
// the user may not write it (installed by root); a signature file in the folder comes first,
// also when the shipped one was read before, and is then kept for the run.
TEST(Signature, FolderFileComesFirstElseTheShippedOneIsReadWhole) {
    TempDrives d;
    std::string livre = installe_signatures(d, lit_fichier(QUILLON_SOURCE_DIR "/app/res/quillon.sig"));
    if (livre.empty())
        GTEST_SKIP() << "the program lies on a drive of its own, which the test cannot give";
    SansPrivileges utilisateur;
    lecture_seule(d.host(livre));
    d.write("dossier.sig", "DOC,WDBNMSWD,Du dossier\r\n");
    EXPECT_EQ(select_type("WDBNMSWD"), std::string("Du dossier"));
    std::filesystem::remove(d.path("dossier.sig"));
    free(pSign); // as in a new run
    pSign = nullptr;
    EXPECT_EQ(select_type("WDBNMSWD"), std::string("Document Microsoft Word"));
    EXPECT_EQ(select_type("JPEG1234"), std::string("Image JPEG"));
    int n = 1;
    while (n < NB_SIGNATURES && pSign[n].com[0] != '\0') ++n;
    EXPECT_STREQ(pSign[n - 1].sig, "rsrcRSED"); // its last line: every line has a description
    d.write("sous/dossier.sig", "DOC,WDBNMSWD,Du sous-dossier\r\n");
    _chdir("sous");
    EXPECT_EQ(select_type("WDBNMSWD"), std::string("Du sous-dossier"));
    _chdir("..");
    EXPECT_EQ(select_type("WDBNMSWD"), std::string("Du sous-dossier"));
}
