// A file's security as this host keeps it: the owner, the group and the permission bits.
#ifndef QUILLON_PLAT_FS_SECURITY_H
#define QUILLON_PLAT_FS_SECURITY_H

#include <sys/types.h>
#include <windows.h>

// The mode a file is created with under a security descriptor of GetFileSecurityA: no more
// than the owner's bits, so that no one else can open it before fs_apply_security.
mode_t fs_creation_mode(const void *descriptor);

// Gives a newly created file the access the descriptor describes.
void fs_apply_security(int fd, const void *descriptor);

#endif
