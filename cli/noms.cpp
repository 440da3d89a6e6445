// The names on the command line: read in Unicode and given to the program in the ANSI code
// page, then each taken as a file, a folder or a mask.
#include <direct.h>
#include <string.h>
#include "app/quillon.h"
#include "cli/cli.h"

// ---- The arguments

// The text in the ANSI code page, without look-alikes for the characters it lacks; false when
// it lacks some.
static bool en_ansi(LPCWSTR large, std::string &ansi) {
    BOOL defaut = FALSE;
    int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, large, -1, nullptr, 0, nullptr,
                                &defaut);
    if (n <= 0) return false;
    ansi.resize((size_t)n);
    n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, large, -1, &ansi[0], n, nullptr,
                            &defaut);
    ansi.resize(n > 0 ? (size_t)n - 1 : 0);
    return n > 0 && !defaut;
}

// A name with characters the code page lacks reaches the file through the name the system
// gives it in the code page (its short name), which the file must have.
static argument argument_ansi(LPCWSTR large) {
    argument a;
    if (en_ansi(large, a.nom)) return a;
    a.exact = false;
    DWORD n = GetShortPathNameW(large, nullptr, 0);
    if (n == 0) {
        a.erreur = GetLastError();
        return a;
    }
    std::vector<WCHAR> court(n);
    std::string nom;
    n = GetShortPathNameW(large, court.data(), n);
    if (n == 0 || n >= court.size() || !en_ansi(court.data(), nom)) {
        a.erreur = ERROR_INVALID_NAME; // the volume gives it no name the code page holds
        return a;
    }
    a.nom = nom;
    a.exact = true;
    return a;
}

bool lit_arguments(std::vector<argument> &args) {
    int n = 0;
    LPWSTR *large = CommandLineToArgvW(GetCommandLineW(), &n);
    if (large == nullptr) return false;
    for (int i = 1; i < n; ++i) args.push_back(argument_ansi(large[i]));
    LocalFree(large);
    return true;
}

// ---- Files, folders and masks

static int est_separateur(char c) {
    return c == '\\' || c == '/';
}

// The pass under way: the folder as the user gave it (with its separator), and the folder the
// pass started in; names beneath it are given from there.
static std::string dossier_donne, dossier_passe;
static bool en_passe;
static char separateur = '\\';

std::string nom_pour_utilisateur(const char *nom) {
    if (!en_passe) return nom;
    char ici[MAX_PATH];
    std::string sous;
    if (_getcwd(ici, sizeof ici) != nullptr && strncmp(ici, dossier_passe.c_str(), dossier_passe.size()) == 0) {
        sous = ici + dossier_passe.size();
        while (!sous.empty() && est_separateur(sous[0])) sous.erase(0, 1);
        if (!sous.empty()) sous += '\\';
        for (char &c : sous)
            if (c == '\\') c = separateur;
    }
    return dossier_donne + sous + nom;
}

// The files of dossier (or of the current folder) that match motif, and with recurs those
// of its matching subfolders, worked on in that folder: the walk lists one folder and works
// on the names it lists where it stands.
static void passe(const std::string &dossier, const char *motif, const commande &c, int recurs,
                  int backup) {
    char depart[MAX_PATH];
    if (_getcwd(depart, sizeof depart) == nullptr) {
        signale(c.avertit, err_sousrep, ".", nullptr);
        return;
    }
    if (!dossier.empty() && _chdir(dossier.c_str()) != 0) {
        signale(c.avertit, err_sousrep, dossier.c_str(), nullptr);
        return;
    }
    char ici[MAX_PATH];
    dossier_passe = _getcwd(ici, sizeof ici) != nullptr ? ici : "";
    // The current folder, named ".", is no part of the names.
    dossier_donne = dossier == "." ? "" : dossier;
    if (!dossier_donne.empty() && !est_separateur(dossier.back()) && dossier.back() != ':')
        dossier_donne += separateur;
    en_passe = true;
    parcours(motif, recurs, backup, c.traite, c.avertit);
    en_passe = false;
    _chdir(depart);
}

void traite_nom(const argument &a, const commande &c, int recurs, int backup) {
    const char *nom = a.nom.c_str();
    separateur = strchr(nom, '/') != nullptr ? '/' : '\\';
    if (!a.exact) {
        SetLastError(a.erreur);
        signale_ouverture(c.avertit, nom);
        return;
    }
    // A name that exists is taken as it is, before it is read as a mask.
    DWORD att = GetFileAttributesA(nom);
    if (att != INVALID_FILE_ATTRIBUTES && (att & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        passe(a.nom, "*.*", c, recurs, backup);
        return;
    }
    const char *motif = nom_seul(nom);
    if (att != INVALID_FILE_ATTRIBUTES || strpbrk(motif, "*?") == nullptr) {
        c.traite(nom, backup); // a file; one that does not exist is told so
        return;
    }
    passe(std::string(nom, (size_t)(motif - nom)), motif, c, recurs, backup);
}
