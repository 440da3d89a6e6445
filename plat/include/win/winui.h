// Windows, dialogs, controls, messages, timers and cursors (user32, gdi32).
#ifndef QUILLON_PLAT_WINUI_H
#define QUILLON_PLAT_WINUI_H

#include "wintypes.h"

#endif
