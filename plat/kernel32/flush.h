// Making data durable: the one flush under FlushFileBuffers, _commit and the directory flush
// of MoveFileExA, so that a test can make it fail as a failing disk does.
#ifndef QUILLON_PLAT_FS_FLUSH_H
#define QUILLON_PLAT_FS_FLUSH_H

#include <windows.h>

// fsync of a descriptor (a file's data, or a directory's entries): 0 or the Win32 error.
DWORD fs_flush(int fd);

// The same for FlushFileBuffers and _commit, which a test's flush hook sees first.
DWORD fs_flush_watched(int fd);

// A written file being closed: its data starts on its way to the disk now, so that the flush
// that will make it durable finds little left to do. Nothing a program can see changes; the
// data stays in the system's cache until then either way.
void fs_start_writeback(int fd);

// A descriptor newly opened, for writing or only for reading (whose close has nothing to
// start), whatever an earlier descriptor of that number was.
void fs_writeback_opened(int fd, bool writable);

#endif
