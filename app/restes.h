// The program's own files beside the user's: the work files of a replacement (x.$$$, x.$01
// ... x.$99, the converted content or a backup copy in progress) and the file lists of a pass
// (qln1A2F.tmp). Each carries, from its creation, a mark naming the run of the program that
// made it and its own name: a named stream "Quillon" of the file, where the volume keeps
// streams. A killed run leaves them; the mark tells them from a user's file of a similar name
// and from what another running copy of the program still uses.
#ifndef QUILLON_APP_RESTES_H
#define QUILLON_APP_RESTES_H

// Marks nom, a file this run has just created: 1 when marked, or when its volume keeps no
// marks (nothing to do); 0, with the system's reason in GetLastError, when the mark could not
// be written.
int marque_fichier(const char *nom);

// Takes the mark off nom, a file this run made that has become the user's (a replaced file,
// a backup copy). Where it stays (the program stopped meanwhile), the name it holds is no
// longer the file's, and the file counts as the user's.
void demarque_fichier(const char *nom);

typedef enum {
    FICHIER_UTILISATEUR, // the user's: any name but the program's, or one without its mark
    FICHIER_ABANDONNE,   // the program's, left by a run that has ended: it may be removed
    FICHIER_EN_COURS,    // the program's, used by a run still going (here or elsewhere)
    FICHIER_DOUTEUX,     // named as the program's, on a volume without marks: cannot be told
} nature_fichier;

// What the file nom is (a name relative to the current directory, or a full one). Only the
// names of the program's own patterns are looked at further; any other is the user's at once.
nature_fichier nature(const char *nom);

#endif
