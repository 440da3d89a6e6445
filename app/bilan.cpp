// The account of the command under way. The messages are kept in one growing text, as a list
// control shows them; past LG_LISTE_MAX bytes only the count grows.
#include "app/bilan.h"
#include <stdlib.h>
#include <string.h>

#define LG_LISTE_MAX (4u << 20)

static unsigned convertis, deja, problemes;
static char *liste;          // "" or the messages, each ended by CR LF
static size_t lg_liste, capacite;

void bilan_debut(void) {
    convertis = deja = problemes = 0;
    lg_liste = 0;
    if (liste != nullptr) liste[0] = '\0';
}

void bilan_converti(void) {
    ++convertis;
}

void bilan_deja(void) {
    ++deja;
}

// Appends texte and CR LF when they fit under the limit and the memory can be had.
static void ajoute_ligne(const char *texte) {
    size_t lg = strlen(texte) + 2;
    if (lg_liste + lg + 1 > LG_LISTE_MAX) return;
    if (lg_liste + lg + 1 > capacite) {
        size_t nouvelle = capacite ? capacite : 4096;
        while (nouvelle < lg_liste + lg + 1) nouvelle *= 2;
        char *p = (char *)realloc(liste, nouvelle);
        if (p == nullptr) return;
        liste = p;
        capacite = nouvelle;
    }
    memcpy(liste + lg_liste, texte, lg - 2);
    memcpy(liste + lg_liste + lg - 2, "\r\n", 3);
    lg_liste += lg;
}

void bilan_probleme(const char *texte) {
    ++problemes;
    ajoute_ligne(texte);
}

unsigned bilan_convertis(void) {
    return convertis;
}

unsigned bilan_deja_faits(void) {
    return deja;
}

unsigned bilan_problemes(void) {
    return problemes;
}

const char *bilan_liste(void) {
    return liste != nullptr ? liste : "";
}
