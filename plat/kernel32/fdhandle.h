// How a Win32 file HANDLE stands for a host file descriptor inside the platform layer:
// descriptor + 1, so that descriptor 0 is not the null handle and -1 maps to
// INVALID_HANDLE_VALUE's neighbour, never to a valid handle.
#ifndef QUILLON_PLAT_FDHANDLE_H
#define QUILLON_PLAT_FDHANDLE_H

#include <windows.h>

inline HANDLE handle_from_fd(int fd) { return fd < 0 ? INVALID_HANDLE_VALUE : (HANDLE)(intptr_t)(fd + 1); }
inline int fd_from_handle(HANDLE h) {
    return (h == INVALID_HANDLE_VALUE || h == nullptr) ? -1 : (int)((intptr_t)h - 1);
}

#endif
