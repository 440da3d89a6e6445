// The one open that the runtime's and Win32's file calls share, and the Win32 handle calls.
#include "kernel32/open.h"
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include "kernel32/fdhandle.h"
#include "kernel32/attr.h"
#include "kernel32/error.h"
#include "kernel32/flush.h"
#include "kernel32/nameindex.h"
#include "kernel32/resolve.h"
#include "kernel32/security.h"

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
    if (h.exists && stat(host.c_str(), &st) == 0) {
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
    if (fd < 0) *err = errno == EEXIST ? ERROR_FILE_EXISTS : fs_error_from_errno(errno);
    if (fd >= 0 && !h.exists) fs_index_changed(h.dir, h.name);
    return fd;
}

HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD /*dwShareMode*/,
                          LPSECURITY_ATTRIBUTES lpSecurityAttributes,
                          DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes,
                          HANDLE /*hTemplateFile*/) {
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

BOOL WINAPI FlushFileBuffers(HANDLE hFile) {
    DWORD err = fs_flush(fd_from_handle(hFile));
    return err ? fs_fail(err) : TRUE;
}

BOOL WINAPI CloseHandle(HANDLE hObject) {
    int fd = fd_from_handle(hObject);
    if (fd < 0) return fs_fail(ERROR_INVALID_HANDLE);
    // A failed close can be a delayed write error: it is reported, never taken for success.
    if (close(fd) != 0 && errno != EINTR) return fs_fail(fs_error_from_errno(errno));
    return TRUE;
}
