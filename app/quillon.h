// The Quillon engine and the program's globals.
#ifndef QUILLON_APP_QUILLON_H
#define QUILLON_APP_QUILLON_H

#include <stdio.h>
#include <stdint.h>
#include <time.h>
#include <windows.h>
#include "io/io.h"

// ---- The header record: the first 99 bytes of the 128-byte header block, as on disk.
// Numbers are big-endian; each is converted with swap32b when it is read or written.
#define LG_ENTETE 128
#define LG_NOM_MAC 32 // the longest name this program writes into a header

#pragma pack(push, 1)
typedef struct {
    unsigned char zero;  // version byte: 0
    unsigned char lgnom; // length of the name
    char nom[63];        // Macintosh name, Mac OS Roman
    char ftype[4];       // file type
    char fcret[4];       // creator
    unsigned char fatt;  // Finder flags
    unsigned char zero2;
    uint16_t posv; // icon position in its window
    uint16_t posh;
    uint16_t wid; // window (folder) identifier
    unsigned char prot;
    unsigned char zero3;
    uint32_t dlog;   // data fork length
    uint32_t rlog;   // resource fork length
    uint32_t dcreat; // creation date, seconds since 1904-01-01
    uint32_t dmodif; // modification date
} rub_quillon;
#pragma pack(pop)

extern const short mos[13];  // days before each month, common years
extern const short lmos[13]; // the same, leap years

int is_quillon(FILE *f);
// What stripping and examining take for a header: a Quillon header, or the one this program
// writes for an empty file (which adding, as is_quillon, does not take for one). Reads the
// 128-byte block into bloc from where f stands (its start); 1 when it is one.
int lit_entete(FILE *f, unsigned char *bloc);
uint32_t mgetftime(int handle);
struct tm *conv_datemac(uint32_t valeur);
int _daysto(int year, int mon);

// ---- Building a header for a PC file
typedef struct {
    char e[4];  // extension, upper case, at most 3 characters
    char ct[9]; // file type then creator, 4 characters each
} creatype;

extern const creatype table_creat[40];

const char *calcule_createur(const char *fnom);
size_t calcule_binary(FILE *fs, FILE *fd, const char *fnom, uint32_t longueur);

// ---- Adding and stripping headers in place
int add_header(const char *nom_fichier, int backup);
int recurs_add_header(const char *fnomm, int recurs, int backup);
// The list tells the user, through avertit (bmess_fugace or bmess_permanent), of the names it
// cannot hold.
FILE *liste_fichiers(const char *nf, const char *nomfich,
                     void (*avertit)(HWND hWnd, const char *texte, const char *titre));
int strip_header(const char *nom_fichier, int backup);
int recurs_strip_header(const char *fnomm, int recurs, int backup);

// ---- Stopping the work (Escape): a command over several files calls debut_traitement first,
// arret_demande before each file (1: stop there), and fin_traitement at its end; a copy that
// the user stopped calls marque_arret.
void debut_traitement(void);
int arret_demande(void);
void marque_arret(void);
void fin_traitement(void);

// ---- Examining a header
#define LG_DATE 15 // "dd/mm/yy hh:mm" and a blank
#define LG_CODE 4  // a file type or a creator

// What the examination shows of a header, as text in the Windows character set, and the
// header it comes from: the dialog and the command line show the same.
typedef struct {
    rub_quillon entete;
    char nom[64]; // the Macintosh name (its field holds 63 bytes), for the screen
    char type[LG_CODE + 1];
    char createur[LG_CODE + 1];
    const char *identification; // from the signature table: valid until the program ends
    char creation[LG_DATE + 1];
    char modification[LG_DATE + 1];
} fiche_entete;

// Reads the header of nom_fichier into fiche: 1; 0 when the file cannot be opened or is not
// a Quillon file, after telling the user (the second message may be silenced for the run).
int lit_fiche(const char *nom_fichier, fiche_entete *fiche);
int display_header(const char *nom_fichier);
INT_PTR CALLBACK dlg_Attributs(HWND hDlg, UINT wMess, WPARAM wParam, LPARAM lParam);
void aff_date(char *ligne, uint32_t valeur);
// A date of a header as ISO 8601 local time, "2000-01-01T00:00:00" (taille: 20 at least).
void date_iso(char *ligne, size_t taille, uint32_t valeur);

// ---- Signature files
typedef struct {
    char ext[5]; // extension as written on the line
    char sig[9]; // file type then creator
    char com[65]; // description
} mac_sign;

#define NB_SIGNATURES 64
extern mac_sign *pSign;
extern char nom_fichier_sign[256];

const char *select_type(const char *sig);
void compile_creat(void);
// Loads the table from the signature file nom, which then serves the whole run instead of a
// folder's: 1 when it was read; 0 when it cannot be (nor a table already loaded).
int charge_signatures(const char *nom);
int comptage_fichiers(char *nom, const char *mask);
int OFN_Open(HWND hWnd, char *buff, const char *ext, const char *titre, const char *filter);

// ---- Program start and main window
int WINAPI WinMain(HINSTANCE hInst, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
INT_PTR CALLBACK MainWinProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK About(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

// The account of the command just ended (bilan.h), when it left a file alone because of a
// problem; compte_deja counts the files already as asked (compte_dejabin, compte_pasquillon).
void montre_bilan(HWND hWnd, const char *compte_deja);

// The files the program comes with lie beside it: its help ("htm") and its signature file
// ("sig"), named after the program itself, or after nom_compagnons when a program shares
// them with another (set before the work begins; null: its own name).
extern const char *nom_compagnons;
// The companion with the extension ext into nom (taille bytes); 0 when the path does not fit.
int nom_compagnon(char *nom, size_t taille, const char *ext);
void nomme_aide(void);       // names the help file after the program
void ouvre_aide(HWND hWnd);  // opens it, or says why it cannot

extern char nom_faide[256]; // the help file: the program's path with the extension "htm"
extern char masque[256];    // the file mask of the file list
extern char chemin[512];    // the current path, lower case, ending with a backslash
extern char ren_nom[512];   // the list entry being processed

// ---- The engine's texts (Windows-1252)
extern const char *mess_info;      // "Quillon - Information"
extern const char *err_dejabin;    // "Le fichier %s est déjà de type Quillon"
extern const char *err_pasquillon; // "Le fichier %s ne semble pas être de type Quillon"
extern const char *type_text;      // "Texte ou indéterminé"
extern const char *err_aide;       // the help file could not be opened (format: its name)
extern const char *err_cheminlong; // the start folder's path does not fit in chemin
// What became of a file that was not converted (format: the file, or the backup then the file)
extern const char *err_ecriture;   // a write, flush or close of the work file failed
extern const char *err_remplace;   // the work file could not take the file's place
extern const char *err_sauvegarde; // an older backup is kept: the file is left as it was
extern const char *err_tropgros;   // 4 GiB or more: a header cannot describe it
extern const char *err_creation;   // the file, the work file or backup, and why it was not made
extern const char *err_nomlong;    // the name leaves no room for a work file's name
extern const char *err_lien;       // a link whose file cannot be reached by name
extern const char *err_nomsaut;    // a name with a line break cannot go through a pass's list
extern const char *err_sousrep;    // a subdirectory that cannot be entered is skipped
extern const char *err_vidage;     // a directory's flush failed: its renames may not last
extern const char *err_liste;      // the file list of a directory could not be written
extern const char *err_modifie;    // another program changed the file during its conversion
extern const char *err_douteux;    // names like the program's work files, on a volume without
                                   // marks (format: one of them, then the directory)
// Why a file could not be created (the last %s of err_creation) or opened
extern const char *raison_acces, *raison_protege, *raison_plein, *raison_nom, *raison_long;
extern const char *raison_lecture_seule, *raison_utilise, *raison_absent;
extern const char *raison_autre; // with the system's error number (%lu)
// The lines of the closing account (format: a count, %u)
extern const char *compte_convertis, *compte_dejabin, *compte_pasquillon, *compte_problemes;

#endif
