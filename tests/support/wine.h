// Whether the tests run under Wine. A case where Wine departs from Windows' documented
// behaviour is skipped there only, with the documentation it rests on written beside it; over
// plat/ and on Windows itself it runs.
#ifndef QUILLON_TESTS_WINE_H
#define QUILLON_TESTS_WINE_H

#include <windows.h>

inline bool under_wine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

#endif
