// A replacement makes the work file's data durable before its rename: whatever happens, the
// file's name then holds a whole content, old or new. A pass's work files are flushed
// together, a batch at a time, as the disk serves flushes issued at once in far fewer turns
// than one after another; each is renamed only once its own flush has succeeded. The names
// of the batch's backups reach the disk before any of its files is replaced (one flush of
// their directory), so that the former content never depends on a name the machine may
// lose. The renames themselves wait for their directory to reach the disk, and one flush of
// the directory serves every rename made in it since the last; until then, the machine
// stopping may bring back the old content, never lose one. So the flush is owed before the
// program says anything is done.
#include <direct.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>
#include "app/bilan.h"
#include "app/quillon.h"
#include "app/restes.h"
#include "app/vidage.h"
#include "io/iodlg.h"
#include "io/iofile.h"

// ---- Directories

// The directory holding renames not yet flushed (a full name), "" when none. A pass finishes
// one directory before the next, so one is enough.
static char en_attente[MAX_PATH];

// A directory is opened for flushing with backup semantics. A volume that cannot open its
// directories for it, or that cannot flush one (some network redirectors answer "invalid
// function"), keeps every file whole all the same: the flush is the best the system offers.
// 0 only when the disk refused the flush.
static int vide_dossier(const char *repertoire) {
    HANDLE h = CreateFileA(repertoire, GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return 1;
    int ok = FlushFileBuffers(h) || GetLastError() == ERROR_INVALID_FUNCTION;
    CloseHandle(h);
    return ok;
}

// A flush that the disk refuses is told (dire): the files converted there may come back with
// their former content if the machine stops, and the user must not take them as done. At the
// program's end nothing is told (a fatal error has just been, or nothing was pending).
static void vide(const char *repertoire, int dire) {
    if (vide_dossier(repertoire) || !dire) return;
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

// The directory of a name, as CreateFileA opens it: "docs\." for "docs\a.txt", "." for a
// bare name. 0 when it does not fit.
static int repertoire_de(const char *nom, char *repertoire, size_t taille) {
    const char *fin = nom_seul(nom);
    return (size_t)snprintf(repertoire, taille, "%.*s.", (int)(fin - nom), nom) < taille;
}

// nom_fichier has been replaced by a rename: its directory now holds an entry that must reach
// the disk. The directory left pending until now is flushed first when it is another one (a
// pass has finished with it).
static void repertoire_modifie(const char *nom_fichier, int dire) {
    // A name that carries its own directory ("docs\a.txt", "C:a.txt") is not one of a pass's:
    // its directory is flushed at once.
    if (nom_seul(nom_fichier) != nom_fichier) {
        char repertoire[2 * MAX_PATH];
        if (repertoire_de(nom_fichier, repertoire, sizeof repertoire)) vide(repertoire, dire);
        return;
    }
    char ici[sizeof en_attente];
    if (_getcwd(ici, sizeof ici) == nullptr) {
        vide(".", dire);
        return;
    }
    if (strcmp(ici, en_attente) == 0) return;
    vide_en_attente(dire);
    memcpy(en_attente, ici, sizeof en_attente);
}

// ---- Work files

#define LG_LOT 64                    // work files flushed together, at most
#define OCTETS_LOT (16ULL << 20)     // and no more data than this: large files go one by one

typedef struct {
    int fd;
    char nom[LG_NOM_TRAVAIL], travail[LG_NOM_TRAVAIL], bak[LG_NOM_TRAVAIL]; // bak "": none
    empreinte avant; // nom as it was read
    avertissement avertit;
} remplacement;

static remplacement lot[LG_LOT];
static int nb_lot = 0;
static unsigned long long octets_lot = 0;
static int lot_ouvert = 0;

// The replacement could not be made: the file keeps its former content, so its work file and
// the backup (a second name for that content, or a copy of it) go.
static void echec(const remplacement *r, const char *format, int dire) {
    DeleteFileA(r->travail);
    if (r->bak[0] != '\0') DeleteFileA(r->bak);
    if (dire) signale(r->avertit, format, r->nom, nullptr);
}

// Puts the names of the batch's backups on the disk: their directory is flushed, once for a
// run of backups in the same one. A backup whose directory the disk refused to flush leaves
// its file as it was (ok 0).
static void vide_sauvegardes(int n, int *ok) {
    char vide_avant[2 * MAX_PATH] = "";
    int vide_ok = 1;
    for (int i = 0; i < n; ++i) {
        char repertoire[2 * MAX_PATH];
        if (!ok[i] || lot[i].bak[0] == '\0' ||
            !repertoire_de(lot[i].bak, repertoire, sizeof repertoire))
            continue;
        if (strcmp(repertoire, vide_avant) != 0) {
            memcpy(vide_avant, repertoire, sizeof vide_avant);
            vide_ok = vide_dossier(repertoire);
        }
        if (!vide_ok) ok[i] = 0;
    }
}

// Flushes the waiting work files together, then renames each into place in the order they
// came, once the backups' names are on the disk and if its file is still as it was read. The
// batch is emptied first: a failure's message flushes what was done before it, and comes back
// through here. Returns the number of files replaced.
static int acheve_lot(int dire) {
    int n = nb_lot;
    nb_lot = 0;
    octets_lot = 0;
    if (n == 0) return 0;
    int fd[LG_LOT] = {0}, ok[LG_LOT] = {0};
    for (int i = 0; i < n; ++i) fd[i] = lot[i].fd;
    vide_ensemble(fd, ok, n);
    // Closed before any rename, which Windows refuses for a file still open; a failed close
    // can be a delayed write error.
    for (int i = 0; i < n; ++i)
        if (_close(fd[i]) != 0) ok[i] = 0;
    vide_sauvegardes(n, ok);
    int faits = 0;
    for (int i = 0; i < n; ++i) {
        const remplacement *r = &lot[i];
        if (!ok[i]) {
            echec(r, err_ecriture, dire);
        } else if (!toujours_le_meme(r->nom, &r->avant)) {
            echec(r, err_modifie, dire); // another program's change is kept
        } else if (!MoveFileExA(r->travail, r->nom, MOVEFILE_REPLACE_EXISTING)) {
            echec(r, err_remplace, dire);
        } else {
            demarque_fichier(r->nom);
            repertoire_modifie(r->nom, dire);
            bilan_converti();
            ++faits;
        }
    }
    return faits;
}

void lot_des_fichiers(int ouvert) {
    if (!ouvert) acheve_lot(1);
    lot_ouvert = ouvert;
}

// The program's end, through a fatal error too, completes what is still waiting.
static void vide_a_la_fin(void) {
    acheve_lot(0);
    vide_en_attente(0);
}

int remplace_durablement(int fd, const char *nom_fichier, const char *nom_travail,
                         const char *nom_bak, const empreinte *avant, avertissement avertit) {
    static int inscrit = 0;
    if (!inscrit) atexit(vide_a_la_fin);
    inscrit = 1;

    remplacement *r = &lot[nb_lot++];
    r->fd = fd;
    r->avertit = avertit;
    snprintf(r->nom, sizeof r->nom, "%s", nom_fichier);
    snprintf(r->travail, sizeof r->travail, "%s", nom_travail);
    snprintf(r->bak, sizeof r->bak, "%s", nom_bak != nullptr ? nom_bak : "");
    r->avant = *avant;
    LARGE_INTEGER taille;
    if (GetFileSizeEx((HANDLE)_get_osfhandle(fd), &taille)) octets_lot += taille.QuadPart;

    if (!lot_ouvert) return acheve_lot(1) == 1;
    if (nb_lot == LG_LOT || octets_lot >= OCTETS_LOT) acheve_lot(1);
    return 1;
}

void vide_repertoires(void) {
    acheve_lot(1);
    vide_en_attente(1);
}
