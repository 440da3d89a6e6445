// The help: the Help buttons open the document named after the program with the extension
// "htm", and the help document that is installed under that name can be read and followed.
#include <gtest/gtest.h>
#include <set>
#include "io/io.h"
#include "plattest_help.h"
#include "programme.h"
#include "tempdrive.h"

// The Help button opens the document beside the program, of its name with the extension
// "htm", with COM on its thread as the shell asks; without it, a message names the file looked
// for. (The document found and shown, from the examination dialog's icon:
// tests/engine/examen.cpp.)
TEST(Programme, HelpButtonLooksForTheDocumentBesideTheProgram) {
    TempDrives d;
    char moi[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, moi, sizeof moi), 3u);
    std::string attendu = moi; // its name with the extension "htm" in place of its own
    if (attendu.size() > 4 && attendu.compare(attendu.size() - 4, 4, ".exe") == 0)
        attendu.resize(attendu.size() - 4);
    attendu += ".htm";
    // The test program lies outside the test's drive C:, where nothing bears its name.
    Messages message;
    PlatHelpState aide;
    lance_programme([&](HWND h) {
        message.attend();
        plat_test_click(h, IDD_AIDE);
        aide = plat_test_help_state();
        EXPECT_TRUE(plat_test_help_com());
        plat_test_key(h, VK_ESCAPE);
    });
    EXPECT_EQ(nom_faide, attendu);
    EXPECT_EQ(message.textes, std::vector<std::string>{"Le fichier d'aide " + attendu +
                                                       " ne peut pas \xea" "tre ouvert"});
    EXPECT_EQ(aide.windows, 0);
}

namespace {

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
    std::string html = lit_fichier(QUILLON_SOURCE_DIR "/app/res/quillon.html");
    ASSERT_FALSE(html.empty());
    d.write("quillon.htm", html);
    ASSERT_GT((INT_PTR)ShellExecuteA(nullptr, "open", "C:\\quillon.htm", nullptr, nullptr, 0), 32);
    PlatHelpState aide = plat_test_help_state();
    ASSERT_EQ(aide.page, d.host("quillon.htm"));
    if (!aide.own_viewer) GTEST_SKIP() << "the help opens in the user's browser";
    for (const char *message :
         {err_fichier,    err_dejabin,  err_pasquillon, type_text,      err_ftemp,    err_nondos,
          err_lectmac,    mess_escape,  mess_info,      revend,         err_ecriture, err_remplace,
          err_sauvegarde, err_tropgros, err_creation,   err_nomlong,    err_lien,     err_nomsaut,
          err_sousrep,    err_liste,    raison_acces,   raison_protege, raison_plein, raison_nom,
          raison_long,    raison_autre, err_aide,       raison_lecture_seule, raison_utilise,
          raison_absent,  compte_convertis, compte_dejabin, compte_pasquillon, compte_problemes}) {
        std::string texte = utf8(message);
        // The pieces between the values put in (%s, %lu).
        for (size_t debut = 0, fin; debut <= texte.size();
             debut = fin + (fin + 1 < texte.size() && texte[fin + 1] == 'l' ? 3 : 2)) {
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
        EXPECT_EQ(aide.page, d.host("quillon.htm")) << lien;
        EXPECT_GT(aide.scroll, 0) << lien;
        positions.insert(aide.scroll);
        ShellExecuteA(nullptr, "open", "C:\\quillon.htm", nullptr, nullptr, 0); // back to the top
        EXPECT_EQ(plat_test_help_state().scroll, 0) << lien;
    }
    EXPECT_GE(positions.size(), 8u); // the last sections may share the bottom of the page
}
