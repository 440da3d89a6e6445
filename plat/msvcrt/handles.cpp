// Descriptors and their Win32 handles.
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include "kernel32/fdhandle.h"
#include "kernel32/flush.h"

intptr_t _get_osfhandle(int fd) { return (intptr_t)handle_from_fd(fd); }
int _fileno(FILE *f) { return fileno(f); }

// The handle becomes the descriptor's: closing the descriptor closes it.
int _open_osfhandle(intptr_t osfhandle, int flags) {
    (void)flags; // binary in any case: this runtime never translates line ends
    int fd = fd_from_handle((HANDLE)osfhandle);
    if (fd < 0) errno = EBADF;
    return fd;
}

// A second descriptor on the same open file, which stays open when the first is closed.
int _dup(int fd) noexcept {
    int d = fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (d < 0) return -1;
    fs_writeback_opened(d, true); // its close asks, whatever the earlier one of that number
    return d;
}
