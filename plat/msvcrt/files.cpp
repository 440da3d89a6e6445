// The C runtime's file calls with Windows semantics: names in the ANSI code page, relative to
// the current directory of the current drive; the Microsoft runtime's flag values.
#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <unistd.h>
#include "kernel32/attr.h"
#include "kernel32/error.h"
#include "kernel32/files.h"
#include "kernel32/flush.h"
#include "kernel32/move.h"
#include "kernel32/open.h"
#include "kernel32/resolve.h"
#include "kernel32/streams.h"
#include "platcrt.h"

#undef fopen
#undef fclose
#undef remove
#undef rename

// Host open flags of a stream mode ("r", "w+b", "a+", "rb+", ...); -1 when invalid. The
// Microsoft runtime knows no "x": it is ignored, and "wx" empties an existing file as "w".
static int stream_flags(const char *mode, std::string &host_mode) {
    if (mode == nullptr) return -1;
    int flags;
    switch (mode[0]) {
    case 'r':
        flags = 0;
        break;
    case 'w':
        flags = O_CREAT | O_TRUNC;
        break;
    case 'a':
        flags = O_CREAT | O_APPEND;
        break;
    default:
        return -1;
    }
    bool plus = false;
    for (const char *m = mode + 1; *m && *m != ','; ++m)
        if (*m == '+') plus = true;
    flags |= plus ? O_RDWR : mode[0] == 'r' ? O_RDONLY : O_WRONLY;
    host_mode = std::string(1, mode[0]) + (plus ? "+" : "");
    return flags;
}

FILE *plat_fopen(const char *filename, const char *mode) {
    std::string host_mode;
    int flags = stream_flags(mode, host_mode);
    if (flags < 0) {
        errno = EINVAL;
        return nullptr;
    }
    DWORD err;
    std::string file, stream;
    if (fs_stream_split(filename, file, stream)) {
        // A named stream, read whole or written anew (the program writes none otherwise).
        if ((flags & O_ACCMODE) == O_RDWR || (flags & O_APPEND)) {
            errno = EINVAL;
            return nullptr;
        }
        FILE *f = fs_stream_fopen(file, stream, (flags & O_ACCMODE) == O_WRONLY, &err);
        if (f == nullptr) fs_crt_fail(err);
        return f;
    }
    int fd = fs_open(filename, flags, 0666, &err);
    if (fd < 0) {
        fs_crt_fail(err);
        return nullptr;
    }
    FILE *f = fdopen(fd, host_mode.c_str());
    if (f == nullptr) {
        int e = errno;
        close(fd);
        errno = e;
    }
    return f;
}

int plat_fclose(FILE *stream) {
    if (stream == nullptr) {
        errno = EINVAL;
        return EOF;
    }
    int flushed = fflush(stream);
    fs_start_writeback(fileno(stream));
    return fclose(stream) == 0 && flushed == 0 ? 0 : EOF;
}

FILE *_fdopen(int fd, const char *mode) {
    std::string host_mode;
    if (stream_flags(mode, host_mode) < 0) {
        errno = EINVAL;
        return nullptr;
    }
    return fdopen(fd, host_mode.c_str());
}

int plat_remove(const char *filename) {
    DWORD err = fs_delete_file(filename);
    return err ? fs_crt_fail(err) : 0;
}

int plat_rename(const char *oldname, const char *newname) {
    DWORD err = fs_move(oldname, newname, 0);
    // The runtime reports an existing new name as EACCES.
    if (err == ERROR_ALREADY_EXISTS) {
        fs_crt_fail(err);
        errno = EACCES;
        return -1;
    }
    return err ? fs_crt_fail(err) : 0;
}

int _open(const char *filename, int oflag, ...) noexcept {
    int pmode = _S_IREAD | _S_IWRITE;
    if (oflag & _O_CREAT) {
        va_list ap;
        va_start(ap, oflag);
        pmode = va_arg(ap, int);
        va_end(ap);
    }
    int acc = oflag & (_O_WRONLY | _O_RDWR);
    int flags = acc == _O_RDWR ? O_RDWR : acc == _O_WRONLY ? O_WRONLY : O_RDONLY;
    if (oflag & _O_CREAT) flags |= O_CREAT;
    if (oflag & _O_TRUNC) flags |= O_TRUNC;
    if (oflag & _O_EXCL) flags |= O_EXCL;
    if (oflag & _O_APPEND) flags |= O_APPEND;
    mode_t mode = (pmode & _S_IWRITE) ? 0666 : 0444;
    DWORD err;
    int fd = fs_open(filename, flags, mode, &err);
    return fd < 0 ? fs_crt_fail(err) : fd;
}

int _creat(const char *filename, int pmode) noexcept {
    return _open(filename, _O_CREAT | _O_TRUNC | _O_RDWR, pmode);
}

int _close(int fd) noexcept {
    fs_start_writeback(fd);
    return fs_close(fd);
}

int _read(int fd, void *buffer, unsigned int count) noexcept {
    ssize_t n;
    do n = read(fd, buffer, count > INT_MAX ? INT_MAX : count);
    while (n < 0 && errno == EINTR);
    return (int)n;
}

int _write(int fd, const void *buffer, unsigned int count) noexcept {
    if (count > INT_MAX) count = INT_MAX;
    const char *p = (const char *)buffer;
    unsigned int done = 0;
    while (done < count) {
        ssize_t n = write(fd, p + done, count - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;
            return -1;
        }
        done += (unsigned int)n;
    }
    return (int)done;
}

long _lseek(int fd, long offset, int origin) noexcept {
    return (long)lseek(fd, offset, origin);
}

long _filelength(int fd) noexcept {
    struct stat st;
    return fstat(fd, &st) == 0 ? (long)st.st_size : -1;
}

int _commit(int fd) noexcept {
    DWORD err = fs_flush_watched(fd);
    return err ? fs_crt_fail(err) : 0;
}

int _unlink(const char *filename) noexcept {
    return plat_remove(filename);
}

int _access(const char *path, int mode) noexcept {
    if (mode & ~6) {
        errno = EINVAL;
        return -1;
    }
    HostPath h = fs_resolve(path);
    struct stat st;
    if (h.error || !h.target_status(st))
        return fs_crt_fail(h.error ? h.error : ERROR_FILE_NOT_FOUND);
    if ((mode & 2) && S_ISREG(st.st_mode) && fs_read_only(st))
        return fs_crt_fail(ERROR_ACCESS_DENIED);
    return 0;
}
