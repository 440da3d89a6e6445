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

#endif
