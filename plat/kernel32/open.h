// Opening a program name on the host, with the rules Windows applies.
#ifndef QUILLON_PLAT_FS_OPEN_H
#define QUILLON_PLAT_FS_OPEN_H

#include <sys/stat.h>
#include <sys/types.h>
#include <windows.h>

// Opens `ansi` with host open flags (O_CREAT, O_EXCL, O_TRUNC, O_APPEND, access mode) and
// the mode for a new file. As on Windows: a read-only file refuses writing and truncation,
// a directory or device cannot be opened as a file, an existing file with O_CREAT|O_EXCL
// gives ERROR_FILE_EXISTS, a new name must be one Windows allows. Returns the descriptor,
// or -1 and the Win32 error in *err. *existed tells whether the file was there before.
int fs_open(const char *ansi, int flags, mode_t mode, DWORD *err, bool *existed = nullptr);

// Notes the file a descriptor was opened on (its status) and whether the name it was opened
// by makes it hidden, which the handle's attributes tell.
void fs_note_opened_as(int fd, const struct stat &st, bool hidden);

// Closes a descriptor the layer handed out: 0, or -1 with errno when the host reports a
// failure (a delayed write error), which is never taken for success. The descriptor is
// closed in either case.
int fs_close(int fd);

#endif
