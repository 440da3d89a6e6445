// <commdlg.h> for hosts without Win32: what the program uses of it.
#ifndef QUILLON_PLAT_COMMDLG_H
#define QUILLON_PLAT_COMMDLG_H

#include <windows.h>

#endif
