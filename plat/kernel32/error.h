// Host errors as Win32 and the C runtime report them.
#ifndef QUILLON_PLAT_FS_ERROR_H
#define QUILLON_PLAT_FS_ERROR_H

#include <windows.h>

DWORD fs_error_from_errno(int e);
int fs_errno_from_error(DWORD err);

// SetLastError(err) and return FALSE: the failure path of the Win32 calls.
BOOL fs_fail(DWORD err);
// The failure path of the runtime calls: errno from err (and the last error), return -1.
int fs_crt_fail(DWORD err);

#endif
