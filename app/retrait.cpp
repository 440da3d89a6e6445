// Stripping the Quillon header of files, in place: only the bytes of the first fork remain.
#include <stdio.h>
#include <string.h>
#include <windows.h>
#include "app/quillon.h"
#include "app/remplace.h"
#include "io/iobit.h"
#include "io/iodlg.h"
#include "io/iofile.h"

int strip_header(const char *nom_fichier, int backup) {
    static int annul = 0;
    empreinte avant;
    FILE *fs = ouvre_source(nom_fichier, &avant, bmess_permanent);
    if (fs == nullptr) return 0;
    unsigned char bloc[LG_ENTETE];
    if (!lit_entete(fs, bloc)) {
        fclose(fs);
        signale_annulable(&annul, err_pasquillon, nom_fichier);
        return 0;
    }
    char nom_reel[LG_NOM_TRAVAIL];
    if (!nom_du_contenu(nom_fichier, fs, nom_reel, bmess_permanent)) {
        fclose(fs);
        return 0;
    }
    rub_quillon r;
    memcpy(&r, bloc, sizeof r);
    uint32_t longueur = swap32b(r.dlog);
    if (longueur == 0) longueur = swap32b(r.rlog);

    char nom_travail[LG_NOM_TRAVAIL];
    FILE *ft = cree_travail(nom_reel, nom_travail, bmess_permanent);
    if (ft == nullptr) {
        fclose(fs);
        return 0;
    }
    // The fork follows the header; one that the file holds only in part is kept as far as the
    // file goes.
    fseek(fs, LG_ENTETE, SEEK_SET);
    int copie = frecopie(fs, ft, longueur);
    if (copie == COPIE_INTERROMPUE) return abandonne_travail(fs, ft, nom_travail);
    return installe_travail(fs, ft, copie == 0, nom_reel, nom_travail, &avant, backup,
                            bmess_permanent);
}

int recurs_strip_header(const char *fnomm, int recurs, int backup) {
    debut_traitement();
    parcours(fnomm, recurs, backup, strip_header, bmess_permanent);
    fin_traitement();
    return 0;
}
