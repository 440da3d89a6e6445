// Host file status mapped onto the find-data record.
#include "kernel32/attr.h"
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include "kernel32/unixtime.h"

static bool read_only_mode(mode_t mode) {
    return (mode & S_IWUSR) == 0;
}

bool fs_read_only(const struct stat &st) {
    return read_only_mode(st.st_mode);
}

bool fs_hidden_name(const char *ansi_name) {
    return ansi_name[0] == '.' && strcmp(ansi_name, ".") != 0 && strcmp(ansi_name, "..") != 0;
}

DWORD fs_attributes(mode_t mode, bool link, bool hidden) {
    DWORD attr = link ? FILE_ATTRIBUTE_REPARSE_POINT : 0;
    if (S_ISDIR(mode))
        attr |= FILE_ATTRIBUTE_DIRECTORY;
    else if (S_ISREG(mode) || S_ISLNK(mode))
        attr |= FILE_ATTRIBUTE_ARCHIVE;
    else
        return INVALID_FILE_ATTRIBUTES;
    if (read_only_mode(mode)) attr |= FILE_ATTRIBUTE_READONLY;
    if (hidden) attr |= FILE_ATTRIBUTE_HIDDEN;
    return attr;
}

// Everything the record holds, the birth time included where the file system keeps one.
static bool status(int dirfd, const char *name, int flags, struct statx &sx) {
    return statx(dirfd, name, flags | AT_NO_AUTOMOUNT, STATX_BASIC_STATS | STATX_BTIME, &sx) == 0;
}

static FILETIME filetime_of(const struct statx_timestamp &t) {
    return filetime_from_unix(timespec{(time_t)t.tv_sec, (long)t.tv_nsec});
}

bool fs_find_data_at(int dirfd, const char *name, unsigned char type, const char *ansi_name,
                     WIN32_FIND_DATAA &fd) {
    if (type != DT_UNKNOWN && type != DT_REG && type != DT_DIR && type != DT_LNK) return false;
    struct statx sx;
    bool link = type == DT_LNK, target = true;
    if (!link) {
        if (!status(dirfd, name, AT_SYMLINK_NOFOLLOW, sx)) return false;
        link = S_ISLNK(sx.stx_mode);
    }
    // A link shows the attributes, size and times of the file it leads to; one whose target
    // is gone is a plain entry.
    if (link && !status(dirfd, name, 0, sx)) {
        if (!status(dirfd, name, AT_SYMLINK_NOFOLLOW, sx)) return false;
        link = S_ISLNK(sx.stx_mode);
        target = false;
    }
    DWORD attr = fs_attributes(sx.stx_mode, link, fs_hidden_name(ansi_name));
    if (attr == INVALID_FILE_ATTRIBUTES) return false;
    memset(&fd, 0, sizeof fd);
    fd.dwFileAttributes = attr;
    unsigned long long size = S_ISREG(sx.stx_mode) ? (unsigned long long)sx.stx_size : 0;
    fd.nFileSizeHigh = (DWORD)(size >> 32);
    fd.nFileSizeLow = (DWORD)size;
    // The times as GetFileTime gives them for the open file.
    fd.ftLastWriteTime = filetime_of(sx.stx_mtime);
    if (target) {
        fd.ftLastAccessTime = filetime_of(sx.stx_atime);
        fd.ftCreationTime =
            (sx.stx_mask & STATX_BTIME) ? filetime_of(sx.stx_btime) : fd.ftLastWriteTime;
    } else {
        fd.ftLastAccessTime = fd.ftCreationTime = fd.ftLastWriteTime;
    }
    strncpy(fd.cFileName, ansi_name, sizeof fd.cFileName - 1);
    return true;
}

bool fs_find_data(const std::string &host, const std::string &ansi_name, WIN32_FIND_DATAA &fd) {
    return fs_find_data_at(AT_FDCWD, host.c_str(), DT_UNKNOWN, ansi_name.c_str(), fd);
}
