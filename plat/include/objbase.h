// COM's start and end on a thread (ole32), as MinGW's <objbase.h> declares them.
#ifndef QUILLON_PLAT_OBJBASE_H
#define QUILLON_PLAT_OBJBASE_H

#include "win/wintypes.h"

typedef enum tagCOINIT {
    COINIT_APARTMENTTHREADED = 0x2,
    COINIT_MULTITHREADED = 0x0,
    COINIT_DISABLE_OLE1DDE = 0x4,
    COINIT_SPEED_OVER_MEMORY = 0x8
} COINIT;

// COM on the calling thread, in a single-threaded apartment (COINIT_APARTMENTTHREADED) or the
// multithreaded one: S_OK the first time, S_FALSE when the thread already has that apartment
// (each success is balanced by a CoUninitialize), RPC_E_CHANGED_MODE when it has the other
// (nothing changes). The reserved pointer is null.
HRESULT WINAPI CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit);
// Balances one success of CoInitializeEx; the last one ends COM on the thread.
void WINAPI CoUninitialize(void);

#endif
