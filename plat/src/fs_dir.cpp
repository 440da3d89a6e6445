// Directory contents in a stable order, and name lookup without regard to case.
#include "fs_dir.h"
#include "ui_ansi.h"
#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>

std::string fs_join(const std::string &dir, const std::string &name) {
    if (name.empty()) return dir;
    return (!dir.empty() && dir.back() == '/') ? dir + name : dir + "/" + name;
}

bool fs_read_dir(const std::string &dir, std::vector<DirEntry> &out) {
    out.clear();
    DIR *d = opendir(dir.c_str());
    if (d == nullptr) return false;
    while (struct dirent *e = readdir(d)) {
        std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        DirEntry entry;
        entry.ansi = fs_ansi_from_utf8(name);
        for (unsigned char c : entry.ansi.text) entry.key += (char)ansi_lower(c);
        entry.key += '\0';
        entry.key += name;
        entry.host = std::move(name);
        out.push_back(std::move(entry));
    }
    closedir(d);
    std::sort(out.begin(), out.end(),
              [](const DirEntry &a, const DirEntry &b) { return a.key < b.key; });
    return true;
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

bool fs_lookup(const std::string &dir, const std::string &ansi, std::string &found) {
    if (ansi.empty()) return false;
    std::string exact = fs_utf8_from_ansi(ansi);
    struct stat st;
    if (lstat(fs_join(dir, exact).c_str(), &st) == 0) {
        found = exact;
        return true;
    }
    std::vector<DirEntry> entries;
    if (!fs_read_dir(dir, entries)) return false;
    for (bool wild : {false, true}) {
        for (const DirEntry &e : entries) {
            if (same_name(ansi, e.ansi, wild)) {
                found = e.host;
                return true;
            }
        }
        if (ansi.find('?') == std::string::npos) break;
    }
    return false;
}
