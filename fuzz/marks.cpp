// The mark that tells the program's own files from the user's (any bytes, as another program
// could leave them in the stream of a file named like a work file): read by the pass's own
// reader, it may make the file the program's only when its last line names that file.
#include <cstdio>
#include <cstring>
#include <sys/xattr.h>
#include "app/restes.h"
#include "fuzz.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    return fuzz_start(true);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size > 4000) size = 4000; // as much as a stream of the platform holds
    const std::string fichier = fuzz_drive() + "/x.$$$";
    fuzz_write(fichier, data, 0);
    if (setxattr(fichier.c_str(), "user.Quillon", data, size, 0) != 0) return 0;
    nature_fichier n = nature("x.$$$");
    std::string texte((const char *)data, size);
    size_t fin = texte.rfind('\n');
    bool nomme = texte.find('\0') == std::string::npos && fin != std::string::npos &&
                 strcasecmp(texte.c_str() + fin + 1, "x.$$$") == 0;
    if (n != FICHIER_UTILISATEUR && (!nomme || texte.compare(0, 8, "Quillon\n") != 0)) {
        fprintf(stderr, "a mark that names no such file taken for the program's\n");
        abort();
    }
    return 0;
}
