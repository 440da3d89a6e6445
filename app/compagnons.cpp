// The files the program comes with, beside it: its help and its signature file.
#include <windows.h>
#include <stdio.h>
#include <string.h>
#include "app/quillon.h"
#include "app/remplace.h"
#include "io/iofile.h"

#define LG_EXT 4 // the dot and the three letters that extension may append

const char *nom_compagnons = nullptr;

// A path that does not fit comes back cut, and without its terminator on older Windows: it
// is refused, since a cut path names another file.
int nom_compagnon(char *nom, size_t taille, const char *ext) {
    if (taille < LG_EXT + 2) return 0;
    DWORD place = (DWORD)(taille - LG_EXT - 1);
    DWORD lg = GetModuleFileNameA(nullptr, nom, place);
    if (lg == 0 || lg >= place) return 0;
    nom[lg] = '\0';
    if (nom_compagnons != nullptr) {
        char *seul = (char *)nom_seul(nom);
        size_t reste = place - (size_t)(seul - nom);
        if ((size_t)snprintf(seul, reste, "%s", nom_compagnons) >= reste) return 0;
    }
    extension(nom, ext);
    return 1;
}

void nomme_aide(void) {
    if (!nom_compagnon(nom_faide, sizeof nom_faide, "HTM")) nom_faide[0] = '\0';
}
