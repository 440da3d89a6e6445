// The flush of a file or a directory, and the test hooks that make the next one fail.
#include "kernel32/flush.h"
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#include "kernel32/error.h"
#include "plattest_fs.h"

static bool fail_file = false, fail_directory = false;

void plat_test_fail_next_flush(void) {
    fail_file = true;
}

void plat_test_fail_next_directory_flush(void) {
    fail_directory = true;
}

// A disk that cannot write what it holds says so at the flush: an I/O error.
static bool planted_failure(int fd) {
    struct stat st;
    bool directory = fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
    bool &armed = directory ? fail_directory : fail_file;
    if (!armed) return false;
    armed = false;
    return true;
}

DWORD fs_flush(int fd) {
    if (fd < 0) return ERROR_INVALID_HANDLE;
    if (planted_failure(fd)) return ERROR_IO_DEVICE;
    if (fsync(fd) == 0) return 0;
    int e = errno;
    return e == EIO ? ERROR_IO_DEVICE : fs_error_from_errno(e);
}
