// A replacement makes the work file's data durable before its rename: whatever happens, the
// file's name then holds a whole content, old or new. Only the rename itself waits for its
// directory to reach the disk, and one flush of the directory serves every rename made in it
// since the last; until then, the machine stopping may bring back the old content, never
// lose one. So the flush is owed before the program says anything is done.
#include <direct.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>
#include "app/vidage.h"

// The directory holding renames not yet flushed (a full name), "" when none. A pass finishes
// one directory before the next, so one is enough.
static char en_attente[MAX_PATH];

// A directory is opened for flushing with backup semantics. A volume that cannot flush its
// directories keeps every file whole all the same: the flush is the best the system offers.
static void vide(const char *repertoire) {
    HANDLE h = CreateFileA(repertoire, GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    FlushFileBuffers(h);
    CloseHandle(h);
}

void vide_repertoires(void) {
    if (en_attente[0] == '\0') return;
    vide(en_attente);
    en_attente[0] = '\0';
}

void repertoire_modifie(const char *nom_fichier) {
    // The program's end, through a fatal error too, flushes what is still pending.
    static int inscrit = 0;
    if (!inscrit) atexit(vide_repertoires);
    inscrit = 1;

    // A name that carries its own directory ("docs\a.txt", "C:a.txt") is not one of a pass's:
    // its directory is flushed at once.
    const char *fin = nom_fichier;
    for (const char *p = nom_fichier; *p != '\0'; ++p)
        if (*p == '\\' || *p == '/' || *p == ':') fin = p + 1;
    if (fin != nom_fichier) {
        char repertoire[2 * MAX_PATH];
        if (snprintf(repertoire, sizeof repertoire, "%.*s.", (int)(fin - nom_fichier),
                     nom_fichier) < (int)sizeof repertoire)
            vide(repertoire);
        return;
    }
    char ici[sizeof en_attente];
    if (_getcwd(ici, sizeof ici) == nullptr) {
        vide(".");
        return;
    }
    if (strcmp(ici, en_attente) == 0) return;
    vide_repertoires();
    memcpy(en_attente, ici, sizeof en_attente);
}
