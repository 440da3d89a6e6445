// The main window's layout (dialog 201) run with a bare dialog procedure, so that tests call
// the browsing panel on real controls 131 to 134 and read them back (dialogue.h).
#ifndef QUILLON_TESTS_PANNEAU_H
#define QUILLON_TESTS_PANNEAU_H

#include <functional>
#include <windows.h>
#include "app/quillon.h"
#include "app/quillonid.h"
#include "dialogue.h"

// Calls corps with the shown dialog, which stands as the main window, then closes it.
inline void avec_panneau(const std::function<void(HWND)> &corps) {
    dans_dialogue(DLG_PRINCIPAL, [&corps](HWND hDlg) {
        hWndMain = hDlg;
        corps(hDlg);
        EndDialog(hDlg, 0);
    });
    hWndMain = nullptr;
}

#endif
