// "Examine header": shows what a Quillon header holds in dialog 300.
#include <windows.h>
#include <stdio.h>
#include "app/quillon.h"
#include "app/quillonid.h"
#include "io/iobit.h"
#include "io/iodlg.h"

// Fork lengths are unsigned 32-bit: a length of 2^31 or more is shown as it is, not negative.
static void affiche_longueur(HWND hDlg, int id, uint32_t valeur) {
    char ligne[16];
    snprintf(ligne, sizeof ligne, "%lu", (unsigned long)swap32b(valeur));
    SetDlgItemTextA(hDlg, id, ligne);
}

static void remplit_attributs(HWND hDlg, const fiche_entete *f) {
    SetDlgItemTextA(hDlg, IDA_NOM, f->nom);
    SetDlgItemTextA(hDlg, IDA_CREATEUR, f->createur);
    SetDlgItemTextA(hDlg, IDA_TYPE, f->type);
    SetDlgItemTextA(hDlg, IDA_CREATION, f->creation);
    SetDlgItemTextA(hDlg, IDA_MODIF, f->modification);
    affiche_longueur(hDlg, IDA_DONNEES, f->entete.dlog);
    affiche_longueur(hDlg, IDA_RESSOURCES, f->entete.rlog);
    SetDlgItemTextA(hDlg, IDA_IDENTIFICATION, f->identification);
}

INT_PTR CALLBACK dlg_Attributs(HWND hDlg, UINT wMess, WPARAM wParam, LPARAM lParam) {
    switch (wMess) {
    case WM_INITDIALOG:
        center_window(hDlg, hWndMain);
        remplit_attributs(hDlg, (const fiche_entete *)lParam);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDA_QUITTER:
        case IDCANCEL:
            EndDialog(hDlg, 0);
            return TRUE;
        case IDA_AIDE:
            ouvre_aide(hDlg);
            return TRUE;
        }
        return FALSE;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            EndDialog(hDlg, 0);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

int display_header(const char *nom_fichier) {
    fiche_entete fiche;
    if (!lit_fiche(nom_fichier, &fiche)) return 0;
    DialogBoxParamA(Global_hInst, MAKEINTRESOURCEA(DLG_ATTRIBUTS), hWndMain, dlg_Attributs,
                    (LPARAM)&fiche);
    return 1;
}
