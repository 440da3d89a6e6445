// The directories whose replaced files are not yet on the disk under their names: each is
// flushed once, after its last replacement, rather than once per file.
#ifndef QUILLON_APP_VIDAGE_H
#define QUILLON_APP_VIDAGE_H

// Called once nom_fichier has been replaced by a rename: its directory now holds an entry that
// must reach the disk. The directory left pending until now is flushed first when it is
// another one (a pass has finished with it).
void repertoire_modifie(const char *nom_fichier);

// Flushes the directory still pending: after the last file of a directory, at the end of a
// command, before the program tells the user anything, and when the program ends.
void vide_repertoires(void);

#endif
