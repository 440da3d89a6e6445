// The subset of <windows.h> that Quillon calls, for hosts without Win32.
// Values, layouts and signatures agree with the Windows headers.
#ifndef QUILLON_PLAT_WINDOWS_H
#define QUILLON_PLAT_WINDOWS_H

#include "win/wintypes.h"
#include "win/winfiletime.h"
#include "win/winfs.h"
#include "win/winui.h"
#include "win/winshell.h"
#include "win/wincon.h"

#endif
