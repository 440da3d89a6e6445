// Whether the tests run under Wine. A case where Wine departs from Windows' documented
// behaviour is skipped there only, with the documentation it rests on written beside it; over
// plat/ and on Windows itself it runs.
#ifndef QUILLON_TESTS_WINE_H
#define QUILLON_TESTS_WINE_H

#include <cstdio>
#include <windows.h>

inline bool under_wine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// True under Wine, where the case it guards is skipped; the test's output names the case.
inline bool skipped_under_wine(const char *the_case) {
    if (!under_wine()) return false;
    printf("Skipped under Wine, which departs from Windows here: %s\n", the_case);
    return true;
}

#endif
