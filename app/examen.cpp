// "Examine header": shows what a Quillon header holds in dialog 300.
#include <windows.h>
#include <stdio.h>
#include <string.h>
#include "app/quillon.h"
#include "app/quillonid.h"
#include "app/remplace.h"
#include "io/iobit.h"
#include "io/iodlg.h"
#include "io/iofile.h"
#include "io/mac2pc.h"

#define LG_LIGNE 128 // one value of the dialog, as text
#define LG_DATE 15   // "dd/mm/yy hh:mm" and a blank
#define LG_CODE 4    // a file type or a creator

static void deux_chiffres(char *p, int valeur) {
    p[0] = (char)('0' + valeur / 10 % 10);
    p[1] = (char)('0' + valeur % 10);
}

// Writes "dd/mm/yy" at 0 and "hh:mm" at 9 of ligne; position 8 and what follows 13 are the
// caller's, and no terminator is written. Years 2000 and later show as 00 to 40.
void aff_date(char *ligne, uint32_t valeur) {
    const struct tm *t = conv_datemac(valeur);
    int annee = t->tm_year > 99 ? t->tm_year - 100 : t->tm_year;
    deux_chiffres(ligne, t->tm_mday);
    ligne[2] = '/';
    deux_chiffres(ligne + 3, t->tm_mon);
    ligne[5] = '/';
    deux_chiffres(ligne + 6, annee);
    deux_chiffres(ligne + 9, t->tm_hour);
    ligne[11] = ':';
    deux_chiffres(ligne + 12, t->tm_min);
}

// A fixed field of n characters as text: it stops at its first zero byte.
static void texte_champ(char *dst, const char *champ, size_t n) {
    memset(dst, 0, n + 1);
    strncpy(dst, champ, n);
}

static void affiche_date(HWND hDlg, int id, uint32_t valeur) {
    char ligne[LG_DATE + 1];
    memset(ligne, ' ', LG_DATE);
    ligne[LG_DATE] = '\0';
    aff_date(ligne, valeur);
    SetDlgItemTextA(hDlg, id, ligne);
}

// Fork lengths are unsigned 32-bit: a length of 2^31 or more is shown as it is, not negative.
static void affiche_longueur(HWND hDlg, int id, uint32_t valeur) {
    char ligne[LG_LIGNE];
    snprintf(ligne, sizeof ligne, "%lu", (unsigned long)swap32b(valeur));
    SetDlgItemTextA(hDlg, id, ligne);
}

static void remplit_attributs(HWND hDlg, const rub_quillon *r) {
    char ligne[LG_LIGNE];
    // The name field holds 63 bytes: a longer announced length shows those 63.
    size_t lg = r->lgnom < sizeof r->nom ? r->lgnom : sizeof r->nom;
    texte_champ(ligne, r->nom, lg);
    strcnv(ligne, ligne, MAC2SCREEN);
    SetDlgItemTextA(hDlg, IDA_NOM, ligne);
    texte_champ(ligne, r->fcret, LG_CODE);
    SetDlgItemTextA(hDlg, IDA_CREATEUR, ligne);
    texte_champ(ligne, r->ftype, LG_CODE);
    SetDlgItemTextA(hDlg, IDA_TYPE, ligne);
    affiche_date(hDlg, IDA_CREATION, r->dcreat);
    affiche_date(hDlg, IDA_MODIF, r->dmodif);
    affiche_longueur(hDlg, IDA_DONNEES, r->dlog);
    affiche_longueur(hDlg, IDA_RESSOURCES, r->rlog);
    char cle[9];
    memset(cle, 0, sizeof cle);
    strncpy(cle, r->ftype, LG_CODE);
    strncpy(cle + LG_CODE, r->fcret, LG_CODE);
    SetDlgItemTextA(hDlg, IDA_IDENTIFICATION, select_type(cle));
}

INT_PTR CALLBACK dlg_Attributs(HWND hDlg, UINT wMess, WPARAM wParam, LPARAM lParam) {
    switch (wMess) {
    case WM_INITDIALOG: {
        center_window(hDlg, hWndMain);
        rub_quillon r;
        memcpy(&r, (const void *)lParam, sizeof r);
        remplit_attributs(hDlg, &r);
        return TRUE;
    }
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
    static int annul = 0;
    FILE *f = fopen(nom_fichier, lecture);
    if (!f) {
        signale_ouverture(bmess_fugace, nom_fichier);
        return 0;
    }
    // The same verdict as stripping: what one shows, the other strips.
    unsigned char entete[LG_ENTETE];
    if (!lit_entete(f, entete)) {
        fclose(f);
        signale_annulable(&annul, err_pasquillon, nom_fichier);
        return 0;
    }
    DialogBoxParamA(Global_hInst, MAKEINTRESOURCEA(DLG_ATTRIBUTS), hWndMain, dlg_Attributs,
                    (LPARAM)entete);
    fclose(f);
    return 1;
}
