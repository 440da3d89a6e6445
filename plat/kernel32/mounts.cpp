// Mounted volumes from /proc/self/mounts, labels from /dev/disk/by-label.
#include "kernel32/mounts.h"
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sys/vfs.h>
#include <sstream>

// The mount table writes a space as \040 and so on (octal).
static std::string unescape_octal(const std::string &s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size() &&
            s.substr(i + 1, 3).find_first_not_of("01234567") == std::string::npos) {
            out += (char)std::strtol(s.substr(i + 1, 3).c_str(), nullptr, 8);
            i += 3;
        } else {
            out += s[i];
        }
    }
    return out;
}

// udev writes unsafe characters of a label as \xNN.
static std::string unescape_hex(const std::string &s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s.compare(i, 2, "\\x") == 0 && i + 4 <= s.size() && isxdigit((unsigned char)s[i + 2]) &&
            isxdigit((unsigned char)s[i + 3])) {
            out += (char)std::strtol(s.substr(i + 2, 2).c_str(), nullptr, 16);
            i += 3;
        } else {
            out += s[i];
        }
    }
    return out;
}

static std::vector<MountInfo> read_mounts() {
    std::vector<MountInfo> mounts;
    std::ifstream in("/proc/self/mounts");
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        MountInfo m;
        if (fields >> m.device >> m.point >> m.type) {
            m.device = unescape_octal(m.device);
            m.point = unescape_octal(m.point);
            mounts.push_back(m);
        }
    }
    return mounts;
}

static std::string real_path(const std::string &p) {
    char buf[PATH_MAX];
    return realpath(p.c_str(), buf) ? std::string(buf) : std::string();
}

bool fs_path_within(const std::string &path, const std::string &dir) {
    if (dir == "/") return !path.empty() && path[0] == '/';
    return path.compare(0, dir.size(), dir) == 0 &&
           (path.size() == dir.size() || path[dir.size()] == '/');
}

// The file-system label of a device, where udev published one.
static std::string device_label(const std::string &device) {
    std::string dev = real_path(device);
    if (dev.empty()) return "";
    std::string label;
    if (DIR *d = opendir("/dev/disk/by-label")) {
        while (struct dirent *e = readdir(d)) {
            if (e->d_name[0] == '.') continue;
            if (real_path(std::string("/dev/disk/by-label/") + e->d_name) == dev) {
                label = unescape_hex(e->d_name);
                break;
            }
        }
        closedir(d);
    }
    return label;
}

static std::string volume_label(const MountInfo &m) {
    std::string label = device_label(m.device);
    if (label.empty() && m.point != "/") label = m.point.substr(m.point.rfind('/') + 1);
    return label;
}

std::vector<PlatDrive> fs_host_drives() {
    std::vector<MountInfo> mounts = read_mounts();
    std::vector<PlatDrive> drives;
    drives.push_back(PlatDrive{'C', "/", volume_label(fs_mount_of("/"))});
    std::vector<MountInfo> volumes;
    for (const MountInfo &m : mounts) {
        bool removable = false;
        for (const char *base : {"/media", "/run/media", "/mnt"})
            removable = removable || (fs_path_within(m.point, base) && m.point != base);
        bool seen = std::any_of(volumes.begin(), volumes.end(),
                                [&](const MountInfo &v) { return v.point == m.point; });
        if (removable && !seen) volumes.push_back(m);
    }
    std::sort(volumes.begin(), volumes.end(),
              [](const MountInfo &a, const MountInfo &b) { return a.point < b.point; });
    for (const MountInfo &m : volumes) {
        if (drives.size() == 24) break; // D: to Z:
        drives.push_back(PlatDrive{char('C' + drives.size()), m.point, volume_label(m)});
    }
    return drives;
}

MountInfo fs_mount_of(const std::string &path) {
    std::string real = real_path(path);
    if (real.empty()) real = path;
    MountInfo best;
    for (const MountInfo &m : read_mounts())
        if (fs_path_within(real, m.point) && m.point.size() >= best.point.size()) best = m;
    return best;
}

// The types the kernel's magic numbers stand for.
static std::string type_of_magic(unsigned long magic) {
    static const struct {
        unsigned long magic;
        const char *type;
    } types[] = {{0xEF53, "ext4"},     {0x4D44, "vfat"},        {0x2011BAB0, "exfat"},
                 {0x5346544E, "ntfs"}, {0x7366746E, "ntfs3"},   {0x65735546, "fuse"},
                 {0x01021994, "tmpfs"}, {0x9123683E, "btrfs"},  {0x58465342, "xfs"},
                 {0xF2F52010, "f2fs"}, {0x2FC12FC1, "zfs"},     {0x794C7630, "overlay"},
                 {0x6969, "nfs"},      {0xFF534D42, "cifs"},    {0x73717368, "squashfs"},
                 {0x9660, "iso9660"},  {0x15013346, "udf"},     {0x01021997, "9p"}};
    for (const auto &t : types)
        if (t.magic == magic) return t.type;
    return "";
}

std::string fs_type_of(const std::string &path) {
    struct statfs st;
    std::string type = statfs(path.c_str(), &st) == 0 ? type_of_magic((unsigned long)st.f_type) : "";
    std::string listed = fs_mount_of(path).type;
    if (!listed.empty() && (type.empty() || type == "ext4" || type == "fuse")) return listed;
    return type;
}
