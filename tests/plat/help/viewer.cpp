// Opening a document (ShellExecuteA): HTML documents in the help viewer, one window, reused,
// its links followed; a document that cannot be shown is refused with Windows' codes, and
// nothing is shown.
#include <gtest/gtest.h>
#include <string>
#include <windows.h>
#include <QApplication>
#include <QWidget>
#include "plattest_help.h"
#include "tempdrive.h"

static bool contient(const std::string &texte, const std::string &morceau) {
    return texte.find(morceau) != std::string::npos;
}

static INT_PTR ouvre(const char *nom, const char *verbe = "open") {
    return (INT_PTR)ShellExecuteA(nullptr, verbe, nom, nullptr, nullptr, SW_SHOWNORMAL);
}

TEST(PlatHelp, ShowsTheDocumentReusesItsWindowAndFollowsLinks) {
    TempDrives d;
    // In the ANSI code page, as a help file written on Windows would be.
    d.write("quillon.htm", "<html><body><h1>Sommaire</h1>"
                           "<p>Ajouter l'en-t\xea"
                           "te \xe0 un fichier.</p>"
                           "</body></html>");
    EXPECT_GT(ouvre("C:\\QUILLON.HTM"), 32); // names are found without regard to case
    PlatHelpState e = plat_test_help_state();
    EXPECT_EQ(e.windows, 1);
    EXPECT_TRUE(e.visible);
    EXPECT_EQ(e.title, "Quillon - Aide");
    EXPECT_EQ(e.page, d.host("quillon.htm"));
    EXPECT_TRUE(contient(e.text, "Ajouter l'en-t\u00eate \u00e0 un fichier.")) << e.text;

    // Closed by the user, then asked for again: the same window comes back, with the page
    // read afresh.
    d.write("quillon.htm", "<p>Version r\xe9vis\xe9"
                           "e</p>");
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == "plat_help_viewer") w->close();
    EXPECT_FALSE(plat_test_help_state().visible);
    EXPECT_GT(ouvre("C:\\quillon.htm", nullptr), 32); // no verb: "open"
    e = plat_test_help_state();
    EXPECT_EQ(e.windows, 1);
    EXPECT_TRUE(e.visible);
    EXPECT_TRUE(contient(e.text, "Version r\u00e9vis\u00e9e")) << e.text;

    // A link leads to another page (links within a page: tests/program/aide.cpp).
    d.write("quillon.htm", "<p><a href=\"annexe.html\">Annexe</a></p>");
    d.write("annexe.html", "<p>Page annexe \xe9tendue</p>");
    ASSERT_GT(ouvre("C:\\quillon.htm"), 32);
    ASSERT_TRUE(plat_test_help_click_link("Annexe"));
    e = plat_test_help_state();
    EXPECT_EQ(e.page, d.host("annexe.html"));
    EXPECT_TRUE(contient(e.text, "Page annexe \u00e9tendue")) << e.text;
}

TEST(PlatHelp, WhatCannotBeShownIsRefusedAndNothingOpens) {
    TempDrives d;
    d.write("notes.txt", "plain");
    d.mkdir("pages.htm");
    struct {
        const char *nom, *verbe;
        INT_PTR code;
    } cas[] = {{"C:\\absent.htm", "open", SE_ERR_FNF},
               {"C:\\nulle\\part.htm", "open", SE_ERR_FNF},
               {"C:\\notes.txt", "open", SE_ERR_NOASSOC},
               {"C:\\pages.htm", "open", SE_ERR_NOASSOC},
               {"C:\\notes.txt", "print", SE_ERR_NOASSOC}};
    for (auto &c : cas) {
        EXPECT_EQ(ouvre(c.nom, c.verbe), c.code) << c.nom;
        EXPECT_EQ(plat_test_help_state().windows, 0) << c.nom;
    }
}
