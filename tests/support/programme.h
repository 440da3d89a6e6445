// Runs the real program through its entry point, headless, with a scenario played by a
// "user" inside its main window; helpers to read and click the window's lists.
#ifndef QUILLON_TESTS_PROGRAMME_H
#define QUILLON_TESTS_PROGRAMME_H

#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include <windows.h>
#include "app/quillon.h"
#include "app/quillonid.h"
#include "dialogue.h"
#include "plattest_ui.h"

// Starts the program as its entry point does; scenario runs inside the main window's modal
// loop once it is shown, and must end it (Quit, Escape, close box). The program ends with
// status 0, and every dialog met a handler of the test.
inline void lance_programme(std::function<void(HWND)> scenario) {
    plat_test_push_dialog_handler([scenario](HWND hMain, int template_id) {
        EXPECT_EQ(template_id, DLG_PRINCIPAL);
        scenario(hMain);
    });
    char ligne[] = "";
    EXPECT_EQ(WinMain(GetModuleHandleA(nullptr), nullptr, ligne, SW_SHOWNORMAL), 0);
    EXPECT_EQ(plat_test_unhandled_dialogs(), 0);
}

// Index of an entry, -1 when the list does not hold it.
inline int indice(HWND hDlg, int id, const std::string &texte) {
    std::vector<std::string> liste = entrees(hDlg, id);
    for (size_t i = 0; i < liste.size(); i++)
        if (liste[i] == texte) return (int)i;
    return -1;
}

inline int nb_selectionnes(HWND hDlg) {
    return (int)SendMessageA(GetDlgItem(hDlg, IDD_FICHIERS), LB_GETSELCOUNT, 0, 0);
}

// Selects the named files of the file list, as clicks with Ctrl held after the first.
inline void selectionne(HWND hDlg, const std::vector<std::string> &noms) {
    for (size_t i = 0; i < noms.size(); i++) {
        int n = indice(hDlg, IDD_FICHIERS, noms[i]);
        ASSERT_GE(n, 0) << noms[i];
        plat_test_select(hDlg, IDD_FICHIERS, n, i == 0 ? 0 : PLAT_MOD_CTRL);
    }
}

// Ticks or clears a check box as the user would.
inline void coche(HWND hDlg, int id, bool voulu = true) {
    if ((IsDlgButtonChecked(hDlg, id) == BST_CHECKED) != voulu) plat_test_click(hDlg, id);
    ASSERT_EQ(IsDlgButtonChecked(hDlg, id) == BST_CHECKED, voulu);
}

inline void double_clic(HWND hDlg, int id, const std::string &texte) {
    int n = indice(hDlg, id, texte);
    ASSERT_GE(n, 0) << texte;
    plat_test_double_click(hDlg, id, n);
}

// The closing account of a command that left files alone, read, then closed with OK.
struct Bilan {
    std::string resume, liste; // its counts, and its list of messages
    void attend() {
        plat_test_push_dialog_handler([this](HWND h, int modele) {
            EXPECT_EQ(modele, DLG_BILAN);
            EXPECT_EQ(plat_test_caption(h), "Quillon - Information");
            resume = plat_test_text(h, IDB_RESUME);
            liste = plat_test_text(h, IDB_LISTE);
            plat_test_click(h, IDOK);
        });
    }
};

#endif
