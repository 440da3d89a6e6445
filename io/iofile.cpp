// File services: checked opens, the block copy with its progress bar, extensions, temporary
// files, drive queries and operations on names.
#include <windows.h>
#include <ctype.h>
#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include "io/io.h"
#include "io/iodlg.h"
#include "io/iofile.h"
#include "io/mac2pc.h"

const char ecriture[] = "w+b";
const char lecture[] = "r+b";
const char lectseule[] = "rb";
const char majour[] = "a+b";

char froot[4] = "C:\\";
int SUPPORT_LFN = 0;
int LFN_lg = 0;
int maxpath = 0;

#define LG_MESSAGE 256

// ---- Checked opens: a file that cannot be opened ends the program, naming it.

void sortie_erreur_fichier(const char *fnom) {
    char mes[LG_MESSAGE];
    // A long name is cut so that the message always fits.
    snprintf(mes, sizeof mes, "%s %s", err_fichier, fnom);
    sortie_erreur(mes);
}

FILE *sec_fopen(const char *filename, const char *mode) {
    FILE *f = fopen(filename, mode);
    if (f == nullptr) sortie_erreur_fichier(filename);
    return f;
}

static int sec_ouvre(const char *filename, int oflag) {
    int h = _open(filename, oflag, _S_IREAD | _S_IWRITE);
    if (h == -1) sortie_erreur_fichier(filename);
    return h;
}

int sec_open(const char *filename) {
    return sec_ouvre(filename, _O_RDWR | _O_BINARY);
}
int sec_open_ro(const char *filename) {
    return sec_ouvre(filename, _O_RDONLY | _O_BINARY);
}
int sec_creat(const char *filename) {
    return sec_ouvre(filename, _O_CREAT | _O_TRUNC | _O_RDWR | _O_BINARY);
}

// ---- The block copy

// Copies l bytes from where f1 stands to where f2 stands in blocks of 40960 bytes, advancing
// the busy cursor per block and, above one block, a progress bar. The bytes move up to
// BLOCS_PAR_TRANSFERT blocks at a time: a request larger than the streams' buffers goes
// straight between the file and the copy's buffer, without passing through theirs, in far
// fewer system calls. A source that ends early ends the copy (0: its callers take what was
// there). Returns -1 when the buffer cannot be had, when a read fails or when a write fails
// (the copy stops there), so that callers can tell a complete copy from a broken one;
// COPIE_INTERROMPUE when the user pressed Escape and confirmed, after the transfer under way.
int frecopie(FILE *f1, FILE *f2, uint32_t l) {
    const uint32_t transfert = BLOCS_PAR_TRANSFERT * TAILLE_BLOC_COPIE;
    // A small file needs no more buffer than its own blocks. The buffer starts on a page:
    // the system copies between it and the file's pages several times faster than from an
    // address a few bytes off (where the allocator's own bookkeeping puts it).
    uint32_t taille = l < transfert ? (l / TAILLE_BLOC_COPIE + 1) * TAILLE_BLOC_COPIE : transfert;
    const uintptr_t page = 4096;
    char *alloue = (char *)calloc(1, taille + page - 1);
    if (alloue == nullptr) return -1;
    char *tampon = (char *)(((uintptr_t)alloue + page - 1) & ~(page - 1));
    // The bar's range holds 16 bits: past 65535 blocks, one step stands for several blocks,
    // so that the bar still fills once.
    uint32_t tranches = l / TAILLE_BLOC_COPIE + 1;
    uint32_t blocs_par_pas = (tranches + 65534) / 65535;
    int grosfichier = l > TAILLE_BLOC_COPIE;
    if (grosfichier) init_progression((int)((tranches + blocs_par_pas - 1) / blocs_par_pas));
    uint32_t reste = l, numero = 0;
    int resultat = 0;
    while (reste > 0) {
        uint32_t n = reste < taille ? reste : taille;
        // Before the blocks move, the cursor and the bar advance once for each of them.
        for (uint32_t bloc = 0; bloc < n; bloc += TAILLE_BLOC_COPIE) {
            curs_montre();
            if (grosfichier && numero++ % blocs_par_pas == 0) avance_progression();
        }
        size_t lu = fread(tampon, 1, n, f1);
        if (lu < n && ferror(f1)) resultat = -1;
        if (lu > 0 && fwrite(tampon, 1, lu, f2) != lu) {
            resultat = -1;
            break;
        }
        if (lu < n) break;
        reste -= n;
        if (teste_interruption()) {
            resultat = COPIE_INTERROMPUE;
            break;
        }
    }
    free(alloue);
    if (grosfichier) fin_progression();
    return resultat;
}

// ---- Names

int est_fichier(DWORD attributs) {
    return (attributs & (FILE_ATTRIBUTE_DIRECTORY | ATTRIBUT_VOLUME)) == 0;
}

char *extension(char *nom, const char *ext) {
    char *point = strrchr(nom, '.');
    long lg = (long)strlen(nom);
    if (point != nullptr && (long)(point - nom) >= lg - 4)
        point[1] = '\0';
    else
        strcat(nom, ".");
    char e[4];
    strncpy(e, ext, 3);
    e[3] = '\0';
    for (char *p = e; *p; p++)
        if (*p >= 'A' && *p <= 'Z') *p = (char)(*p + ('a' - 'A'));
    strcat(nom, e);
    return nom;
}

char *extension_numerique(char *nf, int num) {
    char chiffres[4] = {xhexa[(num >> 10) & 31], xhexa[(num >> 5) & 31], xhexa[num & 31], '\0'};
    return extension(nf, chiffres);
}

char *extension_num(char *nf) {
    static int num = 0;
    do extension_numerique(nf, ++num);
    while (existe(nf) != 0);
    return nf;
}

// Ordinary files only: directories, hidden and system files do not count.
uint32_t existe(const char *fnom) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(fnom, &fd);
    if (h == INVALID_HANDLE_VALUE) return 0;
    const DWORD autres = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    BOOL trouve = (fd.dwFileAttributes & autres) == 0;
    while (!trouve && FindNextFileA(h, &fd)) trouve = (fd.dwFileAttributes & autres) == 0;
    FindClose(h);
    if (!trouve) return 0;
    FILETIME local;
    WORD date = 0, heure = 0;
    if (FileTimeToLocalFileTime(&fd.ftLastWriteTime, &local))
        FileTimeToDosDateTime(&local, &date, &heure);
    uint32_t valeur = (uint32_t)date * 65536u + heure;
    return valeur != 0 ? valeur : 0xFFFFFFFFu;
}

// The short name holds at most 13 characters (the find record's alternate name). This
// platform keeps no short names: a long name that does not fit has no short form, -1.
int nomcourt(const char *nomlong, char *nomcourt) {
    WIN32_FIND_DATAA fd;
    memset(&fd, 0, sizeof fd);
    HANDLE h = FindFirstFileA(nomlong, &fd);
    if (h == INVALID_HANDLE_VALUE) return -1;
    FindClose(h);
    const char *nom = fd.cAlternateFileName[0] ? fd.cAlternateFileName : fd.cFileName;
    if (strlen(nom) >= sizeof fd.cAlternateFileName) return -1;
    strcpy(nomcourt, nom);
    return 0;
}

void put_nom_long(FILE *fd, const char *nom) {
    nom_long rec;
    memset(&rec, 0, sizeof rec);
    rec.marque = 0x5C;
    rec.ff = 0xFF;
    size_t n = strlen(nom);
    if (n > sizeof rec.nom) n = sizeof rec.nom; // 253 bytes at most: a longer name is cut
    rec.lg = (unsigned char)n;
    memcpy(rec.nom, nom, n);
    fwrite(&rec, sizeof rec, 1, fd);
}

void creation_nom(char *chne, int numd, int numf) {
    char d[12];
    snprintf(d, sizeof d, "%d", numd);
    sprintf(chne, "DSK%cF%d", d[0], numf);
}

void path(char *p, const char *fichier) {
    char lecteur[_MAX_DRIVE], rep[_MAX_DIR], nom[_MAX_FNAME], ext[_MAX_EXT];
    _splitpath(fichier, lecteur, rep, nom, ext);
    int disque;
    if (lecteur[0] == '\0') {
        disque = _getdrive();
        lecteur[0] = (char)('A' + disque - 1);
        lecteur[1] = ':';
        lecteur[2] = '\0';
    } else {
        lecteur[0] = (char)toupper((unsigned char)lecteur[0]); // c: is C:
        disque = lecteur[0] - 'A' + 1;
    }
    if (rep[0] != '\\' && rep[0] != '/') {
        char relatif[150];
        strncpy(relatif, rep, sizeof relatif - 1);
        relatif[sizeof relatif - 1] = '\0';
        char courant[_MAX_PATH];
        const char *dir = _getdcwd(disque, courant, sizeof courant) ? courant + 3 : "";
        // A directory too deep for the buffer is cut, never overrun.
        if (snprintf(rep, sizeof rep, "\\%s%s%s", dir, dir[0] ? "\\" : "", relatif) < 0)
            rep[0] = '\0';
    }
    _makepath(p, lecteur, rep, nom, ext);
}

// ---- Directories

// A directory that cannot be entered adds nothing, and the walk stays where it is.
uint32_t taille_reper(const char *nom, uint32_t resultat) {
    if (_chdir(nom) != 0) return resultat;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA("*.*", &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            DWORD att = fd.dwFileAttributes & ~(DWORD)FILE_ATTRIBUTE_ARCHIVE;
            if (att == 0x08) continue;
            if (att == FILE_ATTRIBUTE_DIRECTORY) {
                if (strcmp(fd.cFileName, ".") != 0 && strcmp(fd.cFileName, "..") != 0)
                    resultat = taille_reper(fd.cFileName, resultat);
            } else {
                resultat += fd.nFileSizeLow;
            }
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    _chdir("..");
    return resultat;
}

// ---- Drives

// A volume that cannot be queried is taken as one without long names: the answer is
// defined, and nothing in the program depends on it.
int support_lfn(int lecteur) {
    char volume[256], systeme[256];
    DWORD serie = 0, composant = 0, drapeaux = 0;
    if (lecteur < 26) {
        froot[0] = (char)(lecteur < 0 ? 'C' : 'A' + lecteur);
        if (!GetVolumeInformationA(froot, volume, sizeof volume, &serie, &composant, &drapeaux,
                                   systeme, sizeof systeme))
            drapeaux = 0;
    }
    if (drapeaux != 0) {
        LFN_lg = (int)composant;
        maxpath = 256;
        return 1;
    }
    LFN_lg = 12;
    maxpath = 80;
    return 0;
}

// Free space that cannot be read counts as enough: the writes that follow are checked.
int place_disque(unsigned char disque, uint32_t lg) {
    DWORD secteurs = 0, octets = 0, libres = 0, total = 0;
    if (disque != 0) froot[0] = (char)(disque + 64);
    if (!GetDiskFreeSpaceA(disque != 0 ? froot : nullptr, &secteurs, &octets, &libres, &total))
        return 1;
    uint32_t grappe = secteurs * octets;
    if (grappe == 0) return 1;
    return lg / grappe < libres ? 1 : 0;
}

int disque_msdos(unsigned char lecteur) {
    char motif[6] = {(char)lecteur, ':', '*', '.', '*', '\0'}; // that drive's current directory
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(motif, &fd);
    if (h != INVALID_HANDLE_VALUE) {
        FindClose(h);
        return 0;
    }
    DWORD err = GetLastError();
    if (err == ERROR_NOT_READY) return -1;
    if (err == ERROR_FILE_NOT_FOUND) return 0;
    return (int)err;
}

// ---- Temporary files

// Makes the temporary file's name in nomf and checks that longueur bytes fit on its drive.
// A name that cannot be made ends the program as a failed open would.
static void ftemp_nom(char *nomf, const char *elem, uint32_t longueur) {
    char rep[256];
    DWORD n = GetTempPathA(sizeof rep, rep);
    if (n == 0 || n >= sizeof rep) strcpy(rep, "\\");
    if (GetTempFileNameA(rep, elem, 0, nomf) == 0) sortie_erreur_fichier(rep);
    if (!place_disque((unsigned char)(toupper((unsigned char)nomf[0]) - 64), longueur)) {
        remove(nomf); // the empty file made for the name
        sortie_erreur(err_ftemp);
    }
}

int ftemp_open(char *nomf, const char *elem, uint32_t longueur) {
    ftemp_nom(nomf, elem, longueur);
    return sec_creat(nomf);
}

FILE *ftemp_fopen(char *nomf, const char *elem, uint32_t longueur) {
    ftemp_nom(nomf, elem, longueur);
    return sec_fopen(nomf, ecriture);
}

int ftemp_unlink(char *nomf) {
    return remove(nomf) == 0 ? 0 : -1;
}
