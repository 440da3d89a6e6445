// Descriptors and their Win32 handles.
#include <cstdio>
#include <io.h>
#include "kernel32/fdhandle.h"

intptr_t _get_osfhandle(int fd) { return (intptr_t)handle_from_fd(fd); }
int _fileno(FILE *f) { return fileno(f); }
