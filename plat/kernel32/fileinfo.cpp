// What identifies an open file and tells whether it changed, and the times set on a file.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <windows.h>
#include "kernel32/error.h"
#include "kernel32/fdhandle.h"
#include "kernel32/unixtime.h"

static LARGE_INTEGER large(FILETIME ft) {
    LARGE_INTEGER v;
    v.QuadPart = (long long)(((unsigned long long)ft.dwHighDateTime << 32) | ft.dwLowDateTime);
    return v;
}

// The attributes of an open file: hidden comes from the name it was opened by.
static DWORD attributes(int fd, const struct stat &st) {
    DWORD attr = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if ((st.st_mode & S_IWUSR) == 0) attr |= FILE_ATTRIBUTE_READONLY;
    char link[64], path[PATH_MAX];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    ssize_t n = readlink(link, path, sizeof path - 1);
    if (n > 0) {
        path[n] = '\0';
        const char *name = strrchr(path, '/');
        if (name != nullptr && name[1] == '.') attr |= FILE_ATTRIBUTE_HIDDEN;
    }
    return attr;
}

static bool status(HANDLE h, int &fd, struct stat &st) {
    fd = fd_from_handle(h);
    if (fd >= 0 && fstat(fd, &st) == 0) return true;
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
}

BOOL WINAPI GetFileInformationByHandle(HANDLE hFile,
                                       LPBY_HANDLE_FILE_INFORMATION lpFileInformation) {
    int fd;
    struct stat st;
    if (!status(hFile, fd, st)) return FALSE;
    struct statvfs vfs;
    BY_HANDLE_FILE_INFORMATION &i = *lpFileInformation;
    i.dwFileAttributes = attributes(fd, st);
    GetFileTime(hFile, &i.ftCreationTime, &i.ftLastAccessTime, &i.ftLastWriteTime);
    // The volume's serial number as GetVolumeInformationA gives it.
    i.dwVolumeSerialNumber = fstatvfs(fd, &vfs) == 0 ? (DWORD)vfs.f_fsid : (DWORD)st.st_dev;
    unsigned long long size = S_ISREG(st.st_mode) ? (unsigned long long)st.st_size : 0;
    i.nFileSizeHigh = (DWORD)(size >> 32);
    i.nFileSizeLow = (DWORD)size;
    i.nNumberOfLinks = (DWORD)st.st_nlink;
    i.nFileIndexHigh = (DWORD)((unsigned long long)st.st_ino >> 32);
    i.nFileIndexLow = (DWORD)st.st_ino;
    return TRUE;
}

BOOL WINAPI GetFileInformationByHandleEx(HANDLE hFile, FILE_INFO_BY_HANDLE_CLASS FileInformationClass,
                                         LPVOID lpFileInformation, DWORD dwBufferSize) {
    if (FileInformationClass != FileBasicInfo || dwBufferSize < sizeof(FILE_BASIC_INFO))
        return fs_fail(ERROR_INVALID_PARAMETER);
    int fd;
    struct stat st;
    if (!status(hFile, fd, st)) return FALSE;
    FILETIME c, a, w;
    GetFileTime(hFile, &c, &a, &w);
    FILE_BASIC_INFO &b = *(FILE_BASIC_INFO *)lpFileInformation;
    b.CreationTime = large(c);
    b.LastAccessTime = large(a);
    b.LastWriteTime = large(w);
    b.ChangeTime = large(filetime_from_unix(st.st_ctim));
    b.FileAttributes = attributes(fd, st);
    return TRUE;
}

static struct timespec unix_time(const FILETIME *ft) {
    if (ft == nullptr) return timespec{0, UTIME_OMIT};
    long long v = (long long)(((unsigned long long)ft->dwHighDateTime << 32) | ft->dwLowDateTime);
    v -= FILETIME_UNIX_EPOCH;
    long long s = v / 10000000LL, rest = v % 10000000LL;
    if (rest < 0) rest += 10000000LL, --s;
    return timespec{(time_t)s, (long)(rest * 100)};
}

BOOL WINAPI SetFileTime(HANDLE hFile, const FILETIME *lpCreationTime,
                        const FILETIME *lpLastAccessTime, const FILETIME *lpLastWriteTime) {
    (void)lpCreationTime; // the host sets a file's birth itself
    int fd = fd_from_handle(hFile);
    if (fd < 0) return fs_fail(ERROR_INVALID_HANDLE);
    struct timespec t[2] = {unix_time(lpLastAccessTime), unix_time(lpLastWriteTime)};
    if (futimens(fd, t) != 0) return fs_fail(fs_error_from_errno(errno));
    return TRUE;
}
