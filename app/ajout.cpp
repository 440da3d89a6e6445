// Adding a Quillon header to plain PC files, in place: the header, then the file's bytes.
#include <stdio.h>
#include <string.h>
#include <ctype.h>
#include <direct.h>
#include <io.h>
#include <windows.h>
#include "app/quillon.h"
#include "app/remplace.h"
#include "app/restes.h"
#include "io/iodlg.h"
#include "io/iofile.h"

int add_header(const char *nom_fichier, int backup) {
    static int annul = 0;
    empreinte avant;
    FILE *fs = ouvre_source(nom_fichier, &avant, bmess_fugace);
    if (fs == nullptr) return 0;
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
    // The header's length is 32 bits: a larger file would get a header that lies.
    unsigned long long longueur = avant.taille;
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
    // The header describes the file as the user sees it listed: a link gives its own name and
    // type, while its content is converted where it lies.
    int ecrit = calcule_binary(fs, ft, nom_seul(nom_fichier), (uint32_t)longueur) == 1;
    int copie = frecopie(fs, ft, (uint32_t)longueur);
    if (copie == COPIE_INTERROMPUE) return abandonne_travail(fs, ft, nom_travail);
    // A file that ends before its length (shortened meanwhile) would leave a header that
    // promises bytes the copy lacks.
    int ok = ecrit && copie == 0 && !feof(fs);
    return installe_travail(fs, ft, ok, nom_reel, nom_travail, &avant, backup, bmess_fugace);
}

int recurs_add_header(const char *fnomm, int recurs, int backup) {
    debut_traitement();
    parcours(fnomm, recurs, backup, add_header, bmess_fugace);
    fin_traitement();
    return 0;
}

// The volume-label bit of the DOS attributes: such an entry is no file.
static const DWORD ATTR_VOLUME = 0x08;

// When the list lies in the directory it lists (the root of the drive, or the temporary
// directory), the pattern may find the list itself, which is no file of the user's. The
// list's name is a full one ("C:\\tmp\\qln1.tmp"); the current directory is "C:\\" or
// "C:\\dir". Names are compared as Windows does, without regard to case.
static int est_la_liste(const char *nom, const char *nomfich) {
    const char *seul = strrchr(nomfich, '\\');
    if (seul == nullptr || _stricmp(nom, seul + 1) != 0) return 0;
    char dir[MAX_PATH], ici[MAX_PATH];
    size_t lg = (size_t)(seul - nomfich);
    if (lg + 2 > sizeof dir || _getcwd(ici, sizeof ici) == nullptr) return 0;
    memcpy(dir, nomfich, lg);
    dir[lg] = '\0';
    if (lg == 2) strcpy(dir + 2, "\\"); // the root: "C:\\"
    return _stricmp(dir, ici) == 0;
}

// The program's own files are never the user's: what a run that has ended left goes, what a
// running copy uses stays, and where the volume cannot tell them (no marks), files named like
// them are left alone, and the user is told once for the directory.
FILE *liste_fichiers(const char *nf, const char *nomfich, avertissement avertit) {
    FILE *f = fopen(nomfich, ecriture);
    if (f == nullptr) return nullptr;
    WIN32_FIND_DATAA e;
    HANDLE h = FindFirstFileA(nf, &e);
    if (h == INVALID_HANDLE_VALUE) return f;
    char douteux[MAX_PATH] = "";
    do {
        if ((e.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | ATTR_VOLUME)) != 0) continue;
        if (est_la_liste(e.cFileName, nomfich)) continue;
        nature_fichier n = nature(e.cFileName);
        if (n == FICHIER_ABANDONNE) DeleteFileA(e.cFileName);
        if (n == FICHIER_DOUTEUX && douteux[0] == '\0')
            snprintf(douteux, sizeof douteux, "%s", e.cFileName);
        if (n != FICHIER_UTILISATEUR) continue;
        // One name per line: a name holding a line break could not be read back whole.
        if (strpbrk(e.cFileName, "\r\n") != nullptr) {
            signale(avertit, err_nomsaut, e.cFileName, nullptr);
            continue;
        }
        fputs(e.cFileName, f);
        fputs("\r\n", f);
    } while (FindNextFileA(h, &e));
    FindClose(h);
    if (douteux[0] != '\0') {
        char ici[MAX_PATH];
        signale(avertit, err_douteux, douteux, _getcwd(ici, sizeof ici) ? ici : ".");
    }
    return f;
}
