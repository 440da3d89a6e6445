// The Microsoft C runtime's low-level file services (<io.h>), for hosts without Win32.
#ifndef QUILLON_PLAT_IO_H
#define QUILLON_PLAT_IO_H

#include <stdint.h>

intptr_t _get_osfhandle(int fd); // the Win32 handle under a descriptor

#endif
