// Names the program gives (Windows-1252; DOS, drive-relative or relative paths) turned into
// host paths, for the parts of the platform layer that open files themselves.
#ifndef QUILLON_PLAT_FS_RESOLVE_H
#define QUILLON_PLAT_FS_RESOLVE_H

#include <string>

// Host path (UTF-8) of the name as the file functions resolve it now (drive, current
// directory, case); "" when it cannot be resolved.
std::string plat_host_path(const char *ansi);

#endif
