// What Win32 reports about a file: attributes, size, times.
#ifndef QUILLON_PLAT_FS_ATTR_H
#define QUILLON_PLAT_FS_ATTR_H

#include <string>
#include <sys/stat.h>
#include <windows.h>

// Fills the record for the entry `name` of the host directory open as `dirfd` (AT_FDCWD:
// `name` is a path), listed under `ansi_name` (which decides the hidden bit: names that start
// with a dot, "." and ".." excepted). `type` is the entry's type as the directory's reading
// gave it (DT_UNKNOWN where the host gives none). One status query relative to the directory;
// a link takes one more for its target. False when the entry is gone or is of a kind Windows
// has no files for (devices, pipes, sockets).
bool fs_find_data_at(int dirfd, const char *name, unsigned char type, const char *ansi_name,
                     WIN32_FIND_DATAA &fd);
bool fs_find_data(const std::string &host, const std::string &ansi_name, WIN32_FIND_DATAA &fd);

// Whether a file of that name is hidden: the host hides the names that begin with a dot.
bool fs_hidden_name(const char *ansi_name);
// The attributes of an entry of that mode (a link: the mode of what it leads to, or its own
// when that is gone); INVALID_FILE_ATTRIBUTES for a kind Windows has no files for.
DWORD fs_attributes(mode_t mode, bool link, bool hidden);

// Windows' read-only attribute: the owner may not write.
bool fs_read_only(const struct stat &st);

#endif
