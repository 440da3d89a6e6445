// GetFinalPathNameByHandleA: where an open file really lies, every link on the way resolved.
#include <climits>
#include <cstring>
#include <string>
#include <unistd.h>
#include <windows.h>
#include "kernel32/drives.h"
#include "kernel32/fdhandle.h"

static DWORD none(DWORD err) {
    SetLastError(err);
    return 0;
}

DWORD WINAPI GetFinalPathNameByHandleA(HANDLE hFile, LPSTR lpszFilePath, DWORD cchFilePath,
                                       DWORD dwFlags) {
    int fd = fd_from_handle(hFile);
    if (fd < 0) return none(ERROR_INVALID_HANDLE);
    // Only the DOS form is known here.
    if (dwFlags != (VOLUME_NAME_DOS | FILE_NAME_NORMALIZED)) return none(ERROR_INVALID_PARAMETER);
    char host[PATH_MAX];
    std::string link = "/proc/self/fd/" + std::to_string(fd);
    ssize_t n = readlink(link.c_str(), host, sizeof host - 1);
    if (n <= 0) return none(ERROR_INVALID_HANDLE);
    host[n] = '\0';
    std::string dos = fs_dos_from_host(host);
    // A file that no drive reaches has no DOS name.
    if (dos.empty()) return none(ERROR_PATH_NOT_FOUND);
    dos = "\\\\?\\" + dos;
    // Too small: the size needed, terminator included, and nothing written.
    if (lpszFilePath == nullptr || dos.size() + 1 > cchFilePath) return (DWORD)dos.size() + 1;
    memcpy(lpszFilePath, dos.c_str(), dos.size() + 1);
    return (DWORD)dos.size();
}
