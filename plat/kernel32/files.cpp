// Deleting files, attributes, directories.
#include "kernel32/files.h"
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#include "kernel32/attr.h"
#include "kernel32/error.h"
#include "kernel32/nameindex.h"
#include "kernel32/resolve.h"
#include "kernel32/streams.h"

// The entry a name designates, which must exist; 0 or the Win32 error.
static DWORD existing(const char *ansi, HostPath &h, DosPath &p) {
    h = fs_resolve(ansi, &p);
    if (h.error) return h.error;
    return h.exists ? 0 : ERROR_FILE_NOT_FOUND;
}

DWORD fs_delete_file(const char *ansi) {
    std::string file, stream;
    if (fs_stream_split(ansi, file, stream)) return fs_stream_delete(file, stream);
    HostPath h;
    DosPath p;
    if (DWORD err = existing(ansi, h, p)) return err;
    struct stat st;
    if (p.parts.empty() || !h.own_status(st)) return ERROR_ACCESS_DENIED;
    if (!S_ISLNK(st.st_mode) && (S_ISDIR(st.st_mode) || fs_read_only(st)))
        return ERROR_ACCESS_DENIED;
    if (unlink(h.full().c_str()) != 0) return fs_error_from_errno(errno);
    fs_index_changed(h.dir, "");
    return 0;
}

BOOL WINAPI DeleteFileA(LPCSTR lpFileName) {
    DWORD err = fs_delete_file(lpFileName);
    return err ? fs_fail(err) : TRUE;
}

DWORD WINAPI GetFileAttributesA(LPCSTR lpFileName) {
    HostPath h;
    DosPath p;
    DWORD err = existing(lpFileName, h, p);
    std::string name = p.parts.empty() ? std::string() : p.parts.back();
    DWORD attr = INVALID_FILE_ATTRIBUTES;
    if (err == 0) {
        // A plain entry's attributes come from the status its lookup gave; a link's from
        // its target.
        WIN32_FIND_DATAA fd;
        if (h.has_status && !S_ISLNK(h.status.st_mode))
            attr = fs_attributes(h.status.st_mode, false, fs_hidden_name(name.c_str()));
        else if (fs_find_data(h.full(), name, fd))
            attr = fd.dwFileAttributes;
        if (attr == INVALID_FILE_ATTRIBUTES) err = ERROR_ACCESS_DENIED;
    }
    if (err != 0) SetLastError(err);
    return attr;
}

// Only the read-only bit has a meaning on this host: it takes away or gives back the write
// permission (for everyone the umask lets write). Hidden comes from the name; the others
// are accepted and not kept.
BOOL WINAPI SetFileAttributesA(LPCSTR lpFileName, DWORD dwFileAttributes) {
    HostPath h;
    DosPath p;
    if (DWORD err = existing(lpFileName, h, p)) return fs_fail(err);
    struct stat st;
    if (!h.target_status(st)) return fs_fail(fs_error_from_errno(errno));
    if (S_ISDIR(st.st_mode)) return TRUE;
    mode_t mode = st.st_mode & 07777;
    if (dwFileAttributes & FILE_ATTRIBUTE_READONLY) {
        mode &= ~(mode_t)0222;
    } else if (fs_read_only(st)) {
        mode_t mask = umask(0);
        umask(mask);
        mode |= S_IWUSR | ((mode >> 1) & 0222 & ~mask);
    }
    if (chmod(h.full().c_str(), mode) != 0) return fs_fail(fs_error_from_errno(errno));
    return TRUE;
}

BOOL WINAPI CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES /*lpSecurityAttributes*/) {
    DosPath p;
    HostPath h = fs_resolve(lpPathName, &p);
    if (h.error) return fs_fail(h.error);
    if (h.exists) return fs_fail(ERROR_ALREADY_EXISTS);
    if (!fs_valid_new_name(p.parts.back())) return fs_fail(ERROR_INVALID_NAME);
    if (mkdir(h.full().c_str(), 0777) != 0) return fs_fail(fs_error_from_errno(errno));
    fs_index_changed(h.dir, h.name);
    return TRUE;
}

BOOL WINAPI RemoveDirectoryA(LPCSTR lpPathName) {
    HostPath h;
    DosPath p;
    if (DWORD err = existing(lpPathName, h, p)) return fs_fail(err);
    struct stat st;
    if (p.parts.empty()) return fs_fail(ERROR_ACCESS_DENIED);
    if (!h.own_status(st) || !S_ISDIR(st.st_mode)) return fs_fail(ERROR_DIRECTORY);
    if (rmdir(h.full().c_str()) != 0) return fs_fail(fs_error_from_errno(errno));
    fs_index_changed(h.dir, "");
    return TRUE;
}
