// The name the program sees for a host file given by its host path (GetShortPathNameW).
#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <windows.h>
#include "kernel32/ansi.h"
#include "kernel32/dir.h"
#include "kernel32/drives.h"
#include "kernel32/error.h"
#include "kernel32/mounts.h"
#include "kernel32/names_utf8.h"

// The program's name of the entry `name` of the host directory `dir`, as the enumeration
// lists it: its own, unless another entry takes that name and it gets a generated one.
static std::string listed(const std::string &dir, const std::string &name) {
    std::string ansi = fs_ansi_text(name);
    std::string found;
    if (name == "." || name == ".." || (fs_lookup(dir, ansi, found) && found == name)) return ansi;
    DirList l;
    if (fs_list_dir(dir, [](const std::string &) { return true; }, l))
        for (size_t i = 0; i < l.size(); ++i)
            if (name == l.host(i)) return l.ansi(i);
    return ansi;
}

// The drive whose root holds the absolute host path, the longest root first; the part of the
// path after the root goes to rest.
static const FsDrive *drive_of(const std::string &path, std::string &rest) {
    const FsDrive *best = nullptr;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const FsDrive *d = fs_drive(letter);
        if (d != nullptr && fs_path_within(path, d->root) &&
            (best == nullptr || d->root.size() > best->root.size()))
            best = d;
    }
    if (best != nullptr) rest = best->root == "/" ? path : path.substr(best->root.size());
    return best;
}

// The components of a host path after `dir`, each as the program sees it, joined by
// backslashes; a final separator stays.
static std::string program_path(std::string dir, const std::string &rest) {
    std::string out;
    for (size_t i = 0; i < rest.size();) {
        size_t j = std::min(rest.find('/', i), rest.size());
        if (j > i) {
            std::string part = rest.substr(i, j - i);
            out += (out.empty() ? "" : "\\") + listed(dir, part);
            dir = fs_join(dir, part);
        }
        i = j + 1;
    }
    if (!rest.empty() && rest.back() == '/' && !out.empty()) out += '\\';
    return out;
}

DWORD WINAPI GetShortPathNameW(LPCWSTR lpszLongPath, LPWSTR lpszShortPath, DWORD cchBuffer) {
    if (lpszLongPath == nullptr) return fs_fail(ERROR_INVALID_PARAMETER);
    std::u16string wide = lpszLongPath;
    std::string host;
    for (size_t i = 0; i < wide.size();) utf8_append(host, utf16_next(wide, i));
    struct stat st;
    if (host.empty() || lstat(host.c_str(), &st) != 0) return fs_fail(ERROR_FILE_NOT_FOUND);
    std::string name;
    if (host[0] == '/') {
        std::string rest;
        const FsDrive *d = drive_of(host, rest);
        if (d == nullptr) {
            char real[PATH_MAX];
            if (realpath(host.c_str(), real) == nullptr || (d = drive_of(real, rest)) == nullptr)
                return fs_fail(ERROR_PATH_NOT_FOUND);
        }
        name = std::string(1, d->letter) + ":\\" + program_path(d->root, rest);
    } else {
        char cwd[PATH_MAX];
        if (getcwd(cwd, sizeof cwd) == nullptr) return fs_fail(ERROR_PATH_NOT_FOUND);
        name = program_path(cwd, host);
    }
    if (name.size() + 1 > cchBuffer || lpszShortPath == nullptr) return (DWORD)name.size() + 1;
    for (size_t i = 0; i <= name.size(); ++i) lpszShortPath[i] = ansi_unicode((unsigned char)name[i]);
    return (DWORD)name.size();
}
