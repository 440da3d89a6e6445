// Host file status mapped onto the find-data record.
#include "kernel32/attr.h"
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include "kernel32/fdhandle.h"
#include "kernel32/unixtime.h"

bool fs_read_only(const struct stat &st) {
    return (st.st_mode & S_IWUSR) == 0;
}

bool fs_find_data(const std::string &host, const std::string &ansi_name, WIN32_FIND_DATAA &fd) {
    struct stat link, st;
    if (lstat(host.c_str(), &link) != 0) return false;
    bool target = stat(host.c_str(), &st) == 0;
    if (!target) st = link; // a link whose target is gone: a plain entry
    memset(&fd, 0, sizeof fd);
    DWORD attr = 0;
    if (S_ISLNK(link.st_mode)) attr |= FILE_ATTRIBUTE_REPARSE_POINT;
    if (S_ISDIR(st.st_mode)) {
        attr |= FILE_ATTRIBUTE_DIRECTORY;
    } else if (S_ISREG(st.st_mode) || S_ISLNK(st.st_mode)) {
        attr |= FILE_ATTRIBUTE_ARCHIVE;
    } else {
        return false;
    }
    if (fs_read_only(st)) attr |= FILE_ATTRIBUTE_READONLY;
    if (ansi_name[0] == '.' && ansi_name != "." && ansi_name != "..") attr |= FILE_ATTRIBUTE_HIDDEN;
    fd.dwFileAttributes = attr;
    unsigned long long size = S_ISREG(st.st_mode) ? (unsigned long long)st.st_size : 0;
    fd.nFileSizeHigh = (DWORD)(size >> 32);
    fd.nFileSizeLow = (DWORD)size;
    // The times as GetFileTime gives them for the open file (birth time where kept).
    int path_fd = target ? open(host.c_str(), O_PATH | O_CLOEXEC) : -1;
    if (path_fd < 0 || !GetFileTime(handle_from_fd(path_fd), &fd.ftCreationTime,
                                    &fd.ftLastAccessTime, &fd.ftLastWriteTime))
        fd.ftCreationTime = fd.ftLastAccessTime = fd.ftLastWriteTime =
            filetime_from_unix(st.st_mtim);
    if (path_fd >= 0) close(path_fd);
    strncpy(fd.cFileName, ansi_name.c_str(), sizeof fd.cFileName - 1);
    return true;
}
