// FindFirstFileA / FindNextFileA / FindClose. A search takes its snapshot of the directory's
// names and types at the first call, in one reading of the directory (or the listing kept from
// the search before, when the directory has not changed since), in the layer's stable order,
// "." and ".." first except at a drive's root; each entry's details are read when it is
// handed out, by one status query relative to the directory kept open (a link takes two), so
// that a large directory costs little more than its names.
#include <cerrno>
#include <cstring>
#include <memory>
#include <set>
#include <unistd.h>
#include <vector>
#include <windows.h>
#include "kernel32/attr.h"
#include "kernel32/dir.h"
#include "kernel32/error.h"
#include "kernel32/listing.h"
#include "kernel32/resolve.h"
#include "kernel32/wildcard.h"

namespace {
struct Search {
    std::vector<WIN32_FIND_DATAA> dots;   // "." and "..", handed out first
    int dirfd = -1;                       // the host directory searched
    std::shared_ptr<const DirList> names; // its entries
    std::vector<uint32_t> matches;        // those matching the pattern, in order
    size_t next = 0;                      // counts the dots, then the matches
    ~Search() {
        if (dirfd >= 0) close(dirfd);
    }
};
std::set<Search *> searches;

// Splits "dir\pattern" (or "x:pattern") into the directory's name and the pattern.
void split_pattern(const std::string &name, std::string &dir, std::string &pattern) {
    size_t cut = name.find_last_of("\\/");
    if (cut != std::string::npos) {
        dir = name.substr(0, cut + 1);
        pattern = name.substr(cut + 1);
    } else if (name.size() >= 2 && name[1] == ':') {
        dir = name.substr(0, 2);
        pattern = name.substr(2);
    } else {
        dir = ".";
        pattern = name;
    }
}

// The search's next entry; an entry gone since the snapshot, or of a kind Windows has no files
// for, is passed over.
bool next_found(Search *s, WIN32_FIND_DATAA &out) {
    for (; s->next < s->dots.size() + s->matches.size(); ++s->next) {
        if (s->next < s->dots.size()) {
            out = s->dots[s->next++];
            return true;
        }
        size_t i = s->matches[s->next - s->dots.size()];
        const DirList &n = *s->names;
        if (fs_find_data_at(s->dirfd, n.host(i), n.type(i), n.ansi(i), out)) {
            ++s->next;
            return true;
        }
    }
    return false;
}
} // namespace

HANDLE WINAPI FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData) {
    if (lpFileName == nullptr || lpFindFileData == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    std::string dirname, pattern;
    split_pattern(lpFileName, dirname, pattern);
    DosPath dos;
    HostPath dir = fs_resolve(dirname.c_str(), &dos);
    DWORD err = dir.error;
    if (err == 0 && !dir.exists) err = ERROR_PATH_NOT_FOUND;
    Search *s = new Search;
    if (err == 0) {
        s->dirfd = fs_open_dir(dir.full());
        if (s->dirfd >= 0) s->names = fs_listing(s->dirfd);
        if (!s->names) err = errno == ENOTDIR ? ERROR_PATH_NOT_FOUND : fs_error_from_errno(errno);
    }
    if (err == 0) {
        bool all = pattern == "*" || pattern == "*.*";
        for (uint32_t i = 0; i < (uint32_t)s->names->size(); ++i)
            if (all || fs_wildcard_match(pattern, s->names->ansi(i))) s->matches.push_back(i);
    }
    if (err == 0 && pattern.empty()) err = ERROR_FILE_NOT_FOUND;
    if (err != 0) {
        delete s;
        SetLastError(err);
        return INVALID_HANDLE_VALUE;
    }
    WIN32_FIND_DATAA fd;
    if (!dos.parts.empty()) {
        DosPath parent = dos;
        parent.parts.pop_back();
        std::string parent_host = fs_locate(parent).full();
        if (fs_wildcard_match(pattern, ".") && fs_find_data(dir.full(), ".", fd))
            s->dots.push_back(fd);
        if (fs_wildcard_match(pattern, "..") && fs_find_data(parent_host, "..", fd))
            s->dots.push_back(fd);
    }
    if (!next_found(s, *lpFindFileData)) {
        delete s;
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    searches.insert(s);
    SetLastError(ERROR_SUCCESS);
    return (HANDLE)s;
}

BOOL WINAPI FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData) {
    Search *s = (Search *)hFindFile;
    if (searches.count(s) == 0 || lpFindFileData == nullptr) return fs_fail(ERROR_INVALID_HANDLE);
    if (!next_found(s, *lpFindFileData)) return fs_fail(ERROR_NO_MORE_FILES);
    return TRUE;
}

BOOL WINAPI FindClose(HANDLE hFindFile) {
    Search *s = (Search *)hFindFile;
    if (searches.erase(s) == 0) return fs_fail(ERROR_INVALID_HANDLE);
    delete s;
    return TRUE;
}
