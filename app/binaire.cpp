// Building the Quillon header of a PC file: Macintosh name, type and creator by extension,
// data fork length and dates.
#include <string.h>
#include <windows.h>
#include "app/quillon.h"
#include "io/iobit.h"
#include "io/mac2pc.h"

// The first row is the default; the first matching row wins, so a repeated extension
// further down is never chosen.
const creatype table_creat[40] = {
    {"TXT", "TEXT????"}, {"DOC", "WDBNMSWD"}, {"TIF", "TIFF????"}, {"MW4", "WORDMACA"},
    {"MW2", "MW2DMWII"}, {"XLS", "XLS5XCEL"}, {"MCW", "WDBNMSWD"}, {"FH3", "FHD3FHA3"},
    {"PM5", "ALB5ALD5"}, {"EPS", "EPSF????"}, {"QXD", "XDOCXPR3"}, {"XLS", "XLS4XCEL"},
    {"CWK", "CWWPBOBO"}, {"PPT", "SLD3PPT3"}, {"EPS", "EPSPXPR3"}, {"DOC", "W6BNMSWD"},
    {"JPG", "JPEG????"}, {"PCT", "PICT????"}, {"HQX", "TEXTBNHQ"}, {"DIR", "MV93MD93"},
    {"AI", "TEXTART5"},  {"GIF", "GIFfStMl"}, {"HTM", "TEXTStMl"}, {"PDF", "PDF CARO"},
    {"   ", "        "}, {"   ", "        "}, {"   ", "        "}, {"   ", "        "},
    {"   ", "        "}, {"   ", "        "}, {"   ", "        "}, {"   ", "        "},
    {"   ", "        "}, {"   ", "        "}, {"   ", "        "}, {"   ", "        "},
    {"   ", "        "}, {"GIF", "GIFf????"}, {"RAG", "R#      "}, {"EXE", "APPL????"},
};

// The longest name converted for a header: the header keeps LG_NOM_MAC characters of it.
#define LG_NOM_CONVERTI 40

const char *calcule_createur(const char *fnom) {
    // The extension is what follows the last dot of the last path component.
    const char *nom = fnom;
    for (const char *p = fnom; *p; p++)
        if (*p == '\\' || *p == '/' || *p == ':') nom = p + 1;
    const char *point = strrchr(nom, '.');
    const char *source = point ? point + 1 : "";

    char ext[8]; // a table extension has at most 3 characters: a longer one never matches
    size_t lg = strlen(source);
    if (lg == 0 || lg >= sizeof table_creat[0].e) return table_creat[0].ct;
    for (size_t i = 0; i <= lg; i++) {
        char c = source[i];
        ext[i] = (c >= 'a' && c <= 'z') ? (char)(c - 'a' + 'A') : c;
    }
    for (const creatype &ligne : table_creat)
        if (strcmp(ext, ligne.e) == 0) return ligne.ct;
    return table_creat[0].ct;
}

size_t calcule_binary(FILE *fs, FILE *fd, const char *fnom, uint32_t longueur) {
    unsigned char bloc[LG_ENTETE];
    memset(bloc, 0, sizeof bloc);
    rub_quillon r;
    memset(&r, 0, sizeof r);

    // Only the characters the header can use are converted, so a long name cannot overrun
    // the conversion buffer. A character without a Macintosh counterpart (a control
    // character, the colon, some of the upper half) becomes "_": the name keeps the others and
    // its extension, and is never empty, which would make the header no header at all.
    char nom[LG_NOM_CONVERTI];
    size_t lg = 0;
    for (; fnom[lg] != '\0' && lg < LG_NOM_MAC; ++lg) {
        unsigned char mac = PC2MAC[(unsigned char)fnom[lg]];
        nom[lg] = mac != 0 ? (char)mac : '_';
    }
    r.lgnom = (unsigned char)lg;
    memcpy(r.nom, nom, lg);

    const char *ct = calcule_createur(fnom);
    memcpy(r.ftype, ct, sizeof r.ftype);
    memcpy(r.fcret, ct + sizeof r.ftype, sizeof r.fcret);

    r.dlog = swap32b(longueur);
    uint32_t date = mgetftime(_fileno(fs));
    r.dcreat = swap32b(date);
    r.dmodif = swap32b(date + 1);

    memcpy(bloc, &r, sizeof r);
    return fwrite(bloc, sizeof bloc, 1, fd);
}
