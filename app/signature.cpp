// Signature files: descriptions of Macintosh file types and creators, read from a user's
// ".sig" file in the current directory at the first examination, and kept for the run. Until
// a folder gives one, the file installed with the program serves, and each examination looks
// again for a folder's own.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "app/quillon.h"
#include "io/iodlg.h"
#include "io/iofile.h"
#include "io/iostring.h"

mac_sign *pSign = nullptr;
char nom_fichier_sign[256];
static int table_livree = 0; // pSign holds the table of the file installed with the program

#define LG_MORCEAU 79     // a signature line is read this many characters at a time
#define NB_LIGNES_SIGN 63 // data lines taken from a file, after the built-in record 0
#define LG_CHAMP_SIG 8    // file type and creator, 4 characters each

static const char titre_sign[] = "Ouvrir un fichier de signatures";
static const char filtre_sign[] = "Fichiers de signatures [*.sig]\0*.sig\0";

// ---- Lookup

// One pass over the table: the first record whose signature agrees with the key over n
// characters. A record without description ends the table and is itself never matched:
// its empty text is no description to show.
static const char *passe(const char *cle, size_t n) {
    for (int i = 0; i < NB_SIGNATURES && pSign[i].com[0] != '\0'; ++i)
        if (strncmp(pSign[i].sig, cle, n) == 0) return pSign[i].com;
    return nullptr;
}

const char *select_type(const char *sig) {
    if (!pSign || table_livree) compile_creat();
    if (!pSign) return type_text;
    char cle[LG_CHAMP_SIG + 1];
    strncpy(cle, sig, LG_CHAMP_SIG);
    cle[LG_CHAMP_SIG] = '\0';
    // Whole signature, then the file type, then its first two characters.
    const size_t longueurs[] = {sizeof cle, 4, 2};
    for (size_t n : longueurs) {
        const char *com = passe(cle, n);
        if (com) return com;
    }
    return pSign[0].com;
}

// ---- Loading

// Parses one data line (leading blanks already removed) into rec:
// extension, comma, 8 characters of type and creator, then after the next comma the
// description. The field has a fixed width, so a short one swallows what follows it.
static void analyse_ligne(const char *ligne, mac_sign *rec) {
    const char *virgule = strchr(ligne, ',');
    if (!virgule) {
        memcpy(rec->sig, ligne, strnlen(ligne, LG_CHAMP_SIG)); // the record is zero-filled
        return;
    }
    size_t lg_ext = (size_t)(virgule - ligne);
    if (lg_ext > sizeof rec->ext - 1) lg_ext = sizeof rec->ext - 1;
    memcpy(rec->ext, ligne, lg_ext);
    const char *champ = virgule + 1;
    strncpy(rec->sig, champ, LG_CHAMP_SIG);
    if (strlen(rec->sig) < LG_CHAMP_SIG) return;
    const char *separateur = strchr(champ + LG_CHAMP_SIG, ',');
    if (separateur) strncpy(rec->com, separateur + 1, sizeof rec->com - 1);
}

// Reads up to 63 data lines into records 1 to 63 of table; comments and empty lines do not
// count.
static void lit_signatures(FILE *f, mac_sign *table) {
    char ligne[LG_MORCEAU + 1];
    int restant = NB_LIGNES_SIGN;
    mac_sign *rec = table + 1;
    while (restant != 0 && fgets(ligne, sizeof ligne, f)) {
        if (ligne[0] == '#') continue;
        char *cr = strchr(ligne, '\r');
        if (cr) *cr = '\0';
        if (ligne[0] == '\0') continue;
        --restant;
        tronq_espaces_debut(ligne);
        analyse_ligne(ligne, rec++);
    }
}

// Reads the table from nom_fichier_sign, opened in mode, in place of the one loaded; livree:
// it is the file installed with the program. 1 when it is loaded.
static int charge_table(const char *mode, int livree) {
    if (nom_fichier_sign[0] == '\0') return 0;
    FILE *f = fopen(nom_fichier_sign, mode);
    if (!f) return 0;
    mac_sign *table = (mac_sign *)calloc(NB_SIGNATURES, sizeof(mac_sign));
    if (!table) {
        fclose(f);
        return 0;
    }
    strncpy(table[0].ext, table_creat[0].e, sizeof table[0].ext - 1);
    memcpy(table[0].sig, table_creat[0].ct, sizeof table[0].sig); // 8 characters and the zero
    strncpy(table[0].com, type_text, sizeof table[0].com - 1);
    lit_signatures(f, table);
    fclose(f);
    free(pSign);
    pSign = table;
    table_livree = livree;
    return 1;
}

// A folder's own signature file is opened as the program opens every file it reads ("r+b");
// the one installed with the program, which the user may not write, for reading only. A
// folder's table replaces the installed one and is kept for the run.
void compile_creat(void) {
    int n = comptage_fichiers(nom_fichier_sign, "*.sig");
    if (n > 1 && !OFN_Open(hWndMain, nom_fichier_sign, "*.sig", titre_sign, filtre_sign)) return;
    // A folder without a signature file of its own reads the one that comes with the program.
    int livree = n == 0;
    if (livree && (pSign != nullptr || !nom_compagnon(nom_fichier_sign, sizeof nom_fichier_sign, "sig")))
        return;
    charge_table(livree ? lectseule : lecture, livree);
}

// A file the user names is only read, and serves the whole run: it may be one the user
// cannot write.
int charge_signatures(const char *nom) {
    if (pSign != nullptr || strlen(nom) >= sizeof nom_fichier_sign) return 0;
    strcpy(nom_fichier_sign, nom);
    return charge_table(lectseule, 0);
}

// Files (not directories, not volume labels) matching mask; the last one's name goes into
// nom (256 bytes). A name too long for nom cannot be opened from it and is not counted.
int comptage_fichiers(char *nom, const char *mask) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(mask, &fd);
    if (h == INVALID_HANDLE_VALUE) return 0;
    int n = 0;
    do {
        if (!est_fichier(fd.dwFileAttributes)) continue;
        if (strlen(fd.cFileName) >= sizeof nom_fichier_sign) continue;
        strcpy(nom, fd.cFileName);
        ++n;
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return n;
}
