// What Win32 reports about a file: attributes, size, times.
#ifndef QUILLON_PLAT_FS_ATTR_H
#define QUILLON_PLAT_FS_ATTR_H

#include <string>
#include <sys/stat.h>
#include <windows.h>

// Fills the record for the host entry `host`, listed under `ansi_name` (which decides the
// hidden bit: names that start with a dot, "." and ".." excepted). False when the entry is
// gone or is of a kind Windows has no files for (devices, pipes, sockets).
bool fs_find_data(const std::string &host, const std::string &ansi_name, WIN32_FIND_DATAA &fd);

// Windows' read-only attribute: the owner may not write.
bool fs_read_only(const struct stat &st);

#endif
