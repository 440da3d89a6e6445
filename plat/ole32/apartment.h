// The calling thread's COM, for the parts that the documentation asks to run with it.
#ifndef QUILLON_PLAT_OLE32_APARTMENT_H
#define QUILLON_PLAT_OLE32_APARTMENT_H

// True when CoInitializeEx has put this thread in a single-threaded apartment, not yet ended.
bool ole_thread_in_apartment();

#endif
