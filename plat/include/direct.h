// The Microsoft C runtime's drive and directory services (<direct.h>), for hosts without Win32.
#ifndef QUILLON_PLAT_DIRECT_H
#define QUILLON_PLAT_DIRECT_H

#endif
