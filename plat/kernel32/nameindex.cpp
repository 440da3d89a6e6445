// One directory's names kept as four-byte fingerprints of their case-folded program names, in
// an open-addressed table at most half full, so that a large directory costs little. The index
// is trusted while the directory is the same one with the change time seen when it was read,
// or last changed by the layer itself; a directory changed within the clock tick it was read
// in is read again, since a change in that tick would leave its time as it was.
#include "kernel32/nameindex.h"
#include <algorithm>
#include <cstdint>
#include <ctime>
#include <dirent.h>
#include <sys/stat.h>
#include <vector>
#include "kernel32/names_utf8.h"
#include "kernel32/ansi.h"

namespace {
struct NameIndex {
    std::string dir;
    bool trusted = false;
    dev_t dev = 0;
    ino_t ino = 0;
    struct timespec mtime = {};
    std::vector<uint32_t> table; // 0: free
    size_t used = 0;
    bool alike = false; // two names met with one fingerprint: generated names may exist
};
NameIndex idx;

uint32_t fingerprint(const std::string &ansi) {
    uint32_t h = 2166136261u;
    for (unsigned char c : ansi) h = (h ^ ansi_lower(c)) * 16777619u;
    return h ? h : 1;
}

size_t slot_of(const std::vector<uint32_t> &table, uint32_t f) {
    size_t mask = table.size() - 1, i = (f * 2654435761u) & mask;
    while (table[i] != 0 && table[i] != f) i = (i + 1) & mask;
    return i;
}

void insert(uint32_t f) {
    if ((idx.used + 1) * 2 > idx.table.size()) {
        std::vector<uint32_t> old(std::max<size_t>(64, idx.table.size() * 2), 0);
        old.swap(idx.table);
        for (uint32_t g : old)
            if (g != 0) idx.table[slot_of(idx.table, g)] = g;
    }
    uint32_t &s = idx.table[slot_of(idx.table, f)];
    if (s == 0) ++idx.used;
    if (s == f) idx.alike = true;
    s = f;
}

bool same_time(const struct timespec &a, const struct timespec &b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

bool rebuild(const std::string &dir, const struct stat &st) {
    struct timespec now;
    clock_gettime(CLOCK_REALTIME_COARSE, &now);
    idx = NameIndex();
    DIR *d = opendir(dir.c_str());
    if (d == nullptr) return false;
    while (struct dirent *e = readdir(d)) insert(fingerprint(fs_ansi_text(e->d_name)));
    closedir(d);
    idx.dir = dir;
    idx.dev = st.st_dev;
    idx.ino = st.st_ino;
    idx.mtime = st.st_mtim;
    idx.trusted = st.st_mtim.tv_sec < now.tv_sec ||
                  (st.st_mtim.tv_sec == now.tv_sec && st.st_mtim.tv_nsec < now.tv_nsec);
    return true;
}
} // namespace

bool fs_index_may_hold(const std::string &dir, const std::string &ansi,
                       const struct stat *dir_status) {
    struct stat st;
    if (dir_status != nullptr)
        st = *dir_status;
    else if (stat(dir.c_str(), &st) != 0)
        return true;
    bool fresh = idx.trusted && idx.dir == dir && idx.dev == st.st_dev && idx.ino == st.st_ino &&
                 same_time(idx.mtime, st.st_mtim);
    if ((!fresh && !rebuild(dir, st)) || idx.table.empty()) return true;
    if (idx.alike && ansi.find('~') != std::string::npos) return true;
    return idx.table[slot_of(idx.table, fingerprint(ansi))] != 0;
}

void fs_index_changed(const std::string &dir, const std::string &name) {
    if (idx.dir != dir) return;
    struct stat st;
    if (stat(dir.c_str(), &st) != 0) {
        idx = NameIndex();
        return;
    }
    if (!name.empty()) insert(fingerprint(fs_ansi_text(name)));
    idx.dev = st.st_dev;
    idx.ino = st.st_ino;
    idx.mtime = st.st_mtim;
}
