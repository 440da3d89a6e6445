// Opening a document with the viewer the system has for its kind: ShellExecuteA.
#ifndef QUILLON_PLAT_WINSHELL_H
#define QUILLON_PLAT_WINSHELL_H

#include "wintypes.h"

#define SE_ERR_FNF 2
#define SE_ERR_ACCESSDENIED 5
#define SE_ERR_NOASSOC 31

// With the verb "open" (or none), shows the document lpFile (a name in the ANSI code page):
// HTML documents (".htm", ".html") in the help viewer's window. Returns a value above 32 when
// the document is shown; otherwise SE_ERR_FNF (no such file), SE_ERR_ACCESSDENIED (it cannot
// be read) or SE_ERR_NOASSOC (no viewer for that kind), and shows nothing, as Windows does.
HINSTANCE WINAPI ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters,
                               LPCSTR lpDirectory, INT nShowCmd);

#endif
