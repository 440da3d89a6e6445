// Drives, the current drive, and each drive's current directory (kept as DOS text, as
// Windows does, so that ".." is taken on the text and never through a link).
#include "kernel32/drives.h"
#include <climits>
#include <cstdlib>
#include <unistd.h>
#include <vector>
#include "kernel32/names_utf8.h"
#include "kernel32/mounts.h"
#include "kernel32/resolve.h"
#include "plattest_fs.h"

static std::vector<FsDrive> drives;
static char current = 0;
static bool ready = false;

static void install(const std::vector<PlatDrive> &table) {
    drives.clear();
    for (const PlatDrive &d : table) drives.push_back(FsDrive{d.letter, d.root, d.label, "\\"});
    current = drives.empty() ? 0 : drives.front().letter;
    ready = true;
}

static void host_follow() {
    FsDrive *d = fs_drive(current);
    if (d == nullptr) return;
    std::string host = d->root;
    // The host's working directory is a convenience only: every name is resolved through
    // the drive table, so a failure here changes nothing for the program.
    std::string where = plat_host_path((std::string(1, current) + ":" + d->cwd).c_str());
    if (chdir((where.empty() ? host : where).c_str()) != 0) return;
}

static void init_from_host() {
    install(fs_host_drives());
    char buf[PATH_MAX];
    std::string dos = getcwd(buf, sizeof buf) ? fs_dos_from_host(buf) : std::string();
    if (dos.size() >= 3) {
        current = dos[0];
        fs_drive(current)->cwd = dos.substr(2);
    }
}

static std::vector<FsDrive> &table() {
    if (!ready) init_from_host();
    return drives;
}

void plat_test_set_drives(const std::vector<PlatDrive> &list) {
    install(list);
    host_follow();
}

// The table passes as records of fields: the current drive and directory first, then each
// drive's letter, root and label.
static const char inherited_variable[] = "QUILLON_LECTEURS";
static const char field = '\x1f', record = '\x1e';

std::string plat_test_drives_for_child(void) {
    FsDrive &here = fs_current_drive();
    std::string text = std::string(inherited_variable) + "=" + here.letter + ":" + here.cwd;
    for (const FsDrive &d : table())
        text += record + std::string(1, d.letter) + field + d.root + field + d.label;
    return text;
}

void fs_take_inherited_drives(void) {
    const char *text = getenv(inherited_variable);
    if (text == nullptr) return;
    std::vector<std::string> records(1);
    for (const char *c = text; *c; ++c)
        if (*c == record)
            records.emplace_back();
        else
            records.back() += *c;
    std::vector<PlatDrive> list;
    for (size_t i = 1; i < records.size(); ++i) {
        const std::string &r = records[i];
        size_t a = r.find(field), b = a == std::string::npos ? a : r.find(field, a + 1);
        if (a != 1 || b == std::string::npos) continue;
        list.push_back(PlatDrive{r[0], r.substr(2, b - 2), r.substr(b + 1)});
    }
    plat_test_set_drives(list);
    const std::string &here = records.front();
    if (here.size() >= 3 && here[1] == ':') fs_set_current(here[0], here.substr(2));
    unsetenv(inherited_variable); // not handed on to what this copy starts
}

// A program started here finds its libraries whatever the drives are.
void plat_test_system_drive(bool) {
}

FsDrive *fs_drive(char letter) {
    if (letter >= 'a' && letter <= 'z') letter -= 32;
    for (FsDrive &d : table())
        if (d.letter == letter) return &d;
    return nullptr;
}

FsDrive &fs_current_drive() {
    table();
    FsDrive *d = fs_drive(current);
    if (d == nullptr) { // an empty table: a root of its own keeps every call defined
        drives.push_back(FsDrive{'C', "/", "", "\\"});
        current = 'C';
        d = &drives.back();
    }
    return *d;
}

unsigned long fs_drive_mask() {
    unsigned long mask = 0;
    for (const FsDrive &d : table()) mask |= 1ul << (d.letter - 'A');
    return mask;
}

void fs_set_current(char letter, const std::string &cwd) {
    FsDrive *d = fs_drive(letter);
    if (d == nullptr) return;
    d->cwd = cwd;
    current = d->letter;
    host_follow();
}

static std::string real_path(const std::string &p) {
    char buf[PATH_MAX];
    return realpath(p.c_str(), buf) ? std::string(buf) : p;
}

std::string fs_dos_from_host(const std::string &host) {
    std::string path = real_path(host);
    const FsDrive *best = nullptr;
    size_t best_len = 0;
    std::string rest;
    for (const FsDrive &d : table()) {
        for (const std::string &root : {d.root, real_path(d.root)}) {
            if (fs_path_within(path, root) && (best == nullptr || root.size() > best_len)) {
                best = &d;
                best_len = root.size();
                rest = path.substr(root == "/" ? 0 : root.size());
            }
        }
    }
    if (best == nullptr) return "";
    std::string dos = std::string(1, best->letter) + ":";
    size_t i = 0;
    while (i <= rest.size()) {
        size_t j = rest.find('/', i);
        if (j == std::string::npos) j = rest.size();
        std::string part = rest.substr(i, j - i);
        if (!part.empty() && part != ".") dos += "\\" + fs_ansi_text(part);
        i = j + 1;
    }
    return dos.size() == 2 ? dos + "\\" : dos;
}
