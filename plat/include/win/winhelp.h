// The help viewer: WinHelpA.
#ifndef QUILLON_PLAT_WINHELP_H
#define QUILLON_PLAT_WINHELP_H

#include "wintypes.h"

#endif
