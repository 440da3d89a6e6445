// The program's resource script and the files it names, embedded at build time: the build
// generates a source that registers them before the program starts (hosts without Win32).
#ifndef QUILLON_PLAT_PLATRES_H
#define QUILLON_PLAT_PLATRES_H

#include <cstddef>

struct PlatResourceFile {
    const char *name; // path relative to the script's directory, as the script names it
    const unsigned char *data;
    size_t size;
};

// The first file registered is the script itself.
void plat_register_resources(const PlatResourceFile *files, size_t count);

#endif
