// Directory contents in a stable order, and name lookup without regard to case.
#include "kernel32/dir.h"
#include "kernel32/altnames.h"
#include "kernel32/nameindex.h"
#include "kernel32/ansi.h"
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::string fs_join(const std::string &dir, const std::string &name) {
    if (name.empty()) return dir;
    return (!dir.empty() && dir.back() == '/') ? dir + name : dir + "/" + name;
}

// The program name of the entry whose host name is `host` and place is `at`.
static const char *ansi_of(const char *host, uint32_t at) {
    return (at & DirList::ansi_apart) ? host + strlen(host) + 1 : host;
}

const char *DirList::ansi(size_t i) const {
    return ansi_of(host(i), at[i]);
}

// The host name of the entry at `at` of `names`.
static const char *host_at(const std::string &names, uint32_t at) {
    return names.c_str() + (at & ~DirList::ansi_apart) + 1;
}

// The layer's order: the program names ignoring case, then the host's bytes.
static int compare_names(const char *ansi_a, const char *host_a, const char *ansi_b,
                         const char *host_b) {
    for (;; ++ansi_a, ++ansi_b) {
        int a = ansi_lower((unsigned char)*ansi_a), b = ansi_lower((unsigned char)*ansi_b);
        if (a != b) return a - b;
        if (a == 0) break;
    }
    return strcmp(host_a, host_b);
}

// Calls `each` with every entry's host name and type, "." and ".." left out. The directory is
// read through a description of its own, from its start.
static bool each_entry(int dirfd, const std::function<void(const char *, unsigned char)> &each) {
    int fd = openat(dirfd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR *d = fd < 0 ? nullptr : fdopendir(fd);
    if (d == nullptr) {
        if (fd >= 0) close(fd);
        return false;
    }
    while (struct dirent *e = readdir(d)) {
        if (strcmp(e->d_name, ".") == 0 || strcmp(e->d_name, "..") == 0) continue;
        each(e->d_name, e->d_type);
    }
    closedir(d);
    return true;
}

int fs_open_dir(const std::string &dir) {
    return open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

static bool each_entry(const std::string &dir,
                       const std::function<void(const char *, unsigned char)> &each) {
    int fd = fs_open_dir(dir);
    if (fd < 0) return false;
    bool read = each_entry(fd, each);
    close(fd);
    return read;
}

// Appends an entry to `out` under the program name `ansi`.
static void add_entry(DirList &out, const char *host, unsigned char type, const std::string &ansi) {
    bool apart = ansi != host;
    out.at.push_back((uint32_t)out.names.size() | (apart ? DirList::ansi_apart : 0));
    out.names.push_back((char)type);
    out.names.append(host).push_back('\0');
    if (apart) out.names.append(ansi).push_back('\0');
}

// Whether two of the fingerprints are equal: then two names may be equal ignoring case.
static bool may_collide(std::vector<uint32_t> &fingerprints) {
    std::sort(fingerprints.begin(), fingerprints.end());
    return std::adjacent_find(fingerprints.begin(), fingerprints.end()) != fingerprints.end();
}

// The slower way, for a directory where names may be equal ignoring case: every entry is
// read with its name, and those that would share one get generated names.
static bool list_with_generated_names(int dirfd,
                                      const std::function<bool(const std::string &)> &keep,
                                      DirList &out) {
    std::vector<HostEntry> all;
    std::vector<unsigned char> types;
    if (!each_entry(dirfd, [&](const char *host, unsigned char type) {
            all.push_back({host, fs_ansi_from_utf8(host)});
            types.push_back(type);
        }))
        return false;
    std::vector<std::string> listed = fs_listed_names(all);
    for (size_t i = 0; i < all.size(); ++i)
        if (keep(listed[i])) add_entry(out, all[i].host.c_str(), types[i], listed[i]);
    return true;
}

bool fs_list_dir_at(int dirfd, const std::function<bool(const std::string &)> &keep, DirList &out) {
    out = DirList();
    std::vector<uint32_t> fingerprints;
    std::string ansi; // one buffer for all: most names are taken as they are spelt
    bool read = each_entry(dirfd, [&](const char *host, unsigned char type) {
        if (fs_spelt_alike(host))
            ansi.assign(host);
        else
            ansi = fs_ansi_text(host);
        fingerprints.push_back(fs_fold_fingerprint(ansi));
        if (keep(ansi)) add_entry(out, host, type, ansi);
    });
    if (!read) return false;
    if (may_collide(fingerprints)) {
        out = DirList();
        if (!list_with_generated_names(dirfd, keep, out)) return false;
    }
    out.at.shrink_to_fit();
    std::sort(out.at.begin(), out.at.end(), [&](uint32_t a, uint32_t b) {
        const char *ha = host_at(out.names, a), *hb = host_at(out.names, b);
        return compare_names(ansi_of(ha, a), ha, ansi_of(hb, b), hb) < 0;
    });
    return true;
}

bool fs_list_dir(const std::string &dir, const std::function<bool(const std::string &)> &keep,
                 DirList &out) {
    int fd = fs_open_dir(dir);
    if (fd < 0) return false;
    bool read = fs_list_dir_at(fd, keep, out);
    int e = errno;
    close(fd);
    errno = e;
    return read;
}

// Ignoring case; a stand-in '?' of the entry matches only a '?' of the name, and only when
// `wild` allows it.
static bool same_name(const std::string &ansi, const AnsiName &entry, bool wild) {
    if (ansi.size() != entry.text.size()) return false;
    for (size_t i = 0; i < ansi.size(); ++i) {
        if (entry.odd[i] == '1') {
            if (!wild || ansi[i] != '?') return false;
        } else if (ansi_lower((unsigned char)ansi[i]) != ansi_lower((unsigned char)entry.text[i])) {
            return false;
        }
    }
    return true;
}

// A generated name ("foo~1") of an entry of dir: found among the directory's listed names.
static bool lookup_generated(const std::string &dir, const std::string &ansi, std::string &found) {
    std::string fold = fs_fold(ansi);
    DirList named;
    if (!fs_list_dir(dir, [&](const std::string &listed) { return fs_fold(listed) == fold; }, named) ||
        named.size() == 0)
        return false;
    found = named.host(0);
    return true;
}

bool fs_lookup(const std::string &dir, const std::string &ansi, std::string &found,
               const struct stat *dir_status) {
    if (ansi.empty()) return false;
    std::string exact = fs_utf8_from_ansi(ansi);
    struct stat st;
    if (dir_status == nullptr && lstat(fs_join(dir, exact).c_str(), &st) == 0) {
        found = exact;
        return true;
    }
    if (!fs_index_may_hold(dir, ansi, dir_status)) return false;
    // One reading of the directory, keeping only the entry that keeps the name among the
    // matches of each kind so far; the entries that do not are listed under generated names.
    bool wild_too = ansi.find('?') != std::string::npos;
    std::string best[2];
    AnsiName best_name[2];
    bool read = each_entry(dir, [&](const char *host, unsigned char) {
        size_t len = strlen(host);
        if (len < ansi.size()) return; // a program character is one host byte or more
        AnsiName entry = fs_ansi_from_utf8(host);
        for (int wild = 0; wild < (wild_too ? 2 : 1); ++wild) {
            if (!same_name(ansi, entry, wild)) continue;
            if (best[wild].empty() || fs_keeps_name(entry, host, best_name[wild], best[wild])) {
                best[wild] = host;
                best_name[wild] = entry;
            }
            break;
        }
    });
    if (!read) return false;
    found = best[0].empty() ? best[1] : best[0];
    if (found.empty() && ansi.find('~') != std::string::npos) return lookup_generated(dir, ansi, found);
    return !found.empty();
}
