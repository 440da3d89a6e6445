// The thread's last-error code (GetLastError/SetLastError); the program has one thread.
#include <windows.h>

static DWORD last_error = 0;

DWORD WINAPI GetLastError(void) { return last_error; }
void WINAPI SetLastError(DWORD dwErrCode) { last_error = dwErrCode; }
