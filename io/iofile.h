// File services: checked opens, block copy with progress, extensions, temporary files,
// drive queries and operations on names.
#ifndef QUILLON_IO_IOFILE_H
#define QUILLON_IO_IOFILE_H

#include <stdio.h>
#include <stdint.h>
#include <windows.h>

// Stream open modes, all binary.
extern const char ecriture[];  // "w+b": create or truncate, read and write
extern const char lecture[];   // "r+b": an existing file, read and write
extern const char lectseule[]; // "rb": read only
extern const char majour[];    // "a+b": append, read and write

extern char froot[4];   // "C:\": root of the drive last queried
extern int SUPPORT_LFN; // the current drive supports long names
extern int LFN_lg;      // longest name component of the drive last queried
extern int maxpath;     // longest path of the drive last queried

#define TAILLE_BLOC_COPIE 40960 // bytes per block of frecopie, as the cursor and bar see them
#define BLOCS_PAR_TRANSFERT 64  // blocks frecopie reads and writes at a time: ten 256 KiB buffers
#define COPIE_INTERROMPUE (-2)  // frecopie: the user stopped the work with Escape

// Long-name record written by put_nom_long: 256 bytes.
typedef struct {
    unsigned char marque; // 0x5C
    unsigned char ff;     // 0xFF
    unsigned char lg;     // length of the name
    char nom[253];        // the name, then zeros
} nom_long;

// Operations the program relies on
char *extension(char *nom, const char *ext);
FILE *sec_fopen(const char *filename, const char *mode);
int sec_open_ro(const char *filename);
int frecopie(FILE *f1, FILE *f2, uint32_t l);
// Flushes the n descriptors fd to the disk together; ok[i] gets 1 once fd[i]'s data is there.
// Called from one thread at a time (the passes' own).
void vide_ensemble(const int *fd, int *ok, int n);
int support_lfn(int lecteur);
int disque_msdos(unsigned char lecteur);
#define ATTRIBUT_VOLUME 0x08      // the entry of a volume label (MS-DOS)
int est_fichier(DWORD attributs); // neither a directory nor a volume label

// Further library operations
int sec_open(const char *filename);
int sec_creat(const char *filename);
[[noreturn]] void sortie_erreur_fichier(const char *fnom);
int ftemp_open(char *nomf, const char *elem, uint32_t longueur);
FILE *ftemp_fopen(char *nomf, const char *elem, uint32_t longueur);
int ftemp_unlink(char *nomf);
int place_disque(unsigned char disque, uint32_t lg);
uint32_t existe(const char *fnom);
char *extension_num(char *nf);
char *extension_numerique(char *nf, int num);
int nomcourt(const char *nomlong, char *nomcourt);
uint32_t taille_reper(const char *nom, uint32_t resultat);
void put_nom_long(FILE *fd, const char *nom);
void creation_nom(char *chne, int numd, int numf);
void path(char *p, const char *fichier);

#endif
