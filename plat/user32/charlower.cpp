// CharLowerA: lower case in place by the rules of the ANSI code page (Windows-1252).
#include <windows.h>
#include "kernel32/ansi.h"

LPSTR WINAPI CharLowerA(LPSTR lpsz) {
    for (char *p = lpsz; *p != '\0'; ++p) *p = (char)ansi_lower((unsigned char)*p);
    return lpsz;
}
