// The walk of a pass over a directory tree: the names of a directory's files are written to
// a list file first and converted from it, so that a directory of any size needs one line in
// memory and the files the pass makes are not converted again; then the matching
// subdirectories are entered, depth first.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <direct.h>
#include <windows.h>
#include "app/quillon.h"
#include "app/remplace.h"
#include "app/restes.h"
#include "app/vidage.h"
#include "io/iodlg.h"

// A name as the enumeration gives it (at most MAX_PATH - 1 characters), CR, LF and the end.
#define LG_LIGNE (MAX_PATH + 2)

static char nom_liste[MAX_PATH]; // the list of the directory being processed, "" when none
static FILE *liste = nullptr;

// The list is removed after its directory, and also when a fatal error ends the program in
// the middle of the pass.
static void efface_liste(void) {
    if (liste != nullptr) fclose(liste);
    liste = nullptr;
    if (nom_liste[0] != '\0') DeleteFileA(nom_liste);
    nom_liste[0] = '\0';
}

// The places where the pass under way has written a list: the root of a drive, the temporary
// directory.
#define NB_LIEUX 4
static char lieux_vus[NB_LIEUX][MAX_PATH];
static int nb_lieux_vus = 0;

// The lists that runs of the program which have ended left in dir (a killed pass), removed
// the first time a pass writes a list there; those of a running copy stay.
static void efface_listes_abandonnees(const char *dir) {
    for (int i = 0; i < nb_lieux_vus; ++i)
        if (strcmp(lieux_vus[i], dir) == 0) return;
    if (nb_lieux_vus < NB_LIEUX) snprintf(lieux_vus[nb_lieux_vus++], MAX_PATH, "%s", dir);
    char motif[MAX_PATH + 16], nom[MAX_PATH + 16];
    snprintf(motif, sizeof motif, "%sqln*.tmp", dir);
    WIN32_FIND_DATAA e;
    HANDLE h = FindFirstFileA(motif, &e);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        if ((size_t)snprintf(nom, sizeof nom, "%s%s", dir, e.cFileName) < sizeof nom &&
            nature(nom) == FICHIER_ABANDONNE)
            DeleteFileA(nom);
    } while (FindNextFileA(h, &e));
    FindClose(h);
}

// A new, uniquely named file for the list, marked as the program's: in the root of the
// current drive (lieu 0), or in the temporary directory (lieu 1).
static int nomme_liste(int lieu) {
    static int inscrit = 0;
    if (!inscrit) atexit(efface_liste);
    inscrit = 1;
    char dir[MAX_PATH] = "C:\\";
    if (lieu == 0) {
        dir[0] = (char)('A' + _getdrive() - 1);
    } else {
        DWORD n = GetTempPathA(sizeof dir, dir);
        if (n == 0 || n >= sizeof dir) return 0;
    }
    efface_listes_abandonnees(dir);
    if (GetTempFileNameA(dir, "qln", 0, nom_liste) != 0) {
        if (marque_fichier(nom_liste)) return 1;
        DeleteFileA(nom_liste);
    }
    nom_liste[0] = '\0';
    return 0;
}

// Writes the list of the files that match fnomm where it can be written whole: in the root,
// or, where the root is closed to the user (often so for ordinary users) or full, in the
// temporary directory. 1 when the list is open, rewound.
static int ecrit_liste(const char *fnomm, avertissement avertit) {
    for (int lieu = 0; lieu < 2; ++lieu) {
        if (!nomme_liste(lieu)) continue;
        liste = liste_fichiers(fnomm, nom_liste, avertit);
        if (liste != nullptr && !ferror(liste) && fflush(liste) == 0) {
            rewind(liste);
            return 1;
        }
        efface_liste();
    }
    return 0;
}

// The files of a directory are ignored: the user is told which directory.
static void signale_liste(avertissement avertit) {
    char ici[MAX_PATH];
    signale(avertit, err_liste, _getcwd(ici, sizeof ici) ? ici : ".", nullptr);
}

// One line of the list, cut at its carriage return: 1 for a line, 0 at the end. A line too
// long for the buffer is skipped whole (-1): a name is never split into two bogus names.
static int lit_ligne(FILE *f, char *ligne, int taille) {
    if (fgets(ligne, taille, f) == nullptr) return 0;
    size_t n = strlen(ligne);
    if ((n == 0 || ligne[n - 1] != '\n') && !feof(f)) {
        int c;
        while ((c = fgetc(f)) != EOF && c != '\n') {
        }
        return -1;
    }
    ligne[strcspn(ligne, "\r\n")] = '\0';
    return 1;
}

// The files of the current directory that match fnomm, until the user stops the command.
static void traite_fichiers(const char *fnomm, int backup, traitement traite,
                            avertissement avertit) {
    if (!ecrit_liste(fnomm, avertit)) {
        signale_liste(avertit);
        return;
    }
    curs_montre();
    lot_des_fichiers(1);
    char ligne[LG_LIGNE];
    int lu;
    while (!arret_demande() && (lu = lit_ligne(liste, ligne, sizeof ligne)) != 0) {
        if (lu > 0 && ligne[0] != '\0') traite(ligne, backup);
        curs_montre();
    }
    lot_des_fichiers(0);
    vide_repertoires(); // the directory's last file is done: its renames go to the disk
    int complete = !ferror(liste);
    efface_liste();
    if (!complete) signale_liste(avertit);
}

// A link to a directory (a reparse point) is not entered: it may lead out of the tree or
// back up into it, and a cycle of links would never end.
static int est_sous_repertoire(const WIN32_FIND_DATAA *e) {
    return (e->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
           (e->dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0 &&
           strcmp(e->cFileName, ".") != 0 && strcmp(e->cFileName, "..") != 0;
}

// Enters a subdirectory only when it can be read: an entered directory always lists "." at
// least, so an enumeration that finds nothing means the way in is closed.
static int entre(const char *nom, const char *ici) {
    if (_chdir(nom) != 0) return 0;
    WIN32_FIND_DATAA e;
    HANDLE h = FindFirstFileA("*.*", &e);
    if (h != INVALID_HANDLE_VALUE) {
        FindClose(h);
        return 1;
    }
    _chdir(ici);
    return 0;
}

static void parcours_dossier(const char *fnomm, int recurs, int backup, traitement traite,
                             avertissement avertit) {
    traite_fichiers(fnomm, backup, traite, avertit);
    if (!recurs || arret_demande()) return;

    // The walk comes back by this directory's full name rather than by "..", so that it
    // always returns exactly here, whatever happened below.
    char ici[MAX_PATH];
    int retour_possible = _getcwd(ici, sizeof ici) != nullptr;

    WIN32_FIND_DATAA e;
    HANDLE h = FindFirstFileA(fnomm, &e);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        if (!est_sous_repertoire(&e)) continue;
        if (arret_demande()) break;
        // A subdirectory that cannot be entered is skipped, and the user is told which.
        if (!retour_possible || !entre(e.cFileName, ici)) {
            signale(avertit, err_sousrep, e.cFileName, nullptr);
            continue;
        }
        curs_montre();
        parcours_dossier(fnomm, recurs, backup, traite, avertit);
        if (_chdir(ici) != 0) break; // this directory is gone: nothing more here
    } while (FindNextFileA(h, &e));
    FindClose(h);
}

void parcours(const char *fnomm, int recurs, int backup, traitement traite, avertissement avertit) {
    nb_lieux_vus = 0;
    parcours_dossier(fnomm, recurs, backup, traite, avertit);
}
