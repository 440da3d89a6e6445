// Included ahead of every source of the program on hosts without Win32 (see CMakeLists.txt).
// The program opens files through the C runtime as on Windows: names in the ANSI code page,
// relative to the current directory of the current drive, with drive letters and backslashes,
// resolved without regard to case. The standard headers come first, so that no later include
// can undo the names routed to the platform layer below.
#ifndef QUILLON_PLAT_PLATCRT_H
#define QUILLON_PLAT_PLATCRT_H

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <cstdint>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

int _fileno(FILE *f); // the descriptor under a stream
FILE *_fdopen(int fd, const char *mode); // a stream over a descriptor (binary)

// <stdio.h> with Windows semantics: remove deletes files only and refuses read-only ones;
// rename never replaces an existing file. fclose of a written file starts its way to the disk
// (as every close of the layer does).
FILE *plat_fopen(const char *filename, const char *mode);
int plat_fclose(FILE *stream);
int plat_remove(const char *filename);
int plat_rename(const char *oldname, const char *newname);
namespace std {
using ::plat_fopen;
using ::plat_fclose;
using ::plat_remove;
using ::plat_rename;
} // namespace std
#define fopen plat_fopen
#define fclose plat_fclose
#define remove plat_remove
#define rename plat_rename

// The Microsoft additions to <string.h> and <stdlib.h> that the program uses.
#define _MAX_PATH 260
#define _MAX_DRIVE 3
#define _MAX_DIR 256
#define _MAX_FNAME 256
#define _MAX_EXT 256
extern "C" {
char *_strlwr(char *str) noexcept; // A-Z only, as in the "C" locale
// Comparisons without regard to case, A-Z only, as in the "C" locale.
int _stricmp(const char *a, const char *b) noexcept;
int _strnicmp(const char *a, const char *b, size_t n) noexcept;
char *_ltoa(long value, char *buffer, int radix) noexcept;
char *_ultoa(unsigned long value, char *buffer, int radix) noexcept;
void _splitpath(const char *path, char *drive, char *dir, char *fname, char *ext) noexcept;
void _makepath(char *path, const char *drive, const char *dir, const char *fname,
               const char *ext) noexcept;
}
#define strlwr _strlwr
#define ltoa _ltoa

#endif
