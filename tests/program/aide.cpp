// The help: the Help button opens the file named after the program with the extension "hlp",
// and the help document that is installed under that name can be read and followed.
#include <gtest/gtest.h>
#include <fstream>
#include <iterator>
#include <set>
#include "io/io.h"
#include "plattest_help.h"
#include "programme.h"
#include "tempdrive.h"

TEST(Programme, HelpButtonOpensTheProgramsHelpFile) {
    TempDrives d;
    PlatHelpState aide;
    int fin = lance_programme([&](HWND h) {
        plat_test_click(h, IDD_AIDE);
        aide = plat_test_help_state();
        plat_test_key(h, VK_ESCAPE);
    });
    EXPECT_EQ(fin, 0);
    // The test program has no help file: the viewer says so, naming the file it looked for.
    std::string nom = nom_faide;
    EXPECT_EQ(nom.substr(0, 3), "C:\\");
    EXPECT_EQ(nom.substr(nom.size() - 18), "\\quillon_tests.hlp");
    EXPECT_TRUE(aide.visible);
    EXPECT_NE(aide.text.find(nom), std::string::npos) << aide.text;
}

namespace {

std::string document_aide() {
    std::ifstream in(QUILLON_SOURCE_DIR "/app/res/quillon.html", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string utf8(const char *ansi) { // the texts hold only Latin-1 letters above 127
    std::string s;
    for (const unsigned char *p = (const unsigned char *)ansi; *p; p++) {
        if (*p < 0x80)
            s += (char)*p;
        else
            s += {(char)(0xC0 | *p >> 6), (char)(0x80 | (*p & 0x3F))};
    }
    return s;
}

} // namespace

// Every message the program can show is explained, word for word as it appears, and every
// entry of the contents leads to its section.
TEST(Programme, HelpDocumentExplainsEveryMessageAndItsLinksLead) {
    TempDrives d;
    std::string html = document_aide();
    ASSERT_FALSE(html.empty());
    d.write("quillon.hlp", html);
    ASSERT_TRUE(WinHelpA(nullptr, "C:\\quillon.hlp", HELP_CONTENTS, 0));
    PlatHelpState aide = plat_test_help_state();
    ASSERT_EQ(aide.page, d.host("quillon.hlp"));
    for (const char *message :
         {err_fichier,  err_dejabin,    err_pasquillon, type_text,    err_ftemp,      err_nondos,
          err_lectmac,  mess_escape,    mess_info,      revend,       err_ecriture,   err_remplace,
          err_disque,   err_sauvegarde, err_tropgros,   err_creation, err_nomlong,    err_lien,
          err_nomsaut,  err_sousrep,    err_liste,      raison_acces, raison_protege, raison_plein,
          raison_nom,   raison_long,    raison_autre}) {
        std::string texte = utf8(message);
        // The pieces between the values put in (%s, %lu).
        for (size_t debut = 0, fin; debut <= texte.size(); debut = fin + (fin + 1 < texte.size() && texte[fin + 1] == 'l' ? 3 : 2)) {
            fin = texte.find('%', debut);
            if (fin == std::string::npos) fin = texte.size();
            std::string morceau = texte.substr(debut, fin - debut);
            EXPECT_NE(aide.text.find(morceau), std::string::npos) << morceau;
        }
    }
    std::set<int> positions;
    for (const char *lien :
         {"Quillon files", "The main window", "Choosing files", "Add header", "Strip header",
          "Examine header", "Backup and recursion", "The signature file", "Messages",
          "Drives and names on Linux", "Questions and reports"}) {
        ASSERT_TRUE(plat_test_help_click_link(lien)) << lien;
        plat_test_wait(10);
        aide = plat_test_help_state();
        EXPECT_EQ(aide.page, d.host("quillon.hlp")) << lien;
        EXPECT_GT(aide.scroll, 0) << lien;
        positions.insert(aide.scroll);
        WinHelpA(nullptr, "C:\\quillon.hlp", HELP_CONTENTS, 0); // back to the top
    }
    EXPECT_GE(positions.size(), 8u); // the last sections may share the bottom of the page
}
