// The Microsoft C runtime's low-level file services (<io.h>), for hosts without Win32.
// Names are in the ANSI code page, relative to the current directory of the current drive;
// the open flags and permission values are the Microsoft runtime's own (not the host's).
#ifndef QUILLON_PLAT_IO_H
#define QUILLON_PLAT_IO_H

#include <stdint.h>

#ifndef _O_RDONLY
#define _O_RDONLY 0x0000
#define _O_WRONLY 0x0001
#define _O_RDWR 0x0002
#define _O_APPEND 0x0008
#define _O_CREAT 0x0100
#define _O_TRUNC 0x0200
#define _O_EXCL 0x0400
#define _O_TEXT 0x4000 // accepted; no line-end translation is made
#define _O_BINARY 0x8000
#endif
#ifndef _S_IREAD
#define _S_IREAD 0x0100
#define _S_IWRITE 0x0080 // without it a created file is read-only
#endif

extern "C" {
int _open(const char *filename, int oflag, ...) noexcept;
int _creat(const char *filename, int pmode) noexcept;
int _close(int fd) noexcept;
int _read(int fd, void *buffer, unsigned int count) noexcept;
int _write(int fd, const void *buffer, unsigned int count) noexcept; // all or -1
long _lseek(int fd, long offset, int origin) noexcept;
long _filelength(int fd) noexcept;
int _commit(int fd) noexcept; // data on disk (fsync)
int _dup(int fd) noexcept;    // a second descriptor on the same open file
int _unlink(const char *filename) noexcept;
int _access(const char *path, int mode) noexcept; // 0 exists, 2 write, 4 read, 6 both
}

intptr_t _get_osfhandle(int fd); // the Win32 handle under a descriptor
int _open_osfhandle(intptr_t osfhandle, int flags); // a descriptor over a Win32 handle

#endif
