// Messages, progress, busy cursor and interruption for a program that runs in a console.
#include "io/console/iocons.h"
#include <atomic>
#include <direct.h>
#include <stdlib.h>
#include <string.h>
#include "io/io.h"
#include "io/iodlg.h"

#define DELAI_PROGRESSION 1000 // ms of a copy before its progress line shows: long copies only
#define PERIODE_PROGRESSION 200 // ms between two drawings of the line
#define LG_BARRE 30

static int silencieux;
static std::atomic<int> interrompu{0};
static char depart[MAX_PATH]; // the current folder at the start, from which folders are named

// Ctrl-C and Ctrl-Break come on a thread of their own: they only raise the flag that the work
// tests between its blocks and its files.
static BOOL WINAPI sur_ctrl_c(DWORD type) {
    if (type != CTRL_C_EVENT && type != CTRL_BREAK_EVENT) return FALSE;
    interrompu = 1;
    return TRUE;
}

void console_debut(int silence) {
    silencieux = silence;
    if (_getcwd(depart, sizeof depart) == nullptr) depart[0] = '\0';
    // Ctrl-C stops the work even where the program's parent had it ignored (a new process
    // group, a job started in the background).
    SetConsoleCtrlHandler(nullptr, FALSE);
    SetConsoleCtrlHandler(sur_ctrl_c, TRUE);
}

int console_interrompue(void) {
    return interrompu;
}

std::string texte_en_page(const char *texte, UINT page) {
    int n = MultiByteToWideChar(CP_ACP, 0, texte, -1, nullptr, 0);
    if (n <= 0) return texte;
    WCHAR *large = (WCHAR *)malloc((size_t)n * sizeof(WCHAR));
    std::string resultat = texte;
    if (large != nullptr && MultiByteToWideChar(CP_ACP, 0, texte, -1, large, n) == n) {
        int m = WideCharToMultiByte(page, 0, large, n, nullptr, 0, nullptr, nullptr);
        if (m > 0) {
            resultat.resize((size_t)m);
            WideCharToMultiByte(page, 0, large, n, &resultat[0], m, nullptr, nullptr);
            resultat.resize(strlen(resultat.c_str()));
        }
    }
    free(large);
    return resultat;
}

static HANDLE poignee(FILE *flux) {
    return GetStdHandle(flux == stdout ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
}

void console_ecrit(FILE *flux, const char *texte) {
    HANDLE h = poignee(flux);
    DWORD mode, ecrit;
    if (GetConsoleMode(h, &mode)) {
        std::string t = texte_en_page(texte, GetConsoleOutputCP());
        WriteConsoleA(h, t.data(), (DWORD)t.size(), &ecrit, nullptr);
    } else {
        fputs(texte, flux);
        fflush(flux);
    }
}

// A terminal the user watches, where a line may be drawn over again.
static int terminal(FILE *flux) {
    HANDLE h = poignee(flux);
    DWORD mode;
    return GetFileType(h) == FILE_TYPE_CHAR && GetConsoleMode(h, &mode);
}

// ---- Progress of a long copy

static int pas_total, pas_faits, ligne_montree;
static ULONGLONG debut_copie, dernier_dessin;

static void efface_progression(void) {
    if (!ligne_montree) return;
    char ligne[LG_BARRE + 16];
    memset(ligne, ' ', sizeof ligne - 2);
    ligne[0] = ligne[sizeof ligne - 2] = '\r';
    ligne[sizeof ligne - 1] = '\0';
    console_ecrit(stderr, ligne);
    ligne_montree = 0;
}

void init_progression(int tranches) {
    pas_total = tranches > 0 ? tranches : 1;
    pas_faits = 0;
    debut_copie = GetTickCount64();
    dernier_dessin = 0;
}

void avance_progression(void) {
    ++pas_faits;
    if (silencieux || !terminal(stderr)) return;
    ULONGLONG maintenant = GetTickCount64();
    if (maintenant - debut_copie < DELAI_PROGRESSION ||
        maintenant - dernier_dessin < PERIODE_PROGRESSION)
        return;
    dernier_dessin = maintenant;
    int fait = pas_faits < pas_total ? pas_faits : pas_total;
    char ligne[LG_BARRE + 16];
    int plein = fait * LG_BARRE / pas_total;
    snprintf(ligne, sizeof ligne, "\r[%.*s%*s] %3d %%", plein,
             "##############################", LG_BARRE - plein, "", fait * 100 / pas_total);
    console_ecrit(stderr, ligne);
    ligne_montree = 1;
}

void fin_progression(void) {
    efface_progression();
}

// ---- Messages

// The folder of the work, when it is not the one the program started in: beneath it, named
// from it; elsewhere, in full. "" when it is the start. Both names come from _getcwd, which
// spells a folder the same way each time.
static void dossier_courant(char *dossier, size_t taille) {
    char ici[MAX_PATH];
    dossier[0] = '\0';
    if (_getcwd(ici, sizeof ici) == nullptr || strcmp(ici, depart) == 0) return;
    size_t lg = strlen(depart);
    int dessous = lg > 0 && strncmp(ici, depart, lg) == 0 &&
                  (depart[lg - 1] == '\\' || ici[lg] == '\\');
    const char *nom = dessous ? ici + lg + (depart[lg - 1] == '\\' ? 0 : 1) : ici;
    snprintf(dossier, taille, "%s: ", nom);
}

static void message(const char *texte) {
    char dossier[MAX_PATH + 2];
    dossier_courant(dossier, sizeof dossier);
    efface_progression();
    std::string ligne = std::string(dossier) + texte + "\n";
    console_ecrit(stderr, ligne.c_str());
}

void bmess_fugace(HWND, const char *texte, const char *) {
    message(texte);
}

void bmess_permanent(HWND, const char *texte, const char *) {
    message(texte);
}

// The answer "do not tell again" when the user asked for silence.
int bmess_annulable(HWND, const char *texte, const char *) {
    if (silencieux) return 1;
    message(texte);
    return 0;
}

void sortie_erreur(const char *mes) {
    message(mes);
    exit(STATUT_FATAL);
}

// ---- The busy cursor, the keyboard and the interruption

void curs_montre(void) {
}

int teste_interruption(void) {
    return interrompu;
}

void vide_entrees(void) {
}
