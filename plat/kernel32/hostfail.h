// Failures a test plants at the host boundary: the host's own call (fsync, close, rename)
// fails with the error the disk reports (EIO, ENOSPC, EDQUOT), so that what the layer makes
// of it is tested too.
#ifndef QUILLON_PLAT_FS_HOSTFAIL_H
#define QUILLON_PLAT_FS_HOSTFAIL_H

enum FsHostCall { FS_HOST_FSYNC, FS_HOST_CLOSE, FS_HOST_RENAME };

// For tests: the next host call of that kind fails with errno `error` (0: none planted).
void fs_test_fail_host(FsHostCall call, int error);

// Before each such host call: the error planted for it (then forgotten), or 0. Calls may come
// from several threads at once; one planted failure fails one call.
int fs_host_planted(FsHostCall call);

#endif
