// The closing message of a command that left files alone: the counts of the account, then
// the message of each file left alone, in a list the user can scroll and copy.
#include <stdio.h>
#include <windows.h>
#include "app/bilan.h"
#include "app/quillon.h"
#include "app/quillonid.h"
#include "io/iodlg.h"

static INT_PTR CALLBACK dlg_Bilan(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        char convertis[128], deja[128], problemes[128], resume[400];
        snprintf(convertis, sizeof convertis, compte_convertis, bilan_convertis());
        snprintf(deja, sizeof deja, (const char *)lParam, bilan_deja_faits());
        snprintf(problemes, sizeof problemes, compte_problemes, bilan_problemes());
        snprintf(resume, sizeof resume, "%s\r\n%s\r\n%s", convertis, deja, problemes);
        center_window(hDlg, hWndMain);
        SetWindowTextA(hDlg, mess_info);
        SetDlgItemTextA(hDlg, IDB_RESUME, resume);
        SetDlgItemTextA(hDlg, IDB_LISTE, bilan_liste());
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL) return FALSE;
        EndDialog(hDlg, 0);
        return TRUE;
    }
    return FALSE;
}

void montre_bilan(HWND hWnd, const char *compte_deja) {
    if (bilan_problemes() == 0) return;
    DialogBoxParamA(Global_hInst, MAKEINTRESOURCEA(DLG_BILAN), hWnd, dlg_Bilan,
                    (LPARAM)compte_deja);
}
