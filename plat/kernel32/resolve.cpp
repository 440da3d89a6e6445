// Names are taken on their text first (drive, current directory, "." and ".."), then walked
// down from the drive's root on the host, one component at a time, without regard to case.
#include "kernel32/resolve.h"
#include <cctype>
#include <cstring>
#include <sys/stat.h>
#include "kernel32/dir.h"
#include "kernel32/drives.h"
#include "plattest_fs.h"

static bool is_sep(char c) {
    return c == '\\' || c == '/';
}

static void split_into(const std::string &text, std::vector<std::string> &parts) {
    size_t i = 0;
    while (i <= text.size()) {
        size_t j = i;
        while (j < text.size() && !is_sep(text[j])) ++j;
        std::string part = text.substr(i, j - i);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        i = j + 1;
    }
}

DWORD fs_parse(const char *ansi, DosPath &out) {
    out = DosPath();
    if (ansi == nullptr || *ansi == '\0') return ERROR_INVALID_NAME;
    std::string text = ansi;
    if (text.size() >= 2 && is_sep(text[0]) && is_sep(text[1])) return ERROR_BAD_NETPATH;
    if (text.size() >= 2 && isalpha((unsigned char)text[0]) && text[1] == ':') {
        out.drive = (char)toupper((unsigned char)text[0]);
        text = text.substr(2);
    } else {
        out.drive = fs_current_drive().letter;
    }
    if (text.empty() || !is_sep(text[0])) {
        // Relative to the drive's own current directory (a drive that does not exist has none).
        if (const FsDrive *d = fs_drive(out.drive)) split_into(d->cwd, out.parts);
    }
    split_into(text, out.parts);
    return 0;
}

std::string fs_dos_text(const DosPath &p) {
    std::string s = std::string(1, p.drive) + ":";
    for (const std::string &part : p.parts) s += "\\" + part;
    return p.parts.empty() ? s + "\\" : s;
}

std::string HostPath::full() const {
    return fs_join(dir, name);
}

static bool is_dir(const std::string &host, struct stat &st) {
    return stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

static bool is_dir(const std::string &host) {
    struct stat st;
    return is_dir(host, st);
}

HostPath fs_locate(const DosPath &p) {
    HostPath h;
    const FsDrive *d = fs_drive(p.drive);
    if (d == nullptr) {
        h.error = ERROR_PATH_NOT_FOUND;
        return h;
    }
    h.dir = d->root;
    // Most names are spelt as on the host: then the host walks the whole way at once, and
    // each component's exact spelling, which wins, is known to exist. A name found so lies
    // on a drive that is there; the drive's root is looked at only when it is not.
    std::string dir = d->root;
    for (size_t i = 0; i + 1 < p.parts.size(); ++i)
        dir = fs_join(dir, fs_utf8_from_ansi(p.parts[i]));
    std::string last = p.parts.empty() ? std::string() : fs_utf8_from_ansi(p.parts.back());
    if (!p.parts.empty() && lstat(fs_join(dir, last).c_str(), &h.status) == 0) {
        h.dir = dir;
        h.name = last;
        h.exists = h.has_status = true;
        return h;
    }
    // A directory found on the way shows the drive is there too.
    struct stat dir_status;
    bool dir_found = p.parts.size() > 1 && is_dir(dir, dir_status);
    if (!dir_found && !is_dir(d->root, dir_status)) {
        h.error = ERROR_NOT_READY;
        return h;
    }
    if (p.parts.empty()) {
        h.exists = true;
        return h;
    }
    if (p.parts.size() == 1 || dir_found) {
        h.dir = dir;
        h.exists = fs_lookup(h.dir, p.parts.back(), h.name, &dir_status);
        if (!h.exists) h.name = last;
        return h;
    }
    for (size_t i = 0; i + 1 < p.parts.size(); ++i) {
        std::string found;
        if (!fs_lookup(h.dir, p.parts[i], found) || !is_dir(fs_join(h.dir, found))) {
            h.error = ERROR_PATH_NOT_FOUND;
            return h;
        }
        h.dir = fs_join(h.dir, found);
    }
    h.exists = fs_lookup(h.dir, p.parts.back(), h.name);
    if (!h.exists) h.name = fs_utf8_from_ansi(p.parts.back());
    return h;
}

bool HostPath::own_status(struct stat &st) const {
    if (has_status) {
        st = status;
        return true;
    }
    return exists && lstat(full().c_str(), &st) == 0;
}

bool HostPath::target_status(struct stat &st) const {
    if (has_status && !S_ISLNK(status.st_mode)) {
        st = status;
        return true;
    }
    return exists && stat(full().c_str(), &st) == 0;
}

HostPath fs_resolve(const char *ansi, DosPath *parsed) {
    DosPath p;
    DWORD err = fs_parse(ansi, p);
    if (parsed) *parsed = p;
    if (err != 0) {
        HostPath h;
        h.error = err;
        return h;
    }
    return fs_locate(p);
}

bool fs_valid_new_name(const std::string &ansi) {
    for (unsigned char c : ansi)
        if (c < 0x20 || strchr("<>:\"|?*", c) != nullptr) return false;
    return !ansi.empty();
}

std::string plat_host_path(const char *ansi) {
    HostPath h = fs_resolve(ansi);
    return h.error ? std::string() : h.full();
}

std::string plat_test_host_path(const char *ansi_name) {
    return plat_host_path(ansi_name);
}

std::string plat_dos_path(const char *host) {
    return host ? fs_dos_from_host(host) : "";
}
