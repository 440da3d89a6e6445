// Program start, the main window and its commands, and the About box.
#include <windows.h>
#include <commctrl.h>
#include <direct.h>
#include <stdio.h>
#include <string.h>
#include "app/quillon.h"
#include "app/quillonid.h"
#include "app/vidage.h"
#include "io/iodlg.h"
#include "io/iofile.h"
#include "io/iowfile.h"

#define LG_MOTIF 255 // the longest name a folder can hold: the file-name field's limit

// An operation of the engine applied to one file of the list; backup is ignored by Examine.
typedef int (*operation_fichier)(const char *nom, int backup);

static int examine(const char *nom, int) {
    return display_header(nom);
}

// Copies entry i of a list box into buf; 0 when the entry does not exist or would not fit,
// so that no entry can overrun the buffer.
static int texte_entree(HWND hListe, int i, char *buf, size_t taille) {
    LRESULT lg = SendMessageA(hListe, LB_GETTEXTLEN, (WPARAM)i, 0);
    if (lg < 0 || (size_t)lg >= taille) return 0;
    return SendMessageA(hListe, LB_GETTEXT, (WPARAM)i, (LPARAM)buf) >= 0;
}

// The text of a list's current entry (the one just double-clicked); 0 when there is none.
static int entree_courante(HWND hWnd, int id, char *buf, size_t taille) {
    HWND hListe = GetDlgItem(hWnd, id);
    LRESULT i = SendMessageA(hListe, LB_GETCURSEL, 0, 0);
    if (i < 0) return 0;
    return texte_entree(hListe, (int)i, buf, taille);
}

// The file-name field's whole text into buf; a text longer than a name can be is refused
// with the simple beep, since a cut text would name another file.
static int texte_champ_nom(HWND hWnd, char *buf, int taille) {
    if (GetWindowTextLengthA(GetDlgItem(hWnd, IDD_NOMFICHIER)) >= taille) {
        MessageBeep(0xFFFFFFFF);
        return 0;
    }
    if (!GetDlgItemTextA(hWnd, IDD_NOMFICHIER, buf, taille)) buf[0] = '\0';
    return 1;
}

static int est_barre(char c) {
    return c == '\\' || c == '/';
}

// The file-name field's text as Enter and a pass take it. A folder typed before the mask
// ("d:\letters\*.txt", "..\*.doc", "old\") is entered first, with Path, the lists and the
// current directory together, as in the file dialogs of Windows: the window never shows one
// folder while the program works in another. The field then keeps the mask alone (the
// current mask when none follows the folder). 1 with the mask in buf, 2 when the window moved
// (its lists are still to be refilled), 0 after the simple beep when the text is too long or
// its folder cannot be entered (a network name has no place in the path).
static int lit_champ_nom(HWND hWnd, char *buf, int taille) {
    if (!texte_champ_nom(hWnd, buf, taille)) return 0;
    size_t lg_dossier = 0;
    for (size_t i = 0; buf[i] != '\0'; ++i)
        if (est_barre(buf[i]) || buf[i] == ':') lg_dossier = i + 1;
    if (lg_dossier == 0) return 1;
    char dossier[LG_MOTIF + 1];
    snprintf(dossier, sizeof dossier, "%.*s", (int)lg_dossier, buf);
    int reseau = est_barre(buf[0]) && est_barre(buf[1]);
    if (reseau || va_dossier(hWnd, dossier, chemin) != 0) {
        MessageBeep(0xFFFFFFFF);
        return 0;
    }
    const char *motif = buf[lg_dossier] != '\0' ? buf + lg_dossier : masque;
    memmove(buf, motif, strlen(motif) + 1);
    SetDlgItemTextA(hWnd, IDD_NOMFICHIER, buf);
    return 2;
}

// With nothing selected, Add and Strip hand the field's text to their walker; 0 when the
// text was refused and nothing was done.
static int traite_passe(HWND hWnd, int (*parcours)(const char *, int, int)) {
    int recurs = IsDlgButtonChecked(hWnd, IDD_RECURSIF) == BST_CHECKED;
    char specif[LG_MOTIF + 1];
    int lu = lit_champ_nom(hWnd, specif, sizeof specif);
    if (lu == 0) return 0;
    if (lu == 2) reliste(hWnd, masque);
    int backup = IsDlgButtonChecked(hWnd, IDD_SAUVEGARDE) == BST_CHECKED;
    parcours(specif, recurs, backup);
    vide_repertoires();
    return 1;
}

// Applies the operation to each selected file in list order, deselecting each entry as soon
// as its operation has returned. With nothing selected, Add and Strip make a pass; Examine
// only beeps. Add and Strip end with the account of what they left alone, if anything
// (compte_deja: the line that counts the files already as asked).
static void traite_selection(HWND hWnd, operation_fichier operation,
                             int (*parcours)(const char *, int, int), const char *compte_deja) {
    HWND hListe = GetDlgItem(hWnd, IDD_FICHIERS);
    LRESULT n = SendMessageA(hListe, LB_GETSELCOUNT, 0, 0);
    if (n > 0) {
        int backup = parcours ? (IsDlgButtonChecked(hWnd, IDD_SAUVEGARDE) == BST_CHECKED) : 0;
        LRESULT nb_entrees = SendMessageA(hListe, LB_GETCOUNT, 0, 0);
        int j = -1;
        debut_traitement();
        for (LRESULT k = 0; k < n && !arret_demande(); k++) {
            do j++;
            while (j < nb_entrees && SendMessageA(hListe, LB_GETSEL, (WPARAM)j, 0) <= 0);
            if (j >= nb_entrees) break;
            if (texte_entree(hListe, j, ren_nom, sizeof ren_nom)) operation(ren_nom, backup);
            vide_repertoires(); // a deselected entry tells the user that its file is done
            SendMessageA(hListe, LB_SETSEL, FALSE, (LPARAM)j);
        }
        fin_traitement();
    } else if (!parcours) {
        MessageBeep(0xFFFFFFFF);
        return;
    } else if (!traite_passe(hWnd, parcours)) {
        return;
    }
    if (parcours) montre_bilan(hWnd, compte_deja);
}

// Moves to target (a drive "c:", ".." or a subdirectory) and shows the new directory.
static void deplacement(HWND hWnd, const char *cible) {
    snprintf(ren_nom, sizeof ren_nom, "%s", cible);
    trait_chemin(hWnd, ren_nom, chemin);
    reliste(hWnd, masque);
}

// A directory entry is "[name]", the parent "[..]".
static void double_clic_repertoire(HWND hWnd) {
    char entree[512];
    if (!entree_courante(hWnd, IDD_REPERTOIRES, entree, sizeof entree)) return;
    size_t lg = strlen(entree);
    if (lg < 3 || entree[0] != '[' || entree[lg - 1] != ']') return;
    if (strcmp(entree, "[..]") == 0) {
        deplacement(hWnd, "..");
        return;
    }
    entree[lg - 1] = '\0';
    deplacement(hWnd, entree + 1);
}

// An entry without a bracketed drive does nothing.
static void double_clic_lecteur(HWND hWnd) {
    char entree[512];
    char cible[3];
    if (!entree_courante(hWnd, IDD_LECTEURS, entree, sizeof entree)) return;
    if (lecteur_entree(entree, cible)) deplacement(hWnd, cible);
}

static void va_a_la_racine(HWND hWnd) {
    char *separateur = strchr(chemin, '\\');
    if (separateur) separateur[1] = '\0';
    _chdir("\\");
    SetDlgItemTextA(hWnd, IDD_CHEMIN, chemin);
    reliste(hWnd, masque);
}

static void nouveau_masque(HWND hWnd) {
    char texte[LG_MOTIF + 1];
    if (!lit_champ_nom(hWnd, texte, sizeof texte)) return;
    snprintf(masque, sizeof masque, "%s", texte);
    reliste(hWnd, masque);
}

// A start folder whose path the current path cannot hold: the nearest folder above it that
// fits is shown, and the user is told, rather than a path that names another folder. Where
// the way up is closed, the root that the path then holds is made current too.
static void chemin_de_depart(HWND hWnd) {
    if (calc_chemin(chemin) == 0) return;
    while (calc_chemin(chemin) != 0)
        if (_chdir("..") != 0) {
            _chdir(chemin);
            break;
        }
    bmess_permanent(hWnd, err_cheminlong, mess_info);
}

static void initialise_fenetre(HWND hWnd) {
    hWndMain = hWnd;
    SendMessageA(hWnd, WM_SETICON, ICON_SMALL,
                 (LPARAM)LoadIconA(Global_hInst, MAKEINTRESOURCEA(IDI_QUILLON)));
    snprintf(masque, sizeof masque, "%s", "*.*");
    SetDlgItemTextA(hWnd, IDD_NOMFICHIER, masque);
    chemin_de_depart(hWnd);
    SetDlgItemTextA(hWnd, IDD_CHEMIN, chemin);
    reliste(hWnd, masque);
}

static int commande(HWND hWnd, int id, int code) {
    switch (id) {
    case IDOK:
        nouveau_masque(hWnd);
        return TRUE;
    case IDCANCEL:
    case IDD_QUITTER:
        EndDialog(hWnd, 0);
        return TRUE;
    case IDD_PARENT:
        deplacement(hWnd, "..");
        return TRUE;
    case IDD_RACINE:
        va_a_la_racine(hWnd);
        return TRUE;
    case IDD_AJOUTER:
        traite_selection(hWnd, add_header, recurs_add_header, compte_dejabin);
        return TRUE;
    case IDD_EXAMINER:
        traite_selection(hWnd, examine, nullptr, nullptr);
        return TRUE;
    case IDD_RETIRER:
        traite_selection(hWnd, strip_header, recurs_strip_header, compte_pasquillon);
        return TRUE;
    case IDD_APROPOS:
        DialogBoxParamA(Global_hInst, MAKEINTRESOURCEA(DLG_APROPOS), hWnd, About, 0);
        return TRUE;
    case IDD_AIDE:
        ouvre_aide(hWnd);
        return TRUE;
    case IDD_REPERTOIRES:
        if (code == LBN_DBLCLK) double_clic_repertoire(hWnd);
        return TRUE;
    case IDD_LECTEURS:
        if (code == LBN_DBLCLK) double_clic_lecteur(hWnd);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK MainWinProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        initialise_fenetre(hWnd);
        return TRUE;
    case WM_COMMAND:
        return commande(hWnd, LOWORD(wParam), HIWORD(wParam));
    case WM_DESTROY:
        EndDialog(hWnd, 0);
        PostQuitMessage(0);
        return TRUE;
    default:
        return FALSE;
    }
}

// Only OK (or Enter) and the close box end the box; Escape is ignored.
INT_PTR CALLBACK About(HWND hDlg, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) != IDD_APROPOS_OK || HIWORD(wParam) != 0) return FALSE;
        EndDialog(hDlg, 0);
        return TRUE;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) != SC_CLOSE) return FALSE;
        EndDialog(hDlg, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

int WINAPI WinMain(HINSTANCE hInst, HINSTANCE, LPSTR, int) {
    Global_hInst = hInst;
    InitCommonControls(); // the progress bar's window class
    nomme_aide();
    DialogBoxParamA(hInst, MAKEINTRESOURCEA(DLG_PRINCIPAL), nullptr, MainWinProc, 0);
    return 0;
}
