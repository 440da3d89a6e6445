// The Quillon header: its detection and the Macintosh dates it carries.
#include <cstddef>
#include <io.h>
#include <string.h>
#include <time.h>
#include <windows.h>
#include "app/quillon.h"
#include "io/iobit.h"

// The record is read and written as raw disk bytes: every field must lie where the disk
// has it, with nothing between fields.
static_assert(offsetof(rub_quillon, zero) == 0, "zero");
static_assert(offsetof(rub_quillon, lgnom) == 1, "lgnom");
static_assert(offsetof(rub_quillon, nom) == 2, "nom");
static_assert(offsetof(rub_quillon, ftype) == 65, "ftype");
static_assert(offsetof(rub_quillon, fcret) == 69, "fcret");
static_assert(offsetof(rub_quillon, fatt) == 73, "fatt");
static_assert(offsetof(rub_quillon, zero2) == 74, "zero2");
static_assert(offsetof(rub_quillon, posv) == 75, "posv");
static_assert(offsetof(rub_quillon, posh) == 77, "posh");
static_assert(offsetof(rub_quillon, wid) == 79, "wid");
static_assert(offsetof(rub_quillon, prot) == 81, "prot");
static_assert(offsetof(rub_quillon, zero3) == 82, "zero3");
static_assert(offsetof(rub_quillon, dlog) == 83, "dlog");
static_assert(offsetof(rub_quillon, rlog) == 87, "rlog");
static_assert(offsetof(rub_quillon, dcreat) == 91, "dcreat");
static_assert(offsetof(rub_quillon, dmodif) == 95, "dmodif");
static_assert(sizeof(rub_quillon) == 99, "the record covers 99 bytes of the header");

const short mos[13] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};
const short lmos[13] = {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366};

// Seconds from 1970-01-01 to 1904-01-01, less four hours: the Macintosh dates this program
// writes have always been reckoned with this value.
static const unsigned long long DECALAGE_MAC = 2082830400ULL;

// 1900 is not a leap year; every other multiple of 4 in the date range is.
static const short *table_mois(int year) {
    return (year % 4 != 0 || year == 0) ? mos : lmos;
}

// The four fields that make a header: version 0, a name, a creation date and a fork.
static int est_entete(const unsigned char *bloc) {
    rub_quillon r;
    memcpy(&r, bloc, sizeof r);
    return r.zero == 0 && r.lgnom != 0 && r.dcreat != 0 && (r.dlog != 0 || r.rlog != 0);
}

int is_quillon(FILE *f) {
    // A file shorter than the header has no fork after it: it is not Quillon, whatever its
    // first bytes say, for adding, stripping and examining alike.
    unsigned char bloc[LG_ENTETE];
    size_t lu = fread(bloc, 1, sizeof bloc, f);
    rewind(f);
    return lu == sizeof bloc && est_entete(bloc);
}

// Adding a header to an empty file gives a header that announces no fork, which detection
// does not take for Quillon; stripping and examining must still know it. Only exactly what
// this program writes for an empty file is taken for it: nothing after the header, zeros
// where it writes zeros, and the modification date one second after the creation date.
static int entete_de_fichier_vide(const unsigned char *bloc, FILE *f) {
    rub_quillon r;
    memcpy(&r, bloc, sizeof r);
    static const unsigned char zeros[LG_ENTETE] = {0};
    return r.zero == 0 && r.lgnom != 0 && r.lgnom <= LG_NOM_MAC && r.dcreat != 0 &&
           swap32b(r.dmodif) == swap32b(r.dcreat) + 1 && r.dlog == 0 && r.rlog == 0 &&
           memcmp(bloc + offsetof(rub_quillon, fatt), zeros,
                  offsetof(rub_quillon, dlog) - offsetof(rub_quillon, fatt)) == 0 &&
           memcmp(bloc + sizeof r, zeros, LG_ENTETE - sizeof r) == 0 && fgetc(f) == EOF;
}

int lit_entete(FILE *f, unsigned char *bloc) {
    if (fread(bloc, 1, LG_ENTETE, f) != LG_ENTETE) return 0;
    return est_entete(bloc) || entete_de_fichier_vide(bloc, f);
}

// The file's last-write time as local calendar fields, read as Windows keeps it: in the
// packed DOS form, so with whole minutes once the seconds are dropped below.
static int heure_fichier(int handle, struct tm *t) {
    FILETIME ecrit, local;
    WORD date, heure;
    if (!GetFileTime((HANDLE)_get_osfhandle(handle), nullptr, nullptr, &ecrit) ||
        !FileTimeToLocalFileTime(&ecrit, &local) || !FileTimeToDosDateTime(&local, &date, &heure))
        return 0;
    memset(t, 0, sizeof *t);
    t->tm_min = (heure >> 5) & 0x3F;
    t->tm_hour = (heure >> 11) & 0x1F;
    t->tm_mday = date & 0x1F;
    t->tm_mon = ((date >> 5) & 0x0F) - 1;
    t->tm_year = 80 + ((date >> 9) & 0x7F);
    return 1;
}

// When the time stamp cannot be read (a bad descriptor, a date outside 1980-2107), the
// current time stands in for it, so the header still gets a non-zero creation date and the
// file produced is still recognised as Quillon.
uint32_t mgetftime(int handle) {
    struct tm t;
    if (!heure_fichier(handle, &t)) {
        time_t maintenant = time(nullptr);
        struct tm *lt = localtime(&maintenant);
        if (lt == nullptr) return (uint32_t)DECALAGE_MAC;
        t = *lt;
    }
    t.tm_sec = 0;
    t.tm_isdst = -1;
    time_t secondes = mktime(&t);
    if (secondes == (time_t)-1) secondes = 0;
    return (uint32_t)((unsigned long long)secondes + DECALAGE_MAC);
}

// Indexes beyond the month table (the low 16 bits of mon above 12) give the year's length.
int _daysto(int year, int mon) {
    unsigned index = (unsigned)mon & 0xFFFFu;
    if (index > 12) index = 12;
    int bissextiles = year > 0 ? (year - 1) / 4 : 0;
    return bissextiles + table_mois(year)[index];
}

struct tm *conv_datemac(uint32_t valeur) {
    static struct tm date;
    uint32_t secs = swap32b(valeur);
    memset(&date, 0, sizeof date);

    long days = (long)(secs / 86400u) + 1460; // counted from 1900-01-01
    int year = (int)(days / 365);
    while (days < 365L * year + _daysto(year, 0)) year--;
    days -= 365L * year + _daysto(year, 0);
    date.tm_year = year;

    const short *table = table_mois(year);
    int mon = 1;
    while (mon < 12 && days >= table[mon]) mon++;
    date.tm_mon = mon;
    date.tm_mday = (int)(days - table[mon - 1] + 1);

    uint32_t reste = secs % 86400u;
    date.tm_hour = (int)(reste / 3600);
    date.tm_min = (int)(reste % 3600 / 60);
    date.tm_sec = (int)(reste % 60);
    return &date;
}
