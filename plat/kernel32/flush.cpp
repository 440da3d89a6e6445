// The flush of a file or a directory, and the test hooks that watch it or make the next one
// fail. The flushes of several files may run at once, each in a thread of its own.
#include "kernel32/flush.h"
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include "kernel32/error.h"
#include "kernel32/hostfail.h"
#include "plattest_fs.h"

static std::atomic<bool> fail_file{false};
static std::atomic<DWORD> fail_directory{0}; // the error planted, 0 when none
// Set by a test while nothing flushes; called from every flushing thread.
static std::function<void(const std::string &, bool)> flush_hook;

void plat_test_fail_next_flush(void) {
    fail_file = true;
}

void plat_test_fail_next_directory_flush(unsigned long error) {
    fail_directory = (DWORD)error;
}

void plat_test_on_flush(std::function<void(const std::string &host, bool directory)> hook) {
    flush_hook = std::move(hook);
}

static bool is_directory(int fd) {
    struct stat st;
    return fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
}

// A disk that cannot write what it holds says so at the flush: an I/O error. One planted
// failure fails one flush, whichever thread comes first. 0 when none is planted.
static DWORD planted_failure(int fd) {
    if (!fail_file && !fail_directory) return 0; // no test asked: no look at the file
    if (is_directory(fd)) return fail_directory.exchange(0);
    return fail_file.exchange(false) ? ERROR_IO_DEVICE : 0;
}

DWORD fs_flush(int fd) {
    if (fd < 0) return ERROR_INVALID_HANDLE;
    if (DWORD err = planted_failure(fd)) return err;
    int planted = fs_host_planted(FS_HOST_FSYNC);
    if (planted != 0)
        errno = planted;
    else if (fsync(fd) == 0)
        return 0;
    int e = errno;
    return e == EIO ? ERROR_IO_DEVICE : fs_error_from_errno(e);
}

// The descriptors with nothing of theirs to write at their close: opened only for reading,
// or flushed by the program since. Only a hint, kept for the first descriptors (a pass holds
// a few dozen).
static std::atomic<bool> clean[1024];

static std::atomic<bool> *clean_mark(int fd) {
    return fd >= 0 && (size_t)fd < sizeof clean / sizeof clean[0] ? &clean[fd] : nullptr;
}

DWORD fs_flush_watched(int fd) {
    if (flush_hook && fd >= 0) {
        char link[64], path[4096];
        snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
        ssize_t n = readlink(link, path, sizeof path - 1);
        flush_hook(std::string(path, n > 0 ? (size_t)n : 0), is_directory(fd));
    }
    DWORD err = fs_flush(fd);
    if (err == 0)
        if (std::atomic<bool> *m = clean_mark(fd)) *m = true;
    return err;
}

void fs_writeback_opened(int fd, bool writable) {
    if (std::atomic<bool> *m = clean_mark(fd)) *m = !writable;
}

// A descriptor the layer knows nothing of is asked as one written: the host has nothing to
// write for one only read, and asking costs what telling them apart would.
void fs_start_writeback(int fd) {
    if (fd < 0) return; // a stream of the layer's own (a named stream) has no descriptor
    std::atomic<bool> *m = clean_mark(fd);
    if (m != nullptr && m->exchange(false)) return;
    sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
}
