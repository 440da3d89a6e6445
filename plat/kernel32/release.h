// The last reference to a replaced file, let go of beside the caller.
#ifndef QUILLON_PLAT_FS_RELEASE_H
#define QUILLON_PLAT_FS_RELEASE_H

#include <sys/stat.h>

// Closes fd, plat's own descriptor of a file just replaced (st, its status), on a thread of
// its own: freeing the file's blocks happens at that close, and some volumes (without a
// journal, mounted to discard freed blocks) make it wait for the disk, once per file of a
// pass. Where the space may be wanted at once (a large file, a volume nearly full, a thread
// fallen behind), the caller closes it itself.
void fs_release_replaced(int fd, const struct stat &st);

#endif
