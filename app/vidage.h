// What a replacement leaves for the disk: the work files of a pass, flushed together before
// each is renamed into place, and the directories holding those renames, each flushed once
// after its last file rather than once per file.
#ifndef QUILLON_APP_VIDAGE_H
#define QUILLON_APP_VIDAGE_H

#include "app/remplace.h"

// Opens (1) or closes (0) the batch of a directory's files: while it is open, the work files
// handed over wait and are flushed together, when the batch is full and when the program
// next flushes (vide_repertoires), rather than each on its own. Closing completes it.
void lot_des_fichiers(int ouvert);

// Takes over the work file nom_travail, written whole and still open as fd, which is to
// replace nom_fichier; nom_bak names the backup just made of nom_fichier, null when none;
// avant is nom_fichier's fingerprint as it was read. Once the work file and the backup's name
// are on the disk, and if nom_fichier is still as it was read, the work file takes its place
// by one rename; otherwise the work file and the backup go, nom_fichier keeps the content it
// has and the user is told. Outside a batch this happens at once: 1 when the file was
// replaced, else 0. In a batch it happens with the batch's other files: 1.
int remplace_durablement(int fd, const char *nom_fichier, const char *nom_travail,
                         const char *nom_bak, const empreinte *avant, avertissement avertit);

// Completes the waiting replacements, then flushes the directory holding renames not yet on
// the disk: after the last file of a directory, at the end of a command, before the program
// tells the user anything, and when the program ends.
void vide_repertoires(void);

#endif
