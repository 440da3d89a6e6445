// The examination of a header: the file read, and what it holds as text, as the examination
// dialog and the command line show it alike.
#include <stdio.h>
#include <string.h>
#include "app/quillon.h"
#include "app/remplace.h"
#include "io/iobit.h"
#include "io/iodlg.h"
#include "io/iofile.h"
#include "io/mac2pc.h"

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

void date_iso(char *ligne, size_t taille, uint32_t valeur) {
    const struct tm *t = conv_datemac(valeur);
    snprintf(ligne, taille, "%04d-%02d-%02dT%02d:%02d:%02d", t->tm_year + 1900, t->tm_mon,
             t->tm_mday, t->tm_hour, t->tm_min, t->tm_sec);
}

// A fixed field of n characters as text: it stops at its first zero byte.
static void texte_champ(char *dst, const char *champ, size_t n) {
    memset(dst, 0, n + 1);
    strncpy(dst, champ, n);
}

static void texte_date(char *ligne, uint32_t valeur) {
    memset(ligne, ' ', LG_DATE);
    ligne[LG_DATE] = '\0';
    aff_date(ligne, valeur);
}

static void remplit_fiche(fiche_entete *f) {
    const rub_quillon *r = &f->entete;
    // The name field holds 63 bytes: a longer announced length shows those 63.
    size_t lg = r->lgnom < sizeof r->nom ? r->lgnom : sizeof r->nom;
    texte_champ(f->nom, r->nom, lg);
    strcnv(f->nom, f->nom, MAC2SCREEN);
    texte_champ(f->type, r->ftype, LG_CODE);
    texte_champ(f->createur, r->fcret, LG_CODE);
    texte_date(f->creation, r->dcreat);
    texte_date(f->modification, r->dmodif);
    char cle[2 * LG_CODE + 1];
    memset(cle, 0, sizeof cle);
    strncpy(cle, r->ftype, LG_CODE);
    strncpy(cle + LG_CODE, r->fcret, LG_CODE);
    f->identification = select_type(cle);
}

int lit_fiche(const char *nom_fichier, fiche_entete *fiche) {
    static int annul = 0;
    FILE *f = fopen(nom_fichier, lecture);
    if (!f) {
        signale_ouverture(bmess_fugace, nom_fichier);
        return 0;
    }
    // The same verdict as stripping: what one shows, the other strips.
    unsigned char bloc[LG_ENTETE];
    int quillon = lit_entete(f, bloc);
    fclose(f);
    if (!quillon) {
        signale_annulable(&annul, err_pasquillon, nom_fichier);
        return 0;
    }
    memcpy(&fiche->entete, bloc, sizeof fiche->entete);
    remplit_fiche(fiche);
    return 1;
}
