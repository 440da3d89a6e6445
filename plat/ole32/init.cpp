// CoInitializeEx and CoUninitialize: the apartment each thread is in, counted as Windows
// counts the calls, so that the program's balanced calls leave the thread as it was.
#include <objbase.h>
#include "ole32/apartment.h"

namespace {

struct Apartment {
    int calls = 0;       // successful CoInitializeEx not yet balanced
    bool single = false; // single-threaded (COINIT_APARTMENTTHREADED)
};
thread_local Apartment apartment;

} // namespace

HRESULT WINAPI CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit) {
    (void)pvReserved;
    bool single = (dwCoInit & COINIT_APARTMENTTHREADED) != 0;
    if (apartment.calls > 0 && apartment.single != single) return RPC_E_CHANGED_MODE;
    apartment.single = single;
    return apartment.calls++ == 0 ? S_OK : S_FALSE;
}

void WINAPI CoUninitialize(void) {
    if (apartment.calls > 0) --apartment.calls;
}

bool ole_thread_in_apartment() {
    return apartment.calls > 0 && apartment.single;
}
