// What identifies an open file and tells whether it changed, and the times set on a file.
// One status of the host (statx) serves each call: a pass asks it of every file it reads.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/sysmacros.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <windows.h>
#include "kernel32/attr.h"
#include "kernel32/error.h"
#include "kernel32/fdhandle.h"
#include "kernel32/unixtime.h"

namespace {

struct Status {
    int fd;
    struct statx sx;
};

bool status(HANDLE h, Status &s) {
    s.fd = fd_from_handle(h);
    const unsigned masque = STATX_BASIC_STATS | STATX_BTIME;
    if (s.fd >= 0 && statx(s.fd, "", AT_EMPTY_PATH, masque, &s.sx) == 0) return true;
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
}

FILETIME filetime(const struct statx_timestamp &t) {
    return filetime_from_unix(timespec{(time_t)t.tv_sec, (long)t.tv_nsec});
}

LARGE_INTEGER large(FILETIME ft) {
    LARGE_INTEGER v;
    v.QuadPart = (long long)(((unsigned long long)ft.dwHighDateTime << 32) | ft.dwLowDateTime);
    return v;
}

// The birth time where the file system keeps one, else the last-write time (as GetFileTime).
FILETIME creation(const Status &s) {
    return filetime((s.sx.stx_mask & STATX_BTIME) ? s.sx.stx_btime : s.sx.stx_mtime);
}

// Whether the name a descriptor was opened by makes its file hidden, noted at the open for
// the first descriptors with the identity of the file opened: a pass asks it of every file
// twice. A descriptor whose note is not of its file asks the system for its name.
struct OpenedAs {
    dev_t dev = 0;
    ino_t ino = 0;
    bool known = false, hidden = false;
};
OpenedAs opened_as[1024];
std::mutex opened_as_lock;

bool hidden_by_name(const Status &s) {
    if (s.fd < (int)(sizeof opened_as / sizeof opened_as[0])) {
        std::lock_guard<std::mutex> hold(opened_as_lock);
        const OpenedAs &o = opened_as[s.fd];
        if (o.known && o.dev == makedev(s.sx.stx_dev_major, s.sx.stx_dev_minor) &&
            o.ino == s.sx.stx_ino)
            return o.hidden;
    }
    char link[64], path[PATH_MAX];
    snprintf(link, sizeof link, "/proc/self/fd/%d", s.fd);
    ssize_t n = readlink(link, path, sizeof path - 1);
    if (n <= 0) return false;
    path[n] = '\0';
    const char *name = strrchr(path, '/');
    return name != nullptr && fs_hidden_name(name + 1);
}

// The attributes of an open file: hidden comes from the name it was opened by; whatever is
// not a directory (a device, a pipe) reads as a file.
DWORD attributes(const Status &s) {
    mode_t mode = S_ISDIR(s.sx.stx_mode) ? s.sx.stx_mode : S_IFREG | (s.sx.stx_mode & 07777);
    return fs_attributes(mode, false, hidden_by_name(s));
}

} // namespace

void fs_note_opened_as(int fd, const struct stat &st, bool hidden) {
    if (fd < 0 || fd >= (int)(sizeof opened_as / sizeof opened_as[0])) return;
    std::lock_guard<std::mutex> hold(opened_as_lock);
    opened_as[fd] = OpenedAs{st.st_dev, st.st_ino, true, hidden};
}

BOOL WINAPI GetFileInformationByHandle(HANDLE hFile,
                                       LPBY_HANDLE_FILE_INFORMATION lpFileInformation) {
    Status s;
    if (!status(hFile, s)) return FALSE;
    BY_HANDLE_FILE_INFORMATION &i = *lpFileInformation;
    i.dwFileAttributes = attributes(s);
    i.ftCreationTime = creation(s);
    i.ftLastAccessTime = filetime(s.sx.stx_atime);
    i.ftLastWriteTime = filetime(s.sx.stx_mtime);
    // The volume's serial number as GetVolumeInformationA gives it. (Not kept from one call
    // to the next: another volume may come with the same device number.)
    struct statvfs vfs;
    i.dwVolumeSerialNumber = fstatvfs(s.fd, &vfs) == 0 ? (DWORD)vfs.f_fsid : 0;
    unsigned long long size = S_ISREG(s.sx.stx_mode) ? (unsigned long long)s.sx.stx_size : 0;
    i.nFileSizeHigh = (DWORD)(size >> 32);
    i.nFileSizeLow = (DWORD)size;
    i.nNumberOfLinks = (DWORD)s.sx.stx_nlink;
    i.nFileIndexHigh = (DWORD)((unsigned long long)s.sx.stx_ino >> 32);
    i.nFileIndexLow = (DWORD)s.sx.stx_ino;
    return TRUE;
}

BOOL WINAPI GetFileInformationByHandleEx(HANDLE hFile, FILE_INFO_BY_HANDLE_CLASS FileInformationClass,
                                         LPVOID lpFileInformation, DWORD dwBufferSize) {
    if (FileInformationClass != FileBasicInfo || dwBufferSize < sizeof(FILE_BASIC_INFO))
        return fs_fail(ERROR_INVALID_PARAMETER);
    Status s;
    if (!status(hFile, s)) return FALSE;
    FILE_BASIC_INFO &b = *(FILE_BASIC_INFO *)lpFileInformation;
    b.CreationTime = large(creation(s));
    b.LastAccessTime = large(filetime(s.sx.stx_atime));
    b.LastWriteTime = large(filetime(s.sx.stx_mtime));
    b.ChangeTime = large(filetime(s.sx.stx_ctime));
    b.FileAttributes = attributes(s);
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
