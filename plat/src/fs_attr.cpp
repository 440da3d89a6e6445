// Host file status mapped onto the find-data record.
#include "fs_attr.h"
#include <cstring>
#include <fcntl.h>
#include "unixtime.h"

bool fs_read_only(const struct stat &st) {
    return (st.st_mode & S_IWUSR) == 0;
}

static struct timespec ts_of(const struct statx_timestamp &t) {
    return timespec{(time_t)t.tv_sec, (long)t.tv_nsec};
}

bool fs_find_data(const std::string &host, const std::string &ansi_name, WIN32_FIND_DATAA &fd) {
    struct stat link;
    if (lstat(host.c_str(), &link) != 0) return false;
    struct statx sx;
    bool target = statx(AT_FDCWD, host.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &sx) == 0;
    memset(&fd, 0, sizeof fd);
    DWORD attr = 0;
    if (S_ISLNK(link.st_mode)) attr |= FILE_ATTRIBUTE_REPARSE_POINT;
    mode_t mode = target ? sx.stx_mode : link.st_mode;
    if (S_ISDIR(mode)) {
        attr |= FILE_ATTRIBUTE_DIRECTORY;
    } else if (S_ISREG(mode) || S_ISLNK(mode)) { // a link whose target is gone: a plain entry
        attr |= FILE_ATTRIBUTE_ARCHIVE;
    } else {
        return false;
    }
    if ((mode & S_IWUSR) == 0) attr |= FILE_ATTRIBUTE_READONLY;
    if (ansi_name[0] == '.' && ansi_name != "." && ansi_name != "..") attr |= FILE_ATTRIBUTE_HIDDEN;
    fd.dwFileAttributes = attr;
    if (target) {
        unsigned long long size = S_ISDIR(mode) ? 0 : sx.stx_size;
        fd.nFileSizeHigh = (DWORD)(size >> 32);
        fd.nFileSizeLow = (DWORD)size;
        struct timespec write = ts_of(sx.stx_mtime);
        fd.ftCreationTime =
            filetime_from_unix((sx.stx_mask & STATX_BTIME) ? ts_of(sx.stx_btime) : write);
        fd.ftLastAccessTime = filetime_from_unix(ts_of(sx.stx_atime));
        fd.ftLastWriteTime = filetime_from_unix(write);
    } else {
        fd.ftCreationTime = fd.ftLastAccessTime = fd.ftLastWriteTime =
            filetime_from_unix(link.st_mtim);
    }
    strncpy(fd.cFileName, ansi_name.c_str(), sizeof fd.cFileName - 1);
    return true;
}
