// From the program's names (ANSI, drive letters, backslashes, relative to the current
// directory of a drive) to host paths.
#ifndef QUILLON_PLAT_FS_RESOLVE_H
#define QUILLON_PLAT_FS_RESOLVE_H

#include <string>
#include <sys/stat.h>
#include <vector>
#include <windows.h>

// Host path of an existing or to-be-created name; "" when a directory on the way does not
// exist.
std::string plat_host_path(const char *ansi);
// DOS name of a host path ("C:\docs\a.txt"); "" when it lies on no drive.
std::string plat_dos_path(const char *host);

// A name taken on its text: its drive, and its components from the drive's root with "." and
// ".." already applied (".." at the root stays there).
struct DosPath {
    char drive = 0;
    std::vector<std::string> parts;
};
// 0, or ERROR_INVALID_NAME (empty name) or ERROR_BAD_NETPATH (a network name).
DWORD fs_parse(const char *ansi, DosPath &out);
std::string fs_dos_text(const DosPath &p); // "C:\a\b", "C:\" for a root

// Where a name lies on the host.
struct HostPath {
    DWORD error = 0;     // 0, ERROR_PATH_NOT_FOUND (directory on the way or drive missing),
                         // ERROR_NOT_READY (the drive's root is missing)
    std::string dir;     // host directory holding the last component (a root: itself)
    std::string name;    // host name of the last component ("" for a root)
    bool exists = false; // the last component names an existing entry
    // The entry's own status (lstat), when finding it gave one: a call that asks the host
    // about the name again right away takes this instead.
    bool has_status = false;
    struct stat status {};
    std::string full() const;
    // The entry's own status (lstat), and that of what it leads to (stat), which is the same
    // unless it is a link. False when the entry, or a link's target, is not there.
    bool own_status(struct stat &st) const;
    bool target_status(struct stat &st) const;
};
HostPath fs_locate(const DosPath &p);
// fs_parse then fs_locate; `error` also carries fs_parse's.
HostPath fs_resolve(const char *ansi, DosPath *parsed = nullptr);

// Whether a component can name a new file or directory on Windows.
bool fs_valid_new_name(const std::string &ansi);

#endif
