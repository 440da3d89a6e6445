// The help viewer: one window, reused, showing the help file or saying why it cannot.
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <windows.h>
#include <QTest>
#include "plattest_help.h"

// A directory of its own for each test, removed afterwards.
struct DossierAide {
    std::string chemin;
    DossierAide() {
        char modele[] = "/tmp/quillon-aide-XXXXXX";
        chemin = mkdtemp(modele);
    }
    ~DossierAide() { std::system(("rm -rf '" + chemin + "'").c_str()); }
    std::string ecrit(const char *nom, const std::string &octets) const {
        std::string f = chemin + "/" + nom;
        FILE *out = fopen(f.c_str(), "wb");
        EXPECT_NE(out, nullptr);
        fwrite(octets.data(), 1, octets.size(), out);
        fclose(out);
        return f;
    }
};

static bool contient(const std::string &texte, const std::string &morceau) {
    return texte.find(morceau) != std::string::npos;
}

TEST(PlatHelp, ShowsTheFileAndReusesItsWindow) {
    DossierAide d;
    // In the ANSI code page, as a help file written on Windows would be.
    std::string aide = d.ecrit("quillon.hlp", "<html><body><h1>Sommaire</h1>"
                                              "<p>Ajouter l'en-t\xea"
                                              "te \xe0 un fichier.</p>"
                                              "</body></html>");
    EXPECT_EQ(WinHelpA(nullptr, aide.c_str(), HELP_CONTENTS, 0), TRUE);
    PlatHelpState e = plat_test_help_state();
    EXPECT_EQ(e.windows, 1);
    EXPECT_TRUE(e.visible);
    EXPECT_EQ(e.title, "Quillon - Aide");
    EXPECT_TRUE(contient(e.text, "Sommaire")) << e.text;
    EXPECT_TRUE(contient(e.text, "Ajouter l'en-t\u00eate \u00e0 un fichier.")) << e.text;

    // Closed by the user, then asked for again: the same window comes back, with the page
    // read afresh.
    d.ecrit("quillon.hlp", "<p>Version r\xe9vis\xe9"
                           "e</p>");
    EXPECT_EQ(WinHelpA(nullptr, "/nulle/part/quillon.hlp", HELP_QUIT, 0), TRUE);
    EXPECT_FALSE(plat_test_help_state().visible);
    EXPECT_EQ(WinHelpA(nullptr, aide.c_str(), HELP_CONTENTS, 0), TRUE);
    e = plat_test_help_state();
    EXPECT_EQ(e.windows, 1);
    EXPECT_TRUE(e.visible);
    EXPECT_TRUE(contient(e.text, "Version r\u00e9vis\u00e9e")) << e.text;
}

TEST(PlatHelp, MissingOrUnreadableFileIsSaidInTheViewer) {
    DossierAide d;
    std::string absent = d.chemin + "/absent.hlp";
    EXPECT_EQ(WinHelpA(nullptr, absent.c_str(), HELP_CONTENTS, 0), FALSE);
    PlatHelpState e = plat_test_help_state();
    EXPECT_TRUE(e.visible);
    EXPECT_EQ(e.title, "Quillon - Aide");
    EXPECT_TRUE(contient(e.text, "Le fichier d'aide " + absent + " est introuvable.")) << e.text;

    // A directory where the file should be cannot be read; the same window says so.
    std::string dossier = d.chemin;
    EXPECT_EQ(WinHelpA(nullptr, dossier.c_str(), HELP_CONTENTS, 0), FALSE);
    e = plat_test_help_state();
    EXPECT_EQ(e.windows, 1);
    EXPECT_TRUE(contient(e.text, "ne peut pas \u00eatre lu")) << e.text;

    // Once the file is there, the next request shows it.
    d.ecrit("absent.hlp", "<p>Enfin l\xe0.</p>");
    EXPECT_EQ(WinHelpA(nullptr, absent.c_str(), HELP_CONTENTS, 0), TRUE);
    e = plat_test_help_state();
    EXPECT_TRUE(contient(e.text, "Enfin l\u00e0.")) << e.text;
    EXPECT_EQ(e.page, absent);
}

TEST(PlatHelp, LinksLeadWithinThePageAndToOtherPages) {
    DossierAide d;
    std::string longue = "<html><head><meta charset=\"utf-8\"></head><body>"
                         "<p><a href=\"#fin\">Aller \xc3\xa0 la fin</a> "
                         "<a href=\"annexe.html\">Annexe</a></p>";
    for (int i = 0; i < 200; i++) longue += "<p>Ligne " + std::to_string(i) + "</p>";
    longue += "<h2><a name=\"fin\"></a>Fin</h2></body></html>";
    std::string aide = d.ecrit("quillon.hlp", longue);
    d.ecrit("annexe.html", "<p>Page annexe \xe9tendue</p>");
    ASSERT_EQ(WinHelpA(nullptr, aide.c_str(), HELP_CONTENTS, 0), TRUE);
    QTest::qWait(10);
    EXPECT_EQ(plat_test_help_state().scroll, 0);
    ASSERT_TRUE(plat_test_help_click_link("Aller \u00e0 la fin"));
    PlatHelpState e = plat_test_help_state();
    EXPECT_GT(e.scroll, 0);
    EXPECT_EQ(e.page, aide);

    // Back at the contents, the other page opens through its link.
    ASSERT_EQ(WinHelpA(nullptr, aide.c_str(), HELP_CONTENTS, 0), TRUE);
    EXPECT_EQ(plat_test_help_state().scroll, 0);
    ASSERT_TRUE(plat_test_help_click_link("Annexe"));
    e = plat_test_help_state();
    EXPECT_EQ(e.page, d.chemin + "/annexe.html");
    EXPECT_TRUE(contient(e.text, "Page annexe \u00e9tendue")) << e.text;
}
