// What the host tells about its mounted volumes.
#ifndef QUILLON_PLAT_FS_MOUNTS_H
#define QUILLON_PLAT_FS_MOUNTS_H

#include <string>
#include <vector>
#include "plattest_fs.h"

// C: is the host's root; the volumes mounted under /media, /run/media and /mnt follow as D:,
// E:, ... in the sorted order of their mount points. Labels are UTF-8.
std::vector<PlatDrive> fs_host_drives();

struct MountInfo {
    std::string point;  // mount point
    std::string device; // what is mounted there
    std::string type;   // file-system type ("ext4", "vfat", ...)
};
// The mount that holds a host path (the one with the longest mount point above it).
MountInfo fs_mount_of(const std::string &path);

// The file-system type of the volume that holds a host path ("ext4", "vfat", ...), as the
// file system itself tells it; the mount table, which a chroot may not show, only for what it
// alone knows (ext2 and ext3 from ext4, what a FUSE volume holds). "" when neither tells.
std::string fs_type_of(const std::string &path);

// True when `path` is `dir` or lies below it (whole components).
bool fs_path_within(const std::string &path, const std::string &dir);

#endif
