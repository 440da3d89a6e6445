// Files, directories, drives and the process (kernel32 and the C runtime's file services).
#ifndef QUILLON_PLAT_WINFS_H
#define QUILLON_PLAT_WINFS_H

#include "wintypes.h"

#endif
