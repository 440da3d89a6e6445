// The browsing panel of a dialog: file, directory and drive lists, and the current path.
#ifndef QUILLON_IO_IOWFILE_H
#define QUILLON_IO_IOWFILE_H

#include <windows.h>

// Controls of the panel
#define ID_NB_FICHIERS 129   // number of files listed or selected
#define ID_TAILLE 130        // their total size in bytes
#define ID_CHEMIN 131        // the current path, possibly shortened
#define ID_FICHIERS 132      // files: sorted, multiple selection
#define ID_REPERTOIRES 133   // directories: sorted, single selection
#define ID_LECTEURS 134      // drives: unsorted, single selection

#define LG_ENTREE_LECTEUR 32 // a drive entry: 31 characters and the terminator
#define LG_CHEMIN 512        // the current path and its display form, terminator included

extern char ioliste[26][LG_ENTREE_LECTEUR]; // the drive table, built once per run
extern int ioliste32;                       // its number of entries, 0 until built
extern HWND hDirListe;                      // a list view to fill instead of list 132

int calc_chemin(char *chemin);
int trait_chemin(HWND hDlg, const char *rubrep, char *chem);
void reliste(HWND hDlg, const char *msk);
// Moves to a folder as the user types it ("d:", "d:\letters\", "..\old", "\"), writes its
// path into chem and shows it; -1, with nothing changed, when it cannot be entered or its path
// does not fit.
int va_dossier(HWND hDlg, const char *dossier, char *chem);
void ellipse(const char *chem, char *str);
void reliste2(HWND hDlg);
void dirlist32(HWND hDlg, const char *sel, int idbox, int code);
void dirlistview(HWND hDlg, const char *sel);
int creation_liste_lecteurs(void);
int liste_lecteurs(HWND hDlg, int id);
void calcule_selection(HWND hWnd);
void vide_selection(HWND hWnd);
int getdirselect(HWND hDlg, int id, char *fub);
int changement_lecteur(HWND hDlg, char *chemin);
int lecteur_entree(const char *entree, char *lecteur); // 1 and "c:" from "Label [C:]"

#define ATTRIBUT_VOLUME 0x08      // the entry of a volume label (MS-DOS)
int est_fichier(DWORD attributs); // neither a directory nor a volume label

#endif
