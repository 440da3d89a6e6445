// Deleting a file, as DeleteFileA, remove and _unlink share it.
#ifndef QUILLON_PLAT_FS_FILES_H
#define QUILLON_PLAT_FS_FILES_H

#include <windows.h>

// 0, or the Win32 error: a directory or a read-only file is not deleted
// (ERROR_ACCESS_DENIED), as on Windows. A symbolic link is removed, not its target. A named
// stream ("name:stream") is removed alone.
DWORD fs_delete_file(const char *ansi);

#endif
