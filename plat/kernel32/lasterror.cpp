// The thread's last-error code (GetLastError/SetLastError): each thread has its own.
#include <windows.h>

static thread_local DWORD last_error = 0;

DWORD WINAPI GetLastError(void) { return last_error; }
void WINAPI SetLastError(DWORD dwErrCode) { last_error = dwErrCode; }
