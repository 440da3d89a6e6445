// A directory's entries, listed whole for a search; the last directory listed is kept for the
// next search there, as a folder is listed twice in a row (its files, then its folders).
#ifndef QUILLON_PLAT_FS_LISTING_H
#define QUILLON_PLAT_FS_LISTING_H

#include <memory>
#include "kernel32/dir.h"

// Every entry of the host directory open as `dirfd`, as fs_list_dir_at gives them; null
// (errno set) when it cannot be read. The kept list serves only while the directory shows no
// change since it was read, and only a directory last changed two seconds or more before it
// was read is kept: a change within the file system's tick would not show in its times.
std::shared_ptr<const DirList> fs_listing(int dirfd);

#endif
