// The program's module: its handle and its own path, as a DOS name. The program is the one
// module here; no system library is loaded, so none of their functions is found.
#include <climits>
#include <cstring>
#include <string>
#include <unistd.h>
#include <windows.h>
#include "kernel32/names_utf8.h"
#include "kernel32/resolve.h"

HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName) {
    if (lpModuleName == nullptr) return (HMODULE)(uintptr_t)0x400000; // the classic image base
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

FARPROC WINAPI GetProcAddress(HMODULE, LPCSTR) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
}

// The program is its only module, whatever handle names it.
DWORD WINAPI GetModuleFileNameA(HMODULE /*hModule*/, LPSTR lpFilename, DWORD nSize) {
    char host[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", host, sizeof host - 1);
    if (n <= 0) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return 0;
    }
    host[n] = '\0';
    std::string dos = plat_dos_path(host);
    if (dos.empty()) { // outside every drive (tests map C: elsewhere): named on drive C:
        dos = "C:" + fs_ansi_text(host);
        for (char &c : dos)
            if (c == '/') c = '\\';
    }
    if (nSize == 0 || lpFilename == nullptr) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (dos.size() + 1 > nSize) { // cut and terminated, as Windows does since Vista
        memcpy(lpFilename, dos.c_str(), nSize - 1);
        lpFilename[nSize - 1] = '\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return nSize;
    }
    memcpy(lpFilename, dos.c_str(), dos.size() + 1);
    SetLastError(ERROR_SUCCESS);
    return (DWORD)dos.size();
}
