// Replacing a user's file in place: the converted content is written to a work file beside
// it, made durable, then put in place with one replacing rename, so that at every moment the
// file's name holds either its old or its new content, complete.
#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <io.h>
#include <windows.h>
#include "app/quillon.h"
#include "app/remplace.h"
#include "app/vidage.h"
#include "io/iodlg.h"
#include "io/iofile.h"

void signale(avertissement avertit, const char *format, const char *nom, const char *nom2) {
    vide_repertoires(); // what was replaced so far is on the disk before the user hears more
    char texte[1024];
    snprintf(texte, sizeof texte, format, nom, nom2 ? nom2 : "");
    avertit(hWndMain, texte, mess_info);
}

void signale_annulable(int *annul, const char *format, const char *nom) {
    if (*annul != 0) return;
    vide_repertoires();
    char texte[1024];
    snprintf(texte, sizeof texte, format, nom);
    *annul = bmess_annulable(hWndMain, texte, mess_info);
}

#define LG_TAMPON_FLUX (256 * 1024)
static char tampon_source[LG_TAMPON_FLUX], tampon_travail[LG_TAMPON_FLUX];

void tamponne_source(FILE *fs) {
    setvbuf(fs, tampon_source, _IOFBF, sizeof tampon_source);
}

// Bounded copy of a name; 0 when it does not fit whole.
static int copie_nom(char *dest, size_t taille, const char *nom) {
    return (size_t)snprintf(dest, taille, "%s", nom) < taille;
}

// Created new ("x"): a work file never empties a file that exists, whoever made it.
static const char ecriture_nouveau[] = "w+bx";

FILE *cree_travail(const char *nom_fichier, char *nom_travail, avertissement avertit) {
    // Room for the name, a dot and an extension of three characters.
    if (strlen(nom_fichier) + 5 > LG_NOM_TRAVAIL) {
        signale(avertit, err_remplace, nom_fichier, nullptr);
        return nullptr;
    }
    // "$$$" first; a file of that name may be the file itself (x.$$$) or one the user keeps:
    // the next free name of $01 ... $99 is taken instead.
    char ext[4] = "$$$";
    for (int n = 0; n < 100; ++n) {
        if (n > 0) {
            ext[1] = (char)('0' + n / 10);
            ext[2] = (char)('0' + n % 10);
        }
        copie_nom(nom_travail, LG_NOM_TRAVAIL, nom_fichier);
        // A character the ANSI code page cannot hold reaches the program as "?", which no
        // new name may contain: the work and backup names get "_" in its place.
        for (char *p = strchr(nom_travail, '?'); p != nullptr; p = strchr(p, '?')) *p = '_';
        extension(nom_travail, ext);
        FILE *ft = fopen(nom_travail, ecriture_nouveau);
        if (ft != nullptr) {
            setvbuf(ft, tampon_travail, _IOFBF, sizeof tampon_travail);
            return ft;
        }
        // Any failure but a taken name ends the program, as every checked open does.
        if (errno != EEXIST) sortie_erreur_fichier(nom_travail);
    }
    signale(avertit, err_remplace, nom_fichier, nullptr);
    return nullptr;
}

// Everything written must have reached the disk before the work file replaces anything:
// a write error may only show at the flush, at the commit or even at the close.
static int ferme_travail(FILE *fs, FILE *ft, int copie_ok) {
    int ok = copie_ok && !ferror(ft) && !ferror(fs);
    ok = ok && fflush(ft) == 0 && _commit(_fileno(ft)) == 0;
    if (fclose(ft) != 0) ok = 0;
    fclose(fs); // only read from: its close changes nothing on the disk
    return ok;
}

int installe_travail(FILE *fs, FILE *ft, int copie_ok, const char *nom_fichier,
                     const char *nom_travail, int backup, avertissement avertit) {
    if (!ferme_travail(fs, ft, copie_ok)) {
        DeleteFileA(nom_travail);
        signale(avertit, err_ecriture, nom_fichier, nullptr);
        return 0;
    }
    // The backup name is made to point at the former content while the file's own name
    // keeps it: a hard link, which an older backup of that name stops. Where the volume has
    // no hard links the file moves to the backup name instead, without replacing either.
    char nom_bak[LG_NOM_TRAVAIL];
    int lie = 0, deplace = 0;
    if (backup) {
        copie_nom(nom_bak, sizeof nom_bak, nom_travail);
        extension(nom_bak, "bak");
        if (CreateHardLinkA(nom_bak, nom_fichier, nullptr)) {
            lie = 1;
        } else if (GetFileAttributesA(nom_bak) != INVALID_FILE_ATTRIBUTES) {
            DeleteFileA(nom_travail);
            signale(avertit, err_sauvegarde, nom_bak, nom_fichier);
            return 0;
        } else if (MoveFileA(nom_fichier, nom_bak)) {
            deplace = 1;
        } else {
            DeleteFileA(nom_travail);
            signale(avertit, err_remplace, nom_fichier, nullptr);
            return 0;
        }
    }

    // The rename reaches the disk with its directory, flushed once after its last file.
    if (MoveFileExA(nom_travail, nom_fichier, MOVEFILE_REPLACE_EXISTING)) {
        repertoire_modifie(nom_fichier);
        return 1;
    }

    // Not replaced: the file's name must hold its content again before anything is said.
    DeleteFileA(nom_travail);
    if (deplace && !MoveFileA(nom_bak, nom_fichier)) {
        signale(avertit, err_restaure, nom_fichier, nom_bak);
        return 0;
    }
    if (lie) DeleteFileA(nom_bak);
    signale(avertit, err_remplace, nom_fichier, nullptr);
    return 0;
}
