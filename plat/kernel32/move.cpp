// MoveFileA never replaces: it uses the host's no-replace rename, falling back to a hard
// link and an unlink where the file system lacks it, never to a plain rename over a file.
#include "kernel32/move.h"
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include "kernel32/attr.h"
#include "kernel32/dir.h"
#include "kernel32/error.h"
#include "kernel32/flush.h"
#include "kernel32/hostfail.h"
#include "kernel32/nameindex.h"
#include "kernel32/release.h"
#include "kernel32/resolve.h"
#include "plattest_fs.h"

static int fallback = 0;

void fs_test_rename_fallback(int level) {
    fallback = level;
}

bool fs_test_fat(void) {
    return fallback >= 2;
}

static bool unsupported(int e) {
    return e == EINVAL || e == ENOSYS || e == EOPNOTSUPP;
}

static DWORD moved_or(int e) {
    return e == EEXIST ? ERROR_ALREADY_EXISTS : fs_error_from_errno(e);
}

// The host's renames, where a test may plant the failure the disk reports.
static int host_rename(const std::string &from, const std::string &to, unsigned flags) {
    if (int planted = fs_host_planted(FS_HOST_RENAME)) {
        errno = planted;
        return -1;
    }
    return flags ? renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), flags)
                 : rename(from.c_str(), to.c_str());
}

static DWORD rename_noreplace(const std::string &from, const std::string &to) {
    if (fallback < 1) {
        if (host_rename(from, to, RENAME_NOREPLACE) == 0)
            return 0;
        if (!unsupported(errno)) return moved_or(errno);
    }
    if (fallback < 2) {
        if (link(from.c_str(), to.c_str()) == 0) {
            if (unlink(from.c_str()) == 0) return 0;
            int e = errno;
            unlink(to.c_str()); // the old name stays: one name, as before
            return fs_error_from_errno(e);
        }
        // EPERM: no hard links here, or a directory; either way the last resort follows.
        if (errno != EPERM && !unsupported(errno)) return moved_or(errno);
    }
    // Neither is available: check, then rename. Only a name made in between could be lost.
    struct stat st;
    if (lstat(to.c_str(), &st) == 0) return ERROR_ALREADY_EXISTS;
    return host_rename(from, to, 0) == 0 ? 0 : moved_or(errno);
}

static DWORD sync_dir(const std::string &dir) {
    int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return fs_error_from_errno(errno);
    DWORD err = fs_flush(fd);
    close(fd);
    // Some file systems cannot sync a directory; their entries are as durable as they get.
    return (err == ERROR_INVALID_PARAMETER || err == ERROR_WRITE_PROTECT) ? 0 : err;
}

static bool same_dir(const std::string &a, const std::string &b) {
    struct stat sa, sb;
    return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

// The replacing file takes the access of the one it replaces: a private file stays private.
static void keep_access(const std::string &from, const struct stat &st, const struct stat &replaced) {
    if (!S_ISREG(st.st_mode) || !S_ISREG(replaced.st_mode)) return;
    // A work file made with the replaced file's access already has it.
    if (st.st_uid == replaced.st_uid && st.st_gid == replaced.st_gid &&
        (st.st_mode & 0777) == (replaced.st_mode & 0777))
        return;
    if (chown(from.c_str(), replaced.st_uid, replaced.st_gid) != 0) {
        // Not allowed (not the owner): the file stays the caller's, as a new file would.
    }
    chmod(from.c_str(), replaced.st_mode & 0777);
}

DWORD fs_move(const char *from, const char *to, DWORD flags) {
    DosPath pf, pt;
    HostPath hf = fs_resolve(from, &pf);
    if (hf.error) return hf.error;
    if (!hf.exists) return ERROR_FILE_NOT_FOUND;
    HostPath ht = fs_resolve(to, &pt);
    if (ht.error) return ht.error;
    if (pf.parts.empty() || pt.parts.empty()) return ERROR_ACCESS_DENIED;
    DWORD err;
    if (ht.exists && ht.name == hf.name && same_dir(ht.dir, hf.dir)) {
        // Onto its own name: done, unless the new spelling changes only the case.
        const std::string &typed = pt.parts.back();
        std::string spelling = fs_utf8_from_ansi(typed);
        bool recase = typed.find('?') == std::string::npos && spelling != hf.name;
        err = recase ? rename_noreplace(hf.full(), fs_join(ht.dir, spelling)) : 0;
    } else if (!ht.exists) {
        err = fs_valid_new_name(pt.parts.back()) ? rename_noreplace(hf.full(), ht.full())
                                                 : ERROR_INVALID_NAME;
    } else if (!(flags & MOVEFILE_REPLACE_EXISTING)) {
        err = ERROR_ALREADY_EXISTS;
    } else {
        struct stat target, source;
        if (!ht.own_status(target) || !hf.own_status(source)) return fs_error_from_errno(errno);
        if (S_ISDIR(target.st_mode) || S_ISDIR(source.st_mode) ||
            (!S_ISLNK(target.st_mode) && fs_read_only(target)))
            return ERROR_ACCESS_DENIED;
        keep_access(hf.full(), source, target);
        // The replaced file is let go of beside the caller (release.h).
        int replaced = open(ht.full().c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
        err = host_rename(hf.full(), ht.full(), 0) == 0 ? 0 : fs_error_from_errno(errno);
        if (replaced >= 0) {
            if (err == 0)
                fs_release_replaced(replaced, target);
            else
                close(replaced);
        }
    }
    if (err == 0) {
        if (hf.dir != ht.dir) fs_index_changed(hf.dir, "");
        fs_index_changed(ht.dir, ht.exists ? fs_utf8_from_ansi(pt.parts.back()) : ht.name);
    }
    if (err == 0 && (flags & MOVEFILE_WRITE_THROUGH)) {
        err = sync_dir(ht.dir);
        if (err == 0 && !same_dir(ht.dir, hf.dir)) err = sync_dir(hf.dir);
    }
    return err;
}

BOOL WINAPI MoveFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName) {
    return MoveFileExA(lpExistingFileName, lpNewFileName, 0);
}

static std::function<void(const char *, const char *)> move_observer;

void plat_test_on_move(std::function<void(const char *from, const char *to)> observer) {
    move_observer = std::move(observer);
}

BOOL WINAPI MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags) {
    if (move_observer) move_observer(lpExistingFileName, lpNewFileName);
    DWORD err = fs_move(lpExistingFileName, lpNewFileName, dwFlags);
    return err ? fs_fail(err) : TRUE;
}

BOOL WINAPI CreateHardLinkA(LPCSTR lpFileName, LPCSTR lpExistingFileName,
                            LPSECURITY_ATTRIBUTES /*lpSecurityAttributes*/) {
    DosPath pe, pn;
    HostPath he = fs_resolve(lpExistingFileName, &pe);
    if (he.error) return fs_fail(he.error);
    if (!he.exists) return fs_fail(ERROR_FILE_NOT_FOUND);
    struct stat st;
    if (pe.parts.empty() || !he.target_status(st) || S_ISDIR(st.st_mode))
        return fs_fail(ERROR_ACCESS_DENIED);
    HostPath hn = fs_resolve(lpFileName, &pn);
    if (hn.error) return fs_fail(hn.error);
    if (hn.exists) return fs_fail(ERROR_ALREADY_EXISTS);
    if (!fs_valid_new_name(pn.parts.back())) return fs_fail(ERROR_INVALID_NAME);
    if (fallback >= 2) return fs_fail(ERROR_NOT_SUPPORTED);
    if (link(he.full().c_str(), hn.full().c_str()) == 0) {
        fs_index_changed(hn.dir, hn.name);
        return TRUE;
    }
    int e = errno;
    return fs_fail(e == EPERM || unsupported(e) ? ERROR_NOT_SUPPORTED : moved_or(e));
}
