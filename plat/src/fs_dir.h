// Reading host directories the way the program expects to see them.
#ifndef QUILLON_PLAT_FS_DIR_H
#define QUILLON_PLAT_FS_DIR_H

#include <string>
#include <vector>
#include "fs_ansi.h"

struct DirEntry {
    std::string host; // the name on the host (UTF-8)
    AnsiName ansi;    // the name as the program sees it
    std::string key;  // order: the name ignoring case, then the host's bytes
};

// Entries of a host directory, "." and ".." left out, in the layer's one stable order.
// False (errno set) when the directory cannot be read.
bool fs_read_dir(const std::string &dir, std::vector<DirEntry> &out);

// The entry a program name designates in a host directory: the exact spelling wins, else the
// first entry equal to it ignoring case, else the first where each '?' of the name stands for
// a character the program cannot hold. The host name goes to `found`.
bool fs_lookup(const std::string &dir, const std::string &ansi, std::string &found);

std::string fs_join(const std::string &dir, const std::string &name);

#endif
