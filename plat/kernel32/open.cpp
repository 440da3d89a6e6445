// The one open that the runtime's and Win32's file calls share, and the Win32 handle calls.
#include "kernel32/open.h"
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include "kernel32/fdhandle.h"
#include "kernel32/attr.h"
#include "kernel32/error.h"
#include "kernel32/flush.h"
#include "kernel32/hostfail.h"
#include "kernel32/nameindex.h"
#include "kernel32/resolve.h"
#include "kernel32/security.h"
#include "plattest_fs.h"

int fs_close(int fd) {
    int planted = fs_host_planted(FS_HOST_CLOSE);
    if (planted != 0) {
        close(fd);
        errno = planted;
        return -1;
    }
    return close(fd) == 0 || errno == EINTR ? 0 : -1;
}

int fs_open(const char *ansi, int flags, mode_t mode, DWORD *err, bool *existed) {
    DosPath p;
    HostPath h = fs_resolve(ansi, &p);
    *err = h.error;
    if (existed) *existed = h.exists;
    if (*err == 0 && p.parts.empty()) *err = ERROR_ACCESS_DENIED; // a drive's root
    if (*err != 0) return -1;
    std::string host = h.full();
    struct stat st;
    bool writes = (flags & O_ACCMODE) != O_RDONLY || (flags & O_TRUNC);
    if (h.target_status(st)) {
        if ((flags & O_CREAT) && (flags & O_EXCL))
            *err = ERROR_FILE_EXISTS;
        else if (!S_ISREG(st.st_mode))
            *err = ERROR_ACCESS_DENIED;
        else if (writes && fs_read_only(st))
            *err = ERROR_ACCESS_DENIED;
    } else if (!(flags & O_CREAT)) {
        *err = ERROR_FILE_NOT_FOUND;
    } else if (!h.exists && !fs_valid_new_name(p.parts.back())) {
        *err = ERROR_INVALID_NAME;
    }
    if (*err != 0) return -1;
    int fd;
    do fd = open(host.c_str(), flags | O_CLOEXEC, mode);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        *err = errno == EEXIST ? ERROR_FILE_EXISTS : fs_error_from_errno(errno);
        return fd;
    }
    fs_writeback_opened(fd, writes);
    if (h.has_status && S_ISREG(h.status.st_mode))
        fs_note_opened_as(fd, h.status, fs_hidden_name(p.parts.back().c_str()));
    if (!h.exists) fs_index_changed(h.dir, h.name);
    return fd;
}

// A directory opens only with FILE_FLAG_BACKUP_SEMANTICS, for flushing its entries to the
// disk: with GENERIC_WRITE a handle that FlushFileBuffers takes; without, one it refuses (an
// O_PATH descriptor), as on Windows. A drive's root is a directory too.
static HANDLE open_directory(LPCSTR name, DWORD access, DWORD disposition) {
    HostPath h = fs_resolve(name);
    struct stat st;
    if (h.error) return SetLastError(h.error), INVALID_HANDLE_VALUE;
    if (!h.target_status(st) || !S_ISDIR(st.st_mode)) return nullptr;
    if (disposition != OPEN_EXISTING && disposition != OPEN_ALWAYS)
        return SetLastError(disposition == CREATE_NEW ? ERROR_FILE_EXISTS : ERROR_ACCESS_DENIED),
               INVALID_HANDLE_VALUE;
    int flags = O_DIRECTORY | O_CLOEXEC | ((access & GENERIC_WRITE) ? O_RDONLY : O_PATH);
    int fd = open(h.full().c_str(), flags);
    if (fd < 0) return SetLastError(fs_error_from_errno(errno)), INVALID_HANDLE_VALUE;
    SetLastError(disposition == OPEN_ALWAYS ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle_from_fd(fd);
}

HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD /*dwShareMode*/,
                          LPSECURITY_ATTRIBUTES lpSecurityAttributes,
                          DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes,
                          HANDLE /*hTemplateFile*/) {
    if (dwFlagsAndAttributes & FILE_FLAG_BACKUP_SEMANTICS) {
        HANDLE d = open_directory(lpFileName, dwDesiredAccess, dwCreationDisposition);
        if (d != nullptr) return d; // a directory, or the reason it cannot be opened
    }
    bool rd = dwDesiredAccess & GENERIC_READ, wr = dwDesiredAccess & GENERIC_WRITE;
    int flags = (rd && wr) ? O_RDWR : wr ? O_WRONLY : O_RDONLY;
    switch (dwCreationDisposition) {
    case CREATE_NEW:
        flags |= O_CREAT | O_EXCL;
        break;
    case CREATE_ALWAYS:
        flags |= O_CREAT | O_TRUNC;
        break;
    case OPEN_EXISTING:
        break;
    case OPEN_ALWAYS:
        flags |= O_CREAT;
        break;
    case TRUNCATE_EXISTING:
        flags |= O_TRUNC;
        break;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    const void *security = lpSecurityAttributes ? lpSecurityAttributes->lpSecurityDescriptor : nullptr;
    mode_t mode = fs_creation_mode(security);
    if (dwFlagsAndAttributes & FILE_ATTRIBUTE_READONLY) mode &= 0444;
    DWORD err;
    bool existed = false;
    int fd = fs_open(lpFileName, flags, mode, &err, &existed);
    if (fd < 0) {
        SetLastError(err);
        return INVALID_HANDLE_VALUE;
    }
    if (!existed) fs_apply_security(fd, security);
    bool told = dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == OPEN_ALWAYS;
    SetLastError(told && existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle_from_fd(fd);
}

static bool size_of(HANDLE h, unsigned long long &size) {
    struct stat st;
    int fd = fd_from_handle(h);
    if (fd < 0 || fstat(fd, &st) != 0) return false;
    size = (unsigned long long)st.st_size;
    return true;
}

DWORD WINAPI GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh) {
    unsigned long long size;
    if (!size_of(hFile, size)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return INVALID_FILE_SIZE;
    }
    if (lpFileSizeHigh) *lpFileSizeHigh = (DWORD)(size >> 32);
    SetLastError(ERROR_SUCCESS); // a size whose low half is 0xFFFFFFFF is not a failure
    return (DWORD)size;
}

BOOL WINAPI GetFileSizeEx(HANDLE hFile, PLARGE_INTEGER lpFileSize) {
    unsigned long long size;
    if (lpFileSize == nullptr || !size_of(hFile, size)) return fs_fail(ERROR_INVALID_HANDLE);
    lpFileSize->QuadPart = (long long)size;
    return TRUE;
}

// As on Windows, only a handle opened for writing can be flushed; a directory's handle
// (opened with GENERIC_WRITE) flushes its entries: the host's fsync of the directory.
BOOL WINAPI FlushFileBuffers(HANDLE hFile) {
    int fd = fd_from_handle(hFile);
    int flags = fd < 0 ? -1 : fcntl(fd, F_GETFL);
    struct stat st;
    if (flags < 0 || fstat(fd, &st) != 0) return fs_fail(ERROR_INVALID_HANDLE);
    if ((flags & O_PATH) || (!S_ISDIR(st.st_mode) && (flags & O_ACCMODE) == O_RDONLY))
        return fs_fail(ERROR_ACCESS_DENIED);
    DWORD err = fs_flush_watched(fd);
    // Some file systems cannot sync a directory; their entries are as durable as they get.
    if (S_ISDIR(st.st_mode) && (err == ERROR_INVALID_PARAMETER || err == ERROR_WRITE_PROTECT))
        return TRUE;
    return err ? fs_fail(err) : TRUE;
}

BOOL WINAPI CloseHandle(HANDLE hObject) {
    int fd = fd_from_handle(hObject);
    if (fd < 0) return fs_fail(ERROR_INVALID_HANDLE);
    fs_start_writeback(fd);
    // A failed close can be a delayed write error: it is reported, never taken for success.
    if (fs_close(fd) != 0) return fs_fail(fs_error_from_errno(errno));
    return TRUE;
}
