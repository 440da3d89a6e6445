// What the layer remembers of the names of one large directory, so that looking there for a
// name it does not hold (a new work file, a name in another case) does not read it all.
#ifndef QUILLON_PLAT_FS_NAMEINDEX_H
#define QUILLON_PLAT_FS_NAMEINDEX_H

#include <string>
#include <sys/stat.h>

// False only when the host directory `dir` surely holds no entry whose program name, or
// generated name, equals `ansi` ignoring case ('?' standing for itself or for a character
// the program cannot hold). `dir_status`: the directory's status just taken, if the caller
// has it.
bool fs_index_may_hold(const std::string &dir, const std::string &ansi,
                       const struct stat *dir_status = nullptr);

// The layer made the host name `name` in `dir` (empty: only removed or replaced entries).
void fs_index_changed(const std::string &dir, const std::string &name);

#endif
