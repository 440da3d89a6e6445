// Renames that never replace (unless asked to), and hard links.
#ifndef QUILLON_PLAT_FS_MOVE_H
#define QUILLON_PLAT_FS_MOVE_H

#include <windows.h>

// MoveFileExA's work: 0 or the Win32 error (MOVEFILE_REPLACE_EXISTING and
// MOVEFILE_WRITE_THROUGH are honoured).
DWORD fs_move(const char *from, const char *to, DWORD flags);

// For tests: 0 uses the host's no-replace rename; 1 behaves as on a file system without it
// (NFS: a hard link, then the old name removed); 2 as on one without hard links either
// (FAT, exFAT: CreateHardLinkA fails with ERROR_NOT_SUPPORTED, a move checks the target
// then renames, and no volume keeps named streams).
void fs_test_rename_fallback(int level);
bool fs_test_fat(void); // level 2


#endif
