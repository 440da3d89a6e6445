// The marks of the program's own files, and what a pass makes of a file named like one.
#include <ctype.h>
#include <direct.h>
#include <stdio.h>
#include <string.h>
#include <windows.h>
#include "app/remplace.h"
#include "app/restes.h"
#include "io/iofile.h"

// The stream that holds the mark, and the first line of its text.
static const char flux_marque[] = ":Quillon";
static const char entete_marque[] = "Quillon";

// ---- Names

// The work names of cree_travail: a dot, "$", then "$$" or two digits.
static int nom_de_travail(const char *seul, size_t n) {
    if (n < 4 || seul[n - 4] != '.' || seul[n - 3] != '$') return 0;
    return (seul[n - 2] == '$' && seul[n - 1] == '$') ||
           (isdigit((unsigned char)seul[n - 2]) && isdigit((unsigned char)seul[n - 1]));
}

// The names GetTempFileNameA gives a pass's list: "qln", one to four hexadecimal digits,
// ".tmp".
static int nom_de_liste(const char *seul, size_t n) {
    if (n < 8 || n > 11 || _strnicmp(seul, "qln", 3) != 0 || _stricmp(seul + n - 4, ".tmp") != 0)
        return 0;
    for (size_t i = 3; i < n - 4; ++i)
        if (!isxdigit((unsigned char)seul[i])) return 0;
    return 1;
}

static int nom_du_programme(const char *nom) {
    const char *seul = nom_seul(nom);
    size_t n = strlen(seul);
    return nom_de_travail(seul, n) || nom_de_liste(seul, n);
}

// ---- Volumes

// Whether the volume holding nom keeps named streams. The answer of the last directory asked
// about is kept: a pass asks for each of its files in turn.
static int marques_possibles(const char *nom) {
    static char dossier_connu[MAX_PATH + 1] = "";
    static int reponse = 0;
    char dossier[MAX_PATH + 1];
    const char *seul = nom_seul(nom);
    if (seul != nom) {
        snprintf(dossier, sizeof dossier, "%.*s", (int)(seul - nom), nom);
    } else if (_getcwd(dossier, sizeof dossier) == nullptr) {
        return 0;
    }
    if (strcmp(dossier, dossier_connu) == 0) return reponse;
    char racine[MAX_PATH + 1];
    DWORD drapeaux = 0;
    reponse = GetVolumePathNameA(nom, racine, sizeof racine) &&
              GetVolumeInformationA(racine, nullptr, 0, nullptr, nullptr, &drapeaux, nullptr, 0) &&
              (drapeaux & FILE_NAMED_STREAMS) != 0;
    snprintf(dossier_connu, sizeof dossier_connu, "%s", dossier);
    return reponse;
}

// nom's mark stream in flux; 0 when the name does not fit.
static int nom_du_flux(char *flux, size_t taille, const char *nom) {
    return (size_t)snprintf(flux, taille, "%s%s", nom, flux_marque) < taille;
}

// ---- The runs of the program

// A run: the machine, the process's number and the time it started (which tells it from a
// later process given the same number).
typedef struct {
    char machine[MAX_COMPUTERNAME_LENGTH + 1];
    unsigned long numero, debut_haut, debut_bas;
} execution;

static const execution *cette_execution(void) {
    static execution moi;
    static int connue = 0;
    if (!connue) {
        DWORD lg = sizeof moi.machine;
        if (!GetComputerNameA(moi.machine, &lg)) snprintf(moi.machine, sizeof moi.machine, "?");
        moi.numero = GetCurrentProcessId();
        FILETIME debut = {0, 0}, f, k, u;
        GetProcessTimes(GetCurrentProcess(), &debut, &f, &k, &u);
        moi.debut_haut = debut.dwHighDateTime;
        moi.debut_bas = debut.dwLowDateTime;
        connue = 1;
    }
    return &moi;
}

// Whether the run still goes on. A process that cannot be asked about (another machine's,
// another user's) is taken as going on: its files are kept.
static int en_cours(const execution *e) {
    if (strcmp(e->machine, cette_execution()->machine) != 0) return 1;
    HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, (DWORD)e->numero);
    if (h == nullptr) return GetLastError() != ERROR_INVALID_PARAMETER;
    FILETIME debut, f, k, u;
    int meme = !GetProcessTimes(h, &debut, &f, &k, &u) ||
               (debut.dwHighDateTime == e->debut_haut && debut.dwLowDateTime == e->debut_bas);
    CloseHandle(h);
    return meme;
}

// ---- Marks

int marque_fichier(const char *nom) {
    if (!marques_possibles(nom)) return 1;
    char flux[LG_NOM_TRAVAIL + sizeof flux_marque];
    if (!nom_du_flux(flux, sizeof flux, nom)) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return 0;
    }
    const execution *moi = cette_execution();
    FILE *f = fopen(flux, "wb");
    if (f == nullptr) return 0;
    int ok = fprintf(f, "%s\n%s %lu %lu %lu\n%s", entete_marque, moi->machine, moi->numero,
                     moi->debut_haut, moi->debut_bas, nom_seul(nom)) > 0;
    if (fclose(f) != 0) ok = 0;
    if (!ok) DeleteFileA(flux);
    return ok;
}

void demarque_fichier(const char *nom) {
    char flux[LG_NOM_TRAVAIL + sizeof flux_marque];
    if (marques_possibles(nom) && nom_du_flux(flux, sizeof flux, nom)) DeleteFileA(flux);
}

nature_fichier nature(const char *nom) {
    if (!nom_du_programme(nom)) return FICHIER_UTILISATEUR;
    if (!marques_possibles(nom)) return FICHIER_DOUTEUX;
    char flux[LG_NOM_TRAVAIL + sizeof flux_marque];
    FILE *f = nom_du_flux(flux, sizeof flux, nom) ? fopen(flux, lectseule) : nullptr;
    if (f == nullptr) return FICHIER_UTILISATEUR; // no mark: no file of the program's
    // The program's marks are short texts: a longer stream, or one holding a zero, is none.
    char texte[512];
    size_t lu = fread(texte, 1, sizeof texte, f);
    fclose(f);
    if (lu == sizeof texte) return FICHIER_UTILISATEUR;
    texte[lu] = '\0';
    if (strlen(texte) != lu) return FICHIER_UTILISATEUR;
    // The mark names the file it was made for, on its last line: a file renamed since (a work
    // file put in the user's file's place, then the program stopped) is that file no longer.
    execution e;
    const size_t lg_entete = sizeof entete_marque - 1;
    const char *son_nom = strchr(texte, '\n');
    son_nom = son_nom != nullptr ? strchr(son_nom + 1, '\n') : nullptr;
    if (son_nom == nullptr || strncmp(texte, entete_marque, lg_entete) != 0 ||
        texte[lg_entete] != '\n' ||
        sscanf(texte + lg_entete + 1, "%15s %lu %lu %lu", e.machine, &e.numero, &e.debut_haut,
               &e.debut_bas) != 4 ||
        _stricmp(son_nom + 1, nom_seul(nom)) != 0)
        return FICHIER_UTILISATEUR;
    return en_cours(&e) ? FICHIER_EN_COURS : FICHIER_ABANDONNE;
}
