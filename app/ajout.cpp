// Adding a Quillon header to plain PC files, in place: the header, then the file's bytes.
#include <stdio.h>
#include <string.h>
#include <ctype.h>
#include <direct.h>
#include <io.h>
#include <windows.h>
#include "app/quillon.h"
#include "app/remplace.h"
#include "io/iodlg.h"
#include "io/iofile.h"

int add_header(const char *nom_fichier, int backup) {
    static int annul = 0;
    FILE *fs = fopen(nom_fichier, lecture);
    if (fs == nullptr) {
        signale_ouverture(bmess_fugace, nom_fichier);
        return 0;
    }
    tamponne_source(fs);
    if (is_quillon(fs)) {
        fclose(fs);
        signale_annulable(&annul, err_dejabin, nom_fichier);
        return 0;
    }
    char nom_reel[LG_NOM_TRAVAIL];
    if (!nom_du_contenu(nom_fichier, fs, nom_reel, bmess_fugace)) {
        fclose(fs);
        return 0;
    }
    LARGE_INTEGER taille;
    if (!GetFileSizeEx((HANDLE)_get_osfhandle(_fileno(fs)), &taille)) {
        fclose(fs);
        signale_ouverture(bmess_fugace, nom_fichier);
        return 0;
    }
    // The header's length is 32 bits: a larger file would get a header that lies.
    unsigned long long longueur = (unsigned long long)taille.QuadPart;
    if (longueur > LG_MAX_FICHIER) {
        fclose(fs);
        signale(bmess_fugace, err_tropgros, nom_fichier, nullptr);
        return 0;
    }
    char nom_travail[LG_NOM_TRAVAIL];
    FILE *ft = cree_travail(nom_reel, nom_travail, bmess_fugace);
    if (ft == nullptr) {
        fclose(fs);
        return 0;
    }
    // The header carries the name of the file that holds the content, as its folder lists it.
    int ecrit = calcule_binary(fs, ft, nom_seul(nom_reel), (uint32_t)longueur) == 1;
    int copie = frecopie(fs, ft, (uint32_t)longueur);
    if (copie == COPIE_INTERROMPUE) return abandonne_travail(fs, ft, nom_travail);
    // A file that ends before its length (shortened meanwhile) would leave a header that
    // promises bytes the copy lacks.
    int ok = ecrit && copie == 0 && !feof(fs);
    return installe_travail(fs, ft, ok, nom_reel, nom_travail, backup, bmess_fugace);
}

int recurs_add_header(const char *fnomm, int recurs, int backup) {
    debut_traitement();
    parcours(fnomm, recurs, backup, add_header, bmess_fugace);
    fin_traitement();
    return 0;
}

// The volume-label bit of the DOS attributes: such an entry is no file.
static const DWORD ATTR_VOLUME = 0x08;

// Names are compared as Windows does, without regard to case.
static int memes_noms(const char *a, const char *b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b)
        if (toupper((unsigned char)*a) != toupper((unsigned char)*b)) return 0;
    return *a == *b;
}

// When the list lies in the directory it lists (the root of the drive, or the temporary
// directory), the pattern may find the list itself, which is no file of the user's. The
// list's name is a full one ("C:\\tmp\\qln1.tmp"); the current directory is "C:\\" or
// "C:\\dir".
static int est_la_liste(const char *nom, const char *nomfich) {
    const char *seul = strrchr(nomfich, '\\');
    if (seul == nullptr || !memes_noms(nom, seul + 1)) return 0;
    char dir[MAX_PATH], ici[MAX_PATH];
    size_t lg = (size_t)(seul - nomfich);
    if (lg + 2 > sizeof dir || _getcwd(ici, sizeof ici) == nullptr) return 0;
    memcpy(dir, nomfich, lg);
    dir[lg] = '\0';
    if (lg == 2) strcpy(dir + 2, "\\"); // the root: "C:\\"
    return memes_noms(dir, ici);
}

FILE *liste_fichiers(const char *nf, const char *nomfich, avertissement avertit) {
    FILE *f = fopen(nomfich, ecriture);
    if (f == nullptr) return nullptr;
    WIN32_FIND_DATAA e;
    HANDLE h = FindFirstFileA(nf, &e);
    if (h == INVALID_HANDLE_VALUE) return f;
    do {
        if ((e.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | ATTR_VOLUME)) != 0) continue;
        if (est_la_liste(e.cFileName, nomfich)) continue;
        // One name per line: a name holding a line break could not be read back whole.
        if (strpbrk(e.cFileName, "\r\n") != nullptr) {
            signale(avertit, err_nomsaut, e.cFileName, nullptr);
            continue;
        }
        fputs(e.cFileName, f);
        fputs("\r\n", f);
    } while (FindNextFileA(h, &e));
    FindClose(h);
    return f;
}
