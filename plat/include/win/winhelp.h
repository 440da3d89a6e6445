// The help viewer: WinHelpA.
#ifndef QUILLON_PLAT_WINHELP_H
#define QUILLON_PLAT_WINHELP_H

#include "wintypes.h"

#define HELP_QUIT 0x0002
#define HELP_CONTENTS 0x0003

// Opens the help file lpszHelp (a name in the ANSI code page) at its contents, in the help
// viewer's own window; HELP_QUIT closes that window. FALSE when the file cannot be read (the
// viewer then says so in its window).
BOOL WINAPI WinHelpA(HWND hWndMain, LPCSTR lpszHelp, UINT uCommand, ULONG_PTR dwData);

#endif
