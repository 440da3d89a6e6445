// What adding and stripping headers do the same way: the replacement of a file in place
// through a work file beside it, and the walk over a directory tree with its file list.
#ifndef QUILLON_APP_REMPLACE_H
#define QUILLON_APP_REMPLACE_H

#include <stdio.h>
#include <windows.h>

// The largest file a header can describe: its lengths are 32 bits.
#define LG_MAX_FICHIER 0xFFFFFFFFULL

// Room for a file name (as the main window or the file list gives it) and its work name.
#define LG_NOM_TRAVAIL 520

// How an operation talks to the user: bmess_fugace (adding) or bmess_permanent (stripping).
typedef void (*avertissement)(HWND hWnd, const char *texte, const char *titre);

// One operation on one file of the current directory: add_header or strip_header.
typedef int (*traitement)(const char *nom_fichier, int backup);

// Shows format (with up to two %s: nom, then nom2) with the caption mess_info.
void signale(avertissement avertit, const char *format, const char *nom, const char *nom2);

// Gives the stream of the file being converted a large buffer (cree_travail does the same for
// the work file): the copy moves blocks of 40960 bytes, which the system reads and writes far
// faster in runs of 256 KiB. Called right after the open, before anything is read. The
// buffers are the program's own, one per role: a single file is converted at a time.
void tamponne_source(FILE *fs);

// The message about a file of the wrong kind (format with one %s: nom), shown while the
// operation's own flag annul is 0; the answer goes to annul, so the user may silence it.
void signale_annulable(int *annul, const char *format, const char *nom);

// Creates the work file beside nom_fichier: its name with the extension "$$$", or a numbered
// one when that name is taken (by the file itself, or by a file the user keeps). Writes its
// name into nom_travail (LG_NOM_TRAVAIL bytes). Null, after telling the user, when no work
// name can be formed; a work file that cannot be created ends the program (as a checked open does).
FILE *cree_travail(const char *nom_fichier, char *nom_travail, avertissement avertit);

// Puts the work file in place of nom_fichier once it is complete and durable; closes both
// streams. copie_ok is the writer's own verdict on what it wrote. Returns 1 when the file
// was replaced (the former content under the backup name when backup is set; the rename
// reaches the disk when its directory is flushed, see vidage.h); otherwise
// removes the work file, leaves nom_fichier and any older backup as they were, tells the
// user and returns 0.
int installe_travail(FILE *fs, FILE *ft, int copie_ok, const char *nom_fichier,
                     const char *nom_travail, int backup, avertissement avertit);

// Applies traite to the files of the current directory that match fnomm, then, with recurs,
// to the matching subdirectories, depth first. Leaves the current directory as it found it.
// What cannot be done (a list, a subdirectory) is told through avertit.
void parcours(const char *fnomm, int recurs, int backup, traitement traite, avertissement avertit);

#endif
