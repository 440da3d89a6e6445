// `make pictures`: the pictures of the README drawn on a real display, the main window and
// the examination dialog as a user sees them over a folder of a few files (into docs/, or
// where QUILLON_CAPTURES points); and every dialog of the resource script with texts of the
// length the program puts in them (into the build's png/ folder), to look at when the layout
// changes. A tool built on the tests' support, not a test: it checks nothing but its own steps.
#include <gtest/gtest.h>
#include <cstdlib>
#include <string>
#include "io/iodlgid.h"
#include "programme.h"
#include "systeme.h"
#include "tempdrive.h"

namespace {

std::string capture(const char *nom) {
    const char *dossier = getenv("QUILLON_CAPTURES");
    return std::string(dossier && *dossier ? dossier : QUILLON_SOURCE_DIR "/docs") + "/" + nom;
}

// Fills the controls the program fills, as it would.
INT_PTR CALLBACK exemple(HWND h, UINT msg, WPARAM, LPARAM) {
    if (msg != WM_INITDIALOG) return FALSE;
    SetDlgItemTextA(h, ID_MESS_TEXTE,
                    "Le fichier C:\\documents\\rapport annuel 1997.doc ne semble pas \xea"
                    "tre de type Quillon");
    if (GetDlgItem(h, ID_MESS_TEXTE) || GetDlgItem(h, IDB_LISTE))
        SetWindowTextA(h, "Quillon - Information");
    SetDlgItemTextA(h, IDD_NOMFICHIER, "*.*");
    SetDlgItemTextA(h, IDD_CHEMIN, "c:\\windows\\...\\drivers\\etc\\");
    for (const char *f : {"AUTOEXEC.BAT", "ReadMe.TXT", "rapport.doc", "photo.pct", "Z.bin"})
        SendDlgItemMessageA(h, IDD_FICHIERS, LB_ADDSTRING, 0, (LPARAM)f);
    for (const char *r : {"[..]", "[program files]", "[windows]", "[temp]"})
        SendDlgItemMessageA(h, IDD_REPERTOIRES, LB_ADDSTRING, 0, (LPARAM)r);
    for (const char *l : {"[A:]", "Systeme [C:]", "Donnees [D:]"})
        SendDlgItemMessageA(h, IDD_LECTEURS, LB_ADDSTRING, 0, (LPARAM)l);
    SendDlgItemMessageA(h, IDD_FICHIERS, LB_SETSEL, TRUE, 1);
    SetDlgItemTextA(h, IDA_NOM, "Rapport annuel \xa5 1997");
    SetDlgItemTextA(h, IDA_CREATEUR, "MSWD");
    SetDlgItemTextA(h, IDA_TYPE, "WDBN");
    SetDlgItemTextA(h, IDA_CREATION, "01/01/00 00:00 ");
    SetDlgItemTextA(h, IDA_MODIF, "31/12/99 23:59 ");
    SetDlgItemTextA(h, IDA_DONNEES, "1234567");
    SetDlgItemTextA(h, IDA_RESSOURCES, "2048");
    SetDlgItemTextA(h, IDA_IDENTIFICATION, "Document Microsoft Word pour Macintosh");
    SetDlgItemTextA(h, IDB_RESUME, "Fichiers convertis : 1998\r\nFichiers d\xe9j\xe0 de type "
                                   "Quillon : 12\r\nFichiers laiss\xe9s tels quels \xe0 cause "
                                   "d'un probl\xe8me : 2");
    SetDlgItemTextA(h, IDB_LISTE, "Erreur \xe0 l'ouverture des fichiers : rapport.doc (lecture "
                                  "seule)\r\nLe fichier de sauvegarde photo.bak existe "
                                  "d\xe9j\xe0 : le fichier photo.pct n'a pas \xe9t\xe9 "
                                  "modifi\xe9\r\n");
    return TRUE;
}

} // namespace

TEST(Pictures, TheMainWindowAndTheExaminationForTheReadme) {
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
    lance_programme([&](HWND h) {
        for (const char *dossier : {"[home]", "[ann]", "[transfer]"})
            double_clic(h, IDD_REPERTOIRES, dossier);
        selectionne(h, {"Budget 2001.xls", "Letter to Paul.doc"});
        plat_test_click(h, IDD_AJOUTER);
        plat_test_click(h, IDD_SAUVEGARDE);
        selectionne(h, {"Letter to Paul.doc", "Summer.jpg"});
        plat_test_wait(200); // the window manager draws the frame
        EXPECT_TRUE(plat_test_save_png(h, capture("main-window.png").c_str()));
        plat_test_push_dialog_handler([&](HWND examen, int) {
            plat_test_wait(200);
            EXPECT_TRUE(plat_test_save_png(examen, capture("examine-header.png").c_str()));
            plat_test_click(examen, IDA_QUITTER);
        });
        selectionne(h, {"Letter to Paul.doc"});
        plat_test_click(h, IDD_EXAMINER);
        plat_test_click(h, IDD_QUITTER);
    });
}

TEST(Pictures, EveryDialogOfTheScript) {
    Global_hInst = GetModuleHandleA(nullptr);
    for (int id : {DLG_APROPOS, DLG_PRINCIPAL, DLG_ATTRIBUTS, DLG_MESS_ON, DLG_MESS,
                   DLG_MESS_ANNUL, DLG_MESS_ONT, DLG_BILAN}) {
        std::string png = std::string(QUILLON_PNG_DIR) + "/" + std::to_string(id) + ".png";
        plat_test_push_dialog_handler([&](HWND h, int) {
            EXPECT_TRUE(plat_test_save_png(h, png.c_str())) << png;
            EndDialog(h, 0);
        });
        DialogBoxParamA(Global_hInst, MAKEINTRESOURCE(id), nullptr, exemple, 0);
    }
}
