// What adding and stripping headers do the same way: the replacement of a file in place
// through a work file beside it, and the walk over a directory tree with its file list.
#ifndef QUILLON_APP_REMPLACE_H
#define QUILLON_APP_REMPLACE_H

#include <stdio.h>
#include <windows.h>

// The largest file a header can describe: its lengths are 32 bits.
#define LG_MAX_FICHIER 0xFFFFFFFFULL

// Room for a file name (as the main window or the file list gives it, or the full name of
// the file a link leads to) and its work name.
#define LG_NOM_TRAVAIL 520

// How an operation talks to the user: bmess_fugace (adding) or bmess_permanent (stripping).
typedef void (*avertissement)(HWND hWnd, const char *texte, const char *titre);

// One operation on one file of the current directory: add_header or strip_header.
typedef int (*traitement)(const char *nom_fichier, int backup);

// Shows format (with up to two %s: nom, then nom2) with the caption mess_info. Each message
// here, and each of signale_annulable, goes to the command's account (bilan.h) as well.
void signale(avertissement avertit, const char *format, const char *nom, const char *nom2);

// The file nom_fichier could not be opened: err_fichier, followed by its name and the reason
// the system gave (GetLastError, read right after the failed open).
void signale_ouverture(avertissement avertit, const char *nom_fichier);

// The message about a file of the wrong kind (format with one %s: nom), shown while the
// operation's own flag annul is 0; a real answer goes to annul, so the user may silence it.
void signale_annulable(int *annul, const char *format, const char *nom);

// The name of the file whose content nom_fichier (open as fs) holds, written into nom_reel
// (LG_NOM_TRAVAIL bytes): nom_fichier itself, or for a link the full name of the file it
// leads to, which is converted where it lies so that the link stays a link. 0, after telling
// the user, when that file cannot be reached by name.
int nom_du_contenu(const char *nom_fichier, FILE *fs, char *nom_reel, avertissement avertit);

// The last component of a name: what the file is called in its directory.
const char *nom_seul(const char *nom);

// What tells whether a file is still the one that was read: its index on its volume (the name
// stays on one volume; Wine does not always give the volume's number), its size, and the
// times of its last write and of its last change (of data or metadata), taken through an open
// handle.
typedef struct {
    DWORD index_haut, index_bas;
    unsigned long long taille;
    FILETIME ecriture;
    long long changement;
} empreinte;

// The fingerprint of the file open as f; 0 when the system cannot give it.
int prend_empreinte(FILE *f, empreinte *e);

// Opens the file to convert, nom_fichier, as the program opens every file it reads ("r+b"),
// with its fingerprint as it is about to be read in avant. Null, after telling the user, when
// it cannot be opened.
FILE *ouvre_source(const char *nom_fichier, empreinte *avant, avertissement avertit);

// Whether nom still names the file as its fingerprint avant took it (no other program has
// written it, replaced it or removed it since).
int toujours_le_meme(const char *nom, const empreinte *avant);

// Creates the work file beside nom_fichier, no more open to others than nom_fichier is, with
// its hidden and system attributes, and marked as the program's (restes.h): its name with the
// extension "$$$", or a numbered one when that name is taken (by the file itself, or by a file
// the user keeps). Writes its name into nom_travail (LG_NOM_TRAVAIL bytes). Null, after
// telling the user which file was left and why, when it cannot be made.
FILE *cree_travail(const char *nom_fichier, char *nom_travail, avertissement avertit);

// The user stopped the work during the copy: the file stays as it was, the work file goes,
// and the command goes no further. Closes both streams; 0.
int abandonne_travail(FILE *fs, FILE *ft, const char *nom_travail);

// Hands the work file, once complete, over to take nom_fichier's place as soon as it is
// durable (remplace_durablement, vidage.h), the former content under the backup name when
// backup is set; closes both streams. copie_ok is the writer's own verdict on what it wrote;
// avant, the fingerprint of fs taken before it was read. Returns what remplace_durablement
// returns; otherwise removes the work file, leaves nom_fichier and any older backup as they
// were, tells the user (unless the user stopped the work) and returns 0.
int installe_travail(FILE *fs, FILE *ft, int copie_ok, const char *nom_fichier,
                     const char *nom_travail, const empreinte *avant, int backup,
                     avertissement avertit);

// Applies traite to the files of the current directory that match fnomm, then, with recurs,
// to the matching subdirectories, depth first, until the user stops the command. Leaves the
// current directory as it found it. What cannot be done (a list, a subdirectory, a name) is
// told through avertit.
void parcours(const char *fnomm, int recurs, int backup, traitement traite, avertissement avertit);

#endif
