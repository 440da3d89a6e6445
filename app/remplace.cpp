// Replacing a user's file in place: the converted content is written to a work file beside
// it, made durable, then put in place with one replacing rename, so that at every moment the
// file's name holds either its old or its new content, complete.
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <io.h>
#include <windows.h>
#include "app/bilan.h"
#include "app/quillon.h"
#include "app/remplace.h"
#include "app/restes.h"
#include "app/vidage.h"
#include "io/iodlg.h"
#include "io/iofile.h"

void signale(avertissement avertit, const char *format, const char *nom, const char *nom2) {
    vide_repertoires(); // what was replaced so far is on the disk before the user hears more
    char texte[1024];
    snprintf(texte, sizeof texte, format, nom, nom2 ? nom2 : "");
    bilan_probleme(texte);
    avertit(hWndMain, texte, mess_info);
}

void signale_annulable(int *annul, const char *format, const char *nom) {
    bilan_deja(); // counted even once the user has silenced the message
    if (*annul != 0) return;
    vide_repertoires();
    char texte[1024];
    snprintf(texte, sizeof texte, format, nom);
    // A message that could not be shown (-1) is no answer: the next one is shown.
    *annul = bmess_annulable(hWndMain, texte, mess_info) > 0;
}

// The streams of the file being converted and of its work file get large buffers: the copy
// moves blocks of 40960 bytes, which the system reads and writes far faster in runs of
// 256 KiB. The buffers are the program's own, one per role: a single file is converted at a
// time.
#define LG_TAMPON_FLUX (256 * 1024)
static char tampon_source[LG_TAMPON_FLUX], tampon_travail[LG_TAMPON_FLUX];

// Bounded copy of a name; 0 when it does not fit whole.
static int copie_nom(char *dest, size_t taille, const char *nom) {
    return (size_t)snprintf(dest, taille, "%s", nom) < taille;
}

static HANDLE poignee(FILE *f) {
    return (HANDLE)_get_osfhandle(_fileno(f));
}

// ---- Names

const char *nom_seul(const char *nom) {
    const char *seul = nom;
    for (const char *p = nom; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':') seul = p + 1;
    return seul;
}

// What Windows refuses in a new name. The directory listing may still show such names (the
// host allows them; a character the code page lacks shows as "?"): the file opens by its own
// name, but its work and backup names get "_" in their place.
static int interdit_dans_un_nom(unsigned char c) {
    return c < 0x20 || strchr("<>:\"|?*", c) != nullptr;
}

// A name holds at most 255 characters on the volumes the program meets (NTFS, FAT, exFAT).
#define LG_COMPOSANT_MAX 255

// nom with the extension ext, in the same directory: only the last component is changed, and
// cut where the new extension would make it too long for the volume. 0 when the result would
// not fit in taille bytes.
static int nom_voisin(char *dest, size_t taille, const char *nom, const char *ext) {
    // Room for the name, a dot and an extension of three characters.
    if (strlen(nom) + 5 > taille) return 0;
    copie_nom(dest, taille, nom);
    char *seul = dest + (nom_seul(nom) - nom);
    for (char *p = seul; *p; ++p)
        if (interdit_dans_un_nom((unsigned char)*p)) *p = '_';
    if (strlen(seul) + 4 > LG_COMPOSANT_MAX) seul[LG_COMPOSANT_MAX - 4] = '\0';
    extension(seul, ext);
    return 1;
}

// ---- Links

int nom_du_contenu(const char *nom_fichier, FILE *fs, char *nom_reel, avertissement avertit) {
    DWORD att = GetFileAttributesA(nom_fichier);
    if (att == INVALID_FILE_ATTRIBUTES || (att & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        if (copie_nom(nom_reel, LG_NOM_TRAVAIL, nom_fichier)) return 1;
        signale(avertit, err_nomlong, nom_fichier, nullptr);
        return 0;
    }
    // "\\?\C:\dir\name": a name on a drive, which the program can use without the prefix.
    static const char prefixe[] = "\\\\?\\";
    const size_t lg_prefixe = sizeof prefixe - 1;
    char chemin[LG_NOM_TRAVAIL + sizeof prefixe];
    DWORD n = GetFinalPathNameByHandleA(poignee(fs), chemin,
                                        sizeof chemin, VOLUME_NAME_DOS | FILE_NAME_NORMALIZED);
    if (n == 0 || n >= sizeof chemin || strncmp(chemin, prefixe, lg_prefixe) != 0 ||
        chemin[lg_prefixe + 1] != ':' || !copie_nom(nom_reel, LG_NOM_TRAVAIL, chemin + lg_prefixe)) {
        signale(avertit, err_lien, nom_fichier, nullptr);
        return 0;
    }
    return 1;
}

// ---- Fingerprints

static int empreinte_de(HANDLE h, empreinte *e) {
    BY_HANDLE_FILE_INFORMATION i;
    FILE_BASIC_INFO b;
    if (!GetFileInformationByHandle(h, &i) ||
        !GetFileInformationByHandleEx(h, FileBasicInfo, &b, sizeof b))
        return 0;
    memset(e, 0, sizeof *e);
    e->index_haut = i.nFileIndexHigh;
    e->index_bas = i.nFileIndexLow;
    e->taille = (unsigned long long)i.nFileSizeHigh << 32 | i.nFileSizeLow;
    e->ecriture = i.ftLastWriteTime;
    e->changement = b.ChangeTime.QuadPart;
    return 1;
}

int prend_empreinte(FILE *f, empreinte *e) {
    return empreinte_de(poignee(f), e);
}

// The same file with the same content; with changement, not even its metadata changed.
static int memes_empreintes(const empreinte *a, const empreinte *b, int changement) {
    return a->index_haut == b->index_haut &&
           a->index_bas == b->index_bas && a->taille == b->taille &&
           a->ecriture.dwLowDateTime == b->ecriture.dwLowDateTime &&
           a->ecriture.dwHighDateTime == b->ecriture.dwHighDateTime &&
           (!changement || a->changement == b->changement);
}

int toujours_le_meme(const char *nom, const empreinte *avant) {
    HANDLE h = CreateFileA(nom, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return 0;
    empreinte maintenant;
    int meme = empreinte_de(h, &maintenant) && memes_empreintes(avant, &maintenant, 1);
    CloseHandle(h);
    return meme;
}

FILE *ouvre_source(const char *nom_fichier, empreinte *avant, avertissement avertit) {
    FILE *fs = fopen(nom_fichier, lecture);
    if (fs != nullptr) {
        setvbuf(fs, tampon_source, _IOFBF, sizeof tampon_source);
        if (prend_empreinte(fs, avant)) return fs;
        fclose(fs);
    }
    signale_ouverture(avertit, nom_fichier);
    return nullptr;
}

// ---- New files

// nom, created new (it never empties a file that exists, whoever made it), with the access
// of modele from its first moment, so that a private file's work file or copy is private
// too, and with modele's hidden and system attributes, so that the file that takes modele's
// place keeps them (its archive attribute is set: its content is new). Null, with the
// system's reason in GetLastError, when it cannot be made.
static FILE *cree_nouveau(const char *nom, const char *modele) {
    SECURITY_ATTRIBUTES sa;
    memset(&sa, 0, sizeof sa);
    sa.nLength = sizeof sa;
    // Most descriptors fit in a buffer of the stack, asked for at once; a larger one is asked
    // for again at its size. No security to copy (a volume without any): the new file gets
    // the directory's default.
    union {
        char octets[1024];
        void *alignement;
    } local;
    void *alloue = nullptr;
    DWORD lg = 0;
    if (GetFileSecurityA(modele, DACL_SECURITY_INFORMATION, local.octets, sizeof local.octets,
                         &lg)) {
        sa.lpSecurityDescriptor = local.octets;
    } else if (GetLastError() == ERROR_INSUFFICIENT_BUFFER && lg > 0 &&
               (alloue = malloc(lg)) != nullptr &&
               GetFileSecurityA(modele, DACL_SECURITY_INFORMATION, alloue, lg, &lg)) {
        sa.lpSecurityDescriptor = alloue;
    }
    DWORD att = GetFileAttributesA(modele);
    att = att == INVALID_FILE_ATTRIBUTES ? 0 : att & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    HANDLE h = CreateFileA(nom, GENERIC_READ | GENERIC_WRITE, 0, &sa, CREATE_NEW,
                           att | FILE_ATTRIBUTE_ARCHIVE, nullptr);
    free(alloue);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    int fd = _open_osfhandle((intptr_t)h, _O_BINARY);
    FILE *f = fd == -1 ? nullptr : _fdopen(fd, ecriture);
    if (f == nullptr) {
        if (fd == -1)
            CloseHandle(h);
        else
            _close(fd);
        DeleteFileA(nom);
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    }
    return f;
}

// Why a file could not be created or opened, in the user's words.
static const char *raison(DWORD err, char *tampon, size_t taille) {
    switch (err) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return raison_absent;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return raison_utilise;
    case ERROR_ACCESS_DENIED:
        return raison_acces;
    case ERROR_WRITE_PROTECT:
        return raison_protege;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return raison_plein;
    case ERROR_INVALID_NAME:
        return raison_nom;
    case ERROR_FILENAME_EXCED_RANGE:
        return raison_long;
    default:
        snprintf(tampon, taille, raison_autre, (unsigned long)err);
        return tampon;
    }
}

// nom_fichier was left as it was because nom_cree (its work file or its backup) could not be
// created, for the reason err.
static void signale_creation(avertissement avertit, const char *nom_fichier, const char *nom_cree,
                             DWORD err) {
    vide_repertoires(); // what was replaced so far is on the disk before the user hears more
    char tampon[64], texte[1536];
    snprintf(texte, sizeof texte, err_creation, nom_fichier, nom_cree,
             raison(err, tampon, sizeof tampon));
    bilan_probleme(texte);
    avertit(hWndMain, texte, mess_info);
}

void signale_ouverture(avertissement avertit, const char *nom_fichier) {
    DWORD err = GetLastError();
    DWORD att = GetFileAttributesA(nom_fichier);
    char tampon[64], format[128];
    const char *pourquoi = err == ERROR_ACCESS_DENIED && att != INVALID_FILE_ATTRIBUTES &&
                                   (att & FILE_ATTRIBUTE_READONLY) != 0
                               ? raison_lecture_seule
                               : raison(err, tampon, sizeof tampon);
    // The text stays as it always was; the name and the reason follow it.
    snprintf(format, sizeof format, "%s : %%s (%%s)", err_fichier);
    signale(avertit, format, nom_fichier, pourquoi);
}

FILE *cree_travail(const char *nom_fichier, char *nom_travail, avertissement avertit) {
    // "$$$" first; a file of that name may be the file itself (x.$$$) or one the user keeps:
    // the next free name of $01 ... $99 is taken instead.
    char ext[4] = "$$$";
    for (int n = 0; n < 100; ++n) {
        if (n > 0) {
            ext[1] = (char)('0' + n / 10);
            ext[2] = (char)('0' + n % 10);
        }
        if (!nom_voisin(nom_travail, LG_NOM_TRAVAIL, nom_fichier, ext)) {
            signale(avertit, err_nomlong, nom_fichier, nullptr);
            return nullptr;
        }
        FILE *ft = cree_nouveau(nom_travail, nom_fichier);
        if (ft != nullptr && marque_fichier(nom_travail)) {
            setvbuf(ft, tampon_travail, _IOFBF, sizeof tampon_travail);
            return ft;
        }
        DWORD err = GetLastError();
        if (ft != nullptr) { // made, but it could not be marked as the program's
            fclose(ft);
            DeleteFileA(nom_travail);
            signale_creation(avertit, nom_fichier, nom_travail, err);
            return nullptr;
        }
        if (err != ERROR_FILE_EXISTS && err != ERROR_ALREADY_EXISTS) {
            signale_creation(avertit, nom_fichier, nom_travail, err);
            return nullptr;
        }
    }
    signale(avertit, err_remplace, nom_fichier, nullptr);
    return nullptr;
}

// ---- Writing durably

// Closes a file just written, once everything written has reached the disk: a write error may
// only show at the flush, at the commit or even at the close. With garde, the file's flush to
// the disk is left for later, through a second descriptor written there. 1 when all of it
// went well.
static int termine_ecriture(FILE *f, int ecrit_ok, int *garde) {
    int ok = ecrit_ok && !ferror(f) && fflush(f) == 0 &&
             (garde != nullptr ? (*garde = _dup(_fileno(f))) != -1 : _commit(_fileno(f)) == 0);
    if (fclose(f) != 0) ok = 0;
    return ok;
}

int abandonne_travail(FILE *fs, FILE *ft, const char *nom_travail) {
    fclose(ft);
    fclose(fs);
    DeleteFileA(nom_travail);
    marque_arret();
    return 0;
}

// Copies the whole of fs (a file of any length) to f from its start.
static int copie_entiere(FILE *fs, FILE *f) {
    LARGE_INTEGER taille;
    if (!GetFileSizeEx(poignee(fs), &taille)) return -1;
    rewind(fs);
    unsigned long long reste = (unsigned long long)taille.QuadPart;
    do {
        uint32_t tranche = reste > LG_MAX_FICHIER ? (uint32_t)LG_MAX_FICHIER : (uint32_t)reste;
        int r = frecopie(fs, f, tranche);
        if (r != 0) return r;
        reste -= tranche;
    } while (reste > 0);
    return ferror(fs) ? -1 : 0;
}

// Where the volume has no hard links (FAT, exFAT), the backup is a durable copy of the file,
// so that the file's own name keeps its content throughout, with the file's times and
// attributes. The copy is made under a work name and takes the backup name only once
// complete: a backup is never a part of the file. 1 when it was made; otherwise nothing is
// left of it and the user was told (unless the user stopped the work).
static int copie_sauvegarde(FILE *fs, const char *nom_fichier, const char *nom_bak,
                            avertissement avertit) {
    char nom_copie[LG_NOM_TRAVAIL];
    FILE *fb = cree_travail(nom_fichier, nom_copie, avertit);
    if (fb == nullptr) return 0;
    int r = copie_entiere(fs, fb);
    // The times once every byte is written, which would otherwise set them again; a volume
    // that cannot take them still gets a whole backup.
    FILETIME creation, acces, ecriture;
    if (r == 0 && fflush(fb) == 0 && GetFileTime(poignee(fs), &creation, &acces, &ecriture))
        SetFileTime(poignee(fb), &creation, &acces, &ecriture);
    int ok = termine_ecriture(fb, r == 0, nullptr);
    if (ok && MoveFileA(nom_copie, nom_bak)) {
        demarque_fichier(nom_bak);
        DWORD att = GetFileAttributesA(nom_fichier);
        if (att != INVALID_FILE_ATTRIBUTES) SetFileAttributesA(nom_bak, att);
        return 1;
    }
    DWORD err = GetLastError();
    DeleteFileA(nom_copie);
    if (r == COPIE_INTERROMPUE)
        marque_arret();
    else if (ok && (err == ERROR_ALREADY_EXISTS || err == ERROR_FILE_EXISTS))
        signale(avertit, err_sauvegarde, nom_bak, nom_fichier); // made meanwhile
    else
        signale(avertit, err_ecriture, nom_fichier, nullptr);
    return 0;
}

// Makes the backup name hold the former content while the file's own name keeps it: a hard
// link, which an older backup of that name stops, or else a copy. Its name goes to nom_bak.
// A new link changes the file's change time: the fingerprint takes it, once the file is
// found as it was read.
static int fait_sauvegarde(FILE *fs, const char *nom_fichier, const char *nom_travail,
                           char *nom_bak, empreinte *avant, avertissement avertit) {
    // The work name ends with a dot and three characters: the backup name differs only there.
    copie_nom(nom_bak, LG_NOM_TRAVAIL, nom_travail);
    memcpy(nom_bak + strlen(nom_bak) - 3, "bak", 3);
    if (CreateHardLinkA(nom_bak, nom_fichier, nullptr)) {
        empreinte apres;
        if (prend_empreinte(fs, &apres) && memes_empreintes(avant, &apres, 0)) {
            avant->changement = apres.changement;
            return 1;
        }
        DeleteFileA(nom_bak);
        signale(avertit, err_modifie, nom_fichier, nullptr);
        return 0;
    }
    if (GetFileAttributesA(nom_bak) != INVALID_FILE_ATTRIBUTES) {
        signale(avertit, err_sauvegarde, nom_bak, nom_fichier);
        return 0;
    }
    return copie_sauvegarde(fs, nom_fichier, nom_bak, avertit);
}

int installe_travail(FILE *fs, FILE *ft, int copie_ok, const char *nom_fichier,
                     const char *nom_travail, const empreinte *avant, int backup,
                     avertissement avertit) {
    // The work file's flush to the disk comes with those of its batch.
    int fd = -1;
    if (!termine_ecriture(ft, copie_ok && !ferror(fs), &fd)) {
        if (fd != -1) _close(fd);
        fclose(fs);
        DeleteFileA(nom_travail);
        signale(avertit, err_ecriture, nom_fichier, nullptr);
        return 0;
    }
    char nom_bak[LG_NOM_TRAVAIL];
    empreinte lue = *avant;
    int sauvegarde =
        backup && fait_sauvegarde(fs, nom_fichier, nom_travail, nom_bak, &lue, avertit);
    fclose(fs); // only read from: its close changes nothing on the disk
    if (backup && !sauvegarde) {
        _close(fd);
        DeleteFileA(nom_travail);
        return 0;
    }
    return remplace_durablement(fd, nom_fichier, nom_travail, sauvegarde ? nom_bak : nullptr,
                                &lue, avertit);
}
