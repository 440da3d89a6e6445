// The main window's layout (dialog 201) run with a bare dialog procedure, so that tests call
// the browsing panel on real controls 131 to 134 and read them back.
#ifndef QUILLON_TESTS_PANNEAU_H
#define QUILLON_TESTS_PANNEAU_H

#include <functional>
#include <string>
#include <vector>
#include <windows.h>
#include "app/quillon.h"
#include "app/quillonid.h"
#include "plattest_ui.h"

inline INT_PTR CALLBACK proc_panneau(HWND, UINT wMess, WPARAM, LPARAM) {
    return wMess == WM_INITDIALOG;
}

// Calls corps with the shown dialog, which stands as the main window, then closes it.
inline void avec_panneau(const std::function<void(HWND)> &corps) {
    plat_test_push_dialog_handler([&corps](HWND hDlg, int) {
        hWndMain = hDlg;
        corps(hDlg);
        EndDialog(hDlg, 0);
    });
    DialogBoxParamA(Global_hInst, MAKEINTRESOURCEA(DLG_PRINCIPAL), nullptr, proc_panneau, 0);
    hWndMain = nullptr;
}

inline std::vector<std::string> entrees(HWND hDlg, int id) {
    std::vector<std::string> v;
    int n = (int)SendDlgItemMessageA(hDlg, id, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < n; ++i) {
        std::vector<char> buf((size_t)SendDlgItemMessageA(hDlg, id, LB_GETTEXTLEN, i, 0) + 1);
        SendDlgItemMessageA(hDlg, id, LB_GETTEXT, i, (LPARAM)buf.data());
        v.emplace_back(buf.data());
    }
    return v;
}

// Answers the next message box: keeps its text, then closes it.
inline void retient_message(std::string *texte) {
    plat_test_push_dialog_handler([texte](HWND m, int) {
        *texte = plat_test_text(m, 128);
        plat_test_close_box(m);
    });
}

#endif
