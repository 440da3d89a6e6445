// The runtime's current-drive and current-directory services.
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <direct.h>
#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>
#include "kernel32/drives.h"
#include "kernel32/error.h"
#include "kernel32/resolve.h"

int _chdrive(int drive) noexcept {
    FsDrive *d = (drive >= 1 && drive <= 26) ? fs_drive(char('A' + drive - 1)) : nullptr;
    DWORD err = d == nullptr ? ERROR_INVALID_DRIVE : fs_locate(DosPath{d->letter, {}}).error;
    if (err != 0) { // the runtime reports a drive it cannot use with EACCES
        SetLastError(err);
        errno = EACCES;
        return -1;
    }
    // A remembered directory that has gone since leaves the drive usable at its root.
    std::string cwd = d->cwd;
    if (plat_host_path((std::string(1, d->letter) + ":" + cwd).c_str()).empty()) cwd = "\\";
    fs_set_current(d->letter, cwd);
    return 0;
}

int _getdrive(void) noexcept {
    return fs_current_drive().letter - 'A' + 1;
}

char *_getdcwd(int drive, char *buffer, int maxlen) noexcept {
    const FsDrive *d = drive == 0                    ? &fs_current_drive()
                       : (drive >= 1 && drive <= 26) ? fs_drive(char('A' + drive - 1))
                                                     : nullptr;
    if (d == nullptr) {
        errno = EACCES;
        return nullptr;
    }
    std::string text = std::string(1, d->letter) + ":" + d->cwd;
    if (buffer == nullptr) {
        size_t size = std::max((size_t)(maxlen > 0 ? maxlen : 0), text.size() + 1);
        buffer = (char *)malloc(size);
        if (buffer == nullptr) {
            errno = ENOMEM;
            return nullptr;
        }
    } else if (maxlen <= 0 || text.size() + 1 > (size_t)maxlen) {
        errno = ERANGE;
        return nullptr;
    }
    memcpy(buffer, text.c_str(), text.size() + 1);
    return buffer;
}

char *_getcwd(char *buffer, int maxlen) noexcept {
    return _getdcwd(0, buffer, maxlen);
}

int _chdir(const char *dirname) noexcept {
    DosPath p;
    HostPath h = fs_resolve(dirname, &p);
    struct stat st;
    if (h.error) return fs_crt_fail(h.error);
    if (!h.target_status(st) || !S_ISDIR(st.st_mode))
        return fs_crt_fail(ERROR_PATH_NOT_FOUND);
    // As on Windows, a folder the user may not list and pass through cannot be made current.
    if (faccessat(AT_FDCWD, h.full().c_str(), R_OK | X_OK, AT_EACCESS) != 0)
        return fs_crt_fail(ERROR_ACCESS_DENIED);
    fs_set_current(p.drive, fs_dos_text(p).substr(2));
    return 0;
}
