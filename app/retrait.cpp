// Stripping the Quillon header of files, in place: only the bytes of the first fork remain.
#include <stddef.h>
#include <stdio.h>
#include <string.h>
#include <windows.h>
#include "app/quillon.h"
#include "app/remplace.h"
#include "io/iobit.h"
#include "io/iodlg.h"
#include "io/iofile.h"

// Adding a header to an empty file gives a header that announces no fork, which detection
// does not take for Quillon; stripping must still give the empty file back. Only exactly what
// this program writes for an empty file is taken for it: nothing after the header, zeros
// where it writes zeros, and the modification date one second after the creation date.
static int entete_de_fichier_vide(const unsigned char *bloc, FILE *fs) {
    rub_quillon r;
    memcpy(&r, bloc, sizeof r);
    static const unsigned char zeros[LG_ENTETE] = {0};
    return r.zero == 0 && r.lgnom != 0 && r.lgnom <= LG_NOM_MAC && r.dcreat != 0 &&
           swap32b(r.dmodif) == swap32b(r.dcreat) + 1 && r.dlog == 0 && r.rlog == 0 &&
           memcmp(bloc + offsetof(rub_quillon, fatt), zeros,
                  offsetof(rub_quillon, dlog) - offsetof(rub_quillon, fatt)) == 0 &&
           memcmp(bloc + sizeof r, zeros, LG_ENTETE - sizeof r) == 0 && fgetc(fs) == EOF;
}

int strip_header(const char *nom_fichier, int backup) {
    static int annul = 0;
    FILE *fs = fopen(nom_fichier, lecture);
    if (fs == nullptr) {
        signale(bmess_permanent, err_fichier, nom_fichier, nullptr);
        return 0;
    }
    tamponne_source(fs);
    // A file shorter than a header holds no fork at all: it is not Quillon either.
    int quillon = is_quillon(fs);
    unsigned char bloc[LG_ENTETE];
    if (fread(bloc, 1, sizeof bloc, fs) != sizeof bloc ||
        !(quillon || entete_de_fichier_vide(bloc, fs))) {
        fclose(fs);
        signale_annulable(&annul, err_pasquillon, nom_fichier);
        return 0;
    }
    rub_quillon r;
    memcpy(&r, bloc, sizeof r);
    uint32_t longueur = swap32b(r.dlog);
    if (longueur == 0) longueur = swap32b(r.rlog);

    char nom_travail[LG_NOM_TRAVAIL];
    FILE *ft = cree_travail(nom_fichier, nom_travail, bmess_permanent);
    if (ft == nullptr) {
        fclose(fs);
        return 0;
    }
    // A fork that the file holds only in part is kept as far as the file goes.
    int ok = frecopie(fs, ft, longueur) == 0;
    return installe_travail(fs, ft, ok, nom_fichier, nom_travail, backup, bmess_permanent);
}

int recurs_strip_header(const char *fnomm, int recurs, int backup) {
    parcours(fnomm, recurs, backup, strip_header, bmess_permanent);
    return 0;
}
