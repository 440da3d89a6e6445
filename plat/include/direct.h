// The Microsoft C runtime's drive and directory services (<direct.h>), for hosts without Win32.
// Each drive keeps its own current directory; drives are numbered from 1 (A:), 0 meaning the
// current drive where a drive is asked for.
#ifndef QUILLON_PLAT_DIRECT_H
#define QUILLON_PLAT_DIRECT_H

extern "C" {
int _chdrive(int drive) noexcept; // makes the drive current, in its remembered directory
int _getdrive(void) noexcept;
char *_getdcwd(int drive, char *buffer, int maxlen) noexcept; // "C:\dir", allocated if null
char *_getcwd(char *buffer, int maxlen) noexcept;
// A name with a drive letter also makes that drive current, as the Microsoft runtime does.
int _chdir(const char *dirname) noexcept;
}

#define chdir _chdir

#endif
