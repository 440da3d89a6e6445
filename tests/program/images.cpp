// Pictures of the main window and of the examination dialog, as a user sees them, for the
// README. They are written where QUILLON_CAPTURES points (docs/ to refresh the README's), else
// only into the test's temporary tree.
#include <windows.h>
#include <gtest/gtest.h>
#include <cstdlib>
#include "programme.h"
#include "systeme.h"
#include "tempdrive.h"

static std::string capture(const TempDrives &d, const char *nom) {
    const char *dossier = getenv("QUILLON_CAPTURES");
    return std::string(dossier && *dossier ? dossier : d.host("").c_str()) + "/" + nom;
}

TEST(Programme, PicturesOfTheWindows) {
    TempDrives d(2, {"", "USB STICK"});
    d.mkdir("home/ann/Documents");
    d.write("home/ann/Transfer/Budget 2001.xls", std::string(18432, 'b'));
    d.write("home/ann/Transfer/Letter to Paul.doc", std::string(23552, 'l'));
    d.write("home/ann/Transfer/Logo.gif", std::string(4711, 'g'));
    d.write("home/ann/Transfer/Read me.txt", "Files for the Macintosh.\r\n");
    d.write("home/ann/Transfer/Summer.jpg", std::string(88210, 'j'));
    d.write("home/ann/Transfer/quillon.sig",
            "DOC,WDBNMSWD,Microsoft Word document\r\nXLS,XLS5XCEL,Microsoft Excel sheet\r\n");
    d.mkdir("home/ann/Transfer/Received");
    fuseau("UTC0"); // the same dates on every machine
    date_fichier(d.host("home/ann/Transfer/Letter to Paul.doc"), 984579720); // 2001-03-14 14:22
    bool principale = false, examen = false;
    lance_programme([&](HWND h) {
        double_clic(h, IDD_REPERTOIRES, "[home]");
        double_clic(h, IDD_REPERTOIRES, "[ann]");
        double_clic(h, IDD_REPERTOIRES, "[transfer]");
        selectionne(h, {"Budget 2001.xls", "Letter to Paul.doc"});
        plat_test_click(h, IDD_AJOUTER);
        plat_test_click(h, IDD_SAUVEGARDE);
        selectionne(h, {"Letter to Paul.doc", "Summer.jpg"});
        plat_test_wait(100);
        principale = plat_test_save_png(h, capture(d, "main-window.png").c_str());

        plat_test_push_dialog_handler([&](HWND hExamen, int) {
            plat_test_wait(100);
            examen = plat_test_save_png(hExamen, capture(d, "examine-header.png").c_str());
            plat_test_click(hExamen, IDA_QUITTER);
        });
        selectionne(h, {"Letter to Paul.doc"});
        plat_test_click(h, IDD_EXAMINER);
        plat_test_click(h, IDD_QUITTER);
    });
    EXPECT_TRUE(principale);
    EXPECT_TRUE(examen);
}
