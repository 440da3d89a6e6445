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
#include "app/quillon.h"
#include "app/vidage.h"
#include "io/iodlg.h"

// The directory holding renames not yet flushed (a full name), "" when none. A pass finishes
// one directory before the next, so one is enough.
static char en_attente[MAX_PATH];

// A directory is opened for flushing with backup semantics. A volume that cannot open its
// directories for it keeps every file whole all the same: the flush is the best the system
// offers. A flush that the disk refuses is told: the files converted there may come back with
// their former content if the machine stops, and the user must not take them as done. At the
// program's end nothing is told (a fatal error has just been, or nothing was pending).
static void vide(const char *repertoire, int dire) {
    HANDLE h = CreateFileA(repertoire, GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    int ok = FlushFileBuffers(h);
    CloseHandle(h);
    if (ok || !dire) return;
    char texte[MAX_PATH + 256];
    snprintf(texte, sizeof texte, err_vidage, repertoire);
    bmess_permanent(hWndMain, texte, mess_info);
}

// The pending directory is forgotten before it is flushed: the message of a failed flush
// goes through the program's messages, which flush first.
static void vide_en_attente(int dire) {
    if (en_attente[0] == '\0') return;
    char repertoire[sizeof en_attente];
    memcpy(repertoire, en_attente, sizeof repertoire);
    en_attente[0] = '\0';
    vide(repertoire, dire);
}

void vide_repertoires(void) {
    vide_en_attente(1);
}

static void vide_a_la_fin(void) {
    vide_en_attente(0);
}

void repertoire_modifie(const char *nom_fichier) {
    // The program's end, through a fatal error too, flushes what is still pending.
    static int inscrit = 0;
    if (!inscrit) atexit(vide_a_la_fin);
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
            vide(repertoire, 1);
        return;
    }
    char ici[sizeof en_attente];
    if (_getcwd(ici, sizeof ici) == nullptr) {
        vide(".", 1);
        return;
    }
    if (strcmp(ici, en_attente) == 0) return;
    vide_repertoires();
    memcpy(en_attente, ici, sizeof en_attente);
}
