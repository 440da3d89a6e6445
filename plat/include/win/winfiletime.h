// File times: FILETIME (100 ns since 1601, UTC), local time, the packed DOS form.
#ifndef QUILLON_PLAT_WINFILETIME_H
#define QUILLON_PLAT_WINFILETIME_H

#include "wintypes.h"

#endif
