// Every dialog of the resource script rendered headless, with texts of the length the program
// puts in them, to build/test/png/<number>.png: pictures to look at when the layout changes.
#include <gtest/gtest.h>
#include <string>
#include "app/quillon.h"
#include "app/quillonid.h"
#include "io/iodlgid.h"
#include "plattest_ui.h"

namespace {

// Fills the controls the program fills, as it would.
INT_PTR CALLBACK sample_proc(HWND h, UINT msg, WPARAM, LPARAM) {
    if (msg != WM_INITDIALOG) return FALSE;
    SetDlgItemTextA(h, ID_MESS_TEXTE,
                    "Le fichier C:\\documents\\rapport annuel 1997.doc ne semble pas \xea"
                    "tre de type Quillon");
    if (GetDlgItem(h, ID_MESS_TEXTE) || GetDlgItem(h, IDB_LISTE))
        SetWindowTextA(h, "Quillon - Information");
    SetDlgItemTextA(h, IDD_NOMFICHIER, "*.*");
    SetDlgItemTextA(h, IDD_CHEMIN, "c:\\windows\\...\\drivers\\etc\\");
    const char *files[] = {"AUTOEXEC.BAT", "ReadMe.TXT", "rapport.doc", "photo.pct", "Z.bin"};
    for (const char *f : files) SendDlgItemMessageA(h, IDD_FICHIERS, LB_ADDSTRING, 0, (LPARAM)f);
    const char *dirs[] = {"[..]", "[program files]", "[windows]", "[temp]"};
    for (const char *d : dirs) SendDlgItemMessageA(h, IDD_REPERTOIRES, LB_ADDSTRING, 0, (LPARAM)d);
    const char *drives[] = {"[A:]", "Systeme [C:]", "Donnees [D:]"};
    for (const char *d : drives) SendDlgItemMessageA(h, IDD_LECTEURS, LB_ADDSTRING, 0, (LPARAM)d);
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

TEST(DialogPictures, EveryDialogOfTheScriptRendersToPng) {
    Global_hInst = GetModuleHandleA(nullptr);
    const int ids[] = {DLG_APROPOS,    DLG_PRINCIPAL, DLG_ATTRIBUTS, DLG_MESS_ON, DLG_MESS,
                       DLG_MESS_ANNUL, DLG_MESS_ONT,  DLG_BILAN};
    for (int id : ids) {
        std::string path = std::string(QUILLON_PNG_DIR) + "/" + std::to_string(id) + ".png";
        bool saved = false;
        plat_test_push_dialog_handler([&](HWND h, int template_id) {
            EXPECT_EQ(template_id, id);
            saved = plat_test_save_png(h, path.c_str());
            EndDialog(h, 0);
        });
        EXPECT_EQ(DialogBoxParamA(Global_hInst, MAKEINTRESOURCE(id), nullptr, sample_proc, 0), 0)
            << "dialog " << id;
        EXPECT_TRUE(saved) << path;
    }
    EXPECT_EQ(plat_test_unhandled_dialogs(), 0);
}
