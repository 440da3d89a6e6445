// A console program's side of kernel32 (and shell32's parsing of a command line): the
// standard handles, console output, Ctrl-C, code pages, the command line in Unicode.
#ifndef QUILLON_PLAT_WINCON_H
#define QUILLON_PLAT_WINCON_H

#include "wintypes.h"

// UTF-16, as on Windows.
typedef char16_t WCHAR;
typedef WCHAR *LPWSTR;
typedef const WCHAR *LPCWSTR;
typedef HANDLE HLOCAL;
typedef unsigned long long ULONGLONG;

// ---- Standard handles and the console. On this host a standard handle is the host's
// descriptor 0, 1 or 2, whose text is UTF-8 whatever it leads to (a terminal, a pipe, a
// file): each is taken for a console of code page 65001 (GetConsoleMode answers for it, and
// WriteConsoleA writes its bytes as they are); GetFileType tells a terminal (a character
// device) from a file or a pipe.
#define STD_INPUT_HANDLE ((DWORD)-10)
#define STD_OUTPUT_HANDLE ((DWORD)-11)
#define STD_ERROR_HANDLE ((DWORD)-12)
HANDLE WINAPI GetStdHandle(DWORD nStdHandle);
BOOL WINAPI GetConsoleMode(HANDLE hConsoleHandle, LPDWORD lpMode);
UINT WINAPI GetConsoleOutputCP(void);
BOOL WINAPI WriteConsoleA(HANDLE hConsoleOutput, const void *lpBuffer,
                          DWORD nNumberOfCharsToWrite, LPDWORD lpNumberOfCharsWritten,
                          LPVOID lpReserved);
#define FILE_TYPE_UNKNOWN 0x0000
#define FILE_TYPE_DISK 0x0001
#define FILE_TYPE_CHAR 0x0002
#define FILE_TYPE_PIPE 0x0003
DWORD WINAPI GetFileType(HANDLE hFile);

// Ctrl-C (SIGINT on this host) calls the handlers on a thread of their own, the last added
// first, until one returns TRUE; when none does, the process ends as interrupted. Handlers
// are only added here; no handler with FALSE gives Ctrl-C back to a process whose parent had
// it ignored.
#define CTRL_C_EVENT 0
#define CTRL_BREAK_EVENT 1
typedef BOOL(WINAPI *PHANDLER_ROUTINE)(DWORD dwCtrlType);
BOOL WINAPI SetConsoleCtrlHandler(PHANDLER_ROUTINE HandlerRoutine, BOOL Add);

ULONGLONG WINAPI GetTickCount64(void);

// ---- Code pages: the ANSI code page (Windows-1252 here) and UTF-8. A character the code
// page lacks becomes '?' (or lpDefaultChar), never a look-alike: there is no best fit here,
// as WC_NO_BEST_FIT_CHARS asks of Windows.
#define CP_ACP 0
#define CP_UTF8 65001
#define WC_NO_BEST_FIT_CHARS 0x00000400
int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr,
                               int cbMultiByte, LPWSTR lpWideCharStr, int cchWideChar);
int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr,
                               int cchWideChar, LPSTR lpMultiByteStr, int cbMultiByte,
                               LPCSTR lpDefaultChar, LPBOOL lpUsedDefaultChar);

// ---- The command line: the process's arguments as the host gave them, in UTF-16, quoted as
// CommandLineToArgvW (shell32) splits them again; its result is freed with LocalFree.
LPWSTR WINAPI GetCommandLineW(void);
LPWSTR *WINAPI CommandLineToArgvW(LPCWSTR lpCmdLine, int *pNumArgs);
HLOCAL WINAPI LocalFree(HLOCAL hMem);

// The name the program sees for an existing file or directory, as Windows gives a short name
// to a long one: each component as the enumeration lists it (a host name with characters the
// code page lacks gets its '?', or its generated "~N" name). A relative path stays relative.
DWORD WINAPI GetShortPathNameW(LPCWSTR lpszLongPath, LPWSTR lpszShortPath, DWORD cchBuffer);

#endif
