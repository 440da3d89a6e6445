// GetTempPathA and GetTempFileNameA as Windows reports and makes them, and the environment
// variables that GetTempPathA reads.
#include "kernel32/temp.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include "kernel32/error.h"
#include "kernel32/open.h"
#include "kernel32/resolve.h"

static unsigned seed = 0;

void fs_test_temp_seed(unsigned number) {
    seed = number;
}

// A variable's value as an absolute DOS directory; "" when it names no place on a drive.
static std::string dos_dir(const char *value) {
    if (value == nullptr || *value == '\0') return "";
    if (value[0] == '/') return plat_dos_path(value); // a host path
    DosPath p; // a DOS path; a relative one from the current directory
    return fs_parse(value, p) == 0 ? fs_dos_text(p) : "";
}

BOOL WINAPI SetEnvironmentVariableA(LPCSTR lpName, LPCSTR lpValue) {
    if (lpName == nullptr || *lpName == '\0' || strchr(lpName, '=') != nullptr)
        return fs_fail(ERROR_INVALID_PARAMETER);
    if (lpValue == nullptr) return unsetenv(lpName) == 0 ? TRUE : fs_fail(ERROR_INVALID_PARAMETER);
    return setenv(lpName, lpValue, 1) == 0 ? TRUE : fs_fail(ERROR_NOT_ENOUGH_MEMORY);
}

DWORD WINAPI GetTempPathA(DWORD nBufferLength, LPSTR lpBuffer) {
    std::string dir;
    for (const char *var : {"TMP", "TEMP", "USERPROFILE", "TMPDIR"})
        if (dir.empty()) dir = dos_dir(getenv(var));
    if (dir.empty()) dir = dos_dir("/tmp");
    if (dir.empty()) dir = dos_dir("\\"); // the root of the current drive
    if (dir.back() != '\\') dir += '\\';
    if (lpBuffer == nullptr || dir.size() + 1 > nBufferLength) return (DWORD)dir.size() + 1;
    memcpy(lpBuffer, dir.c_str(), dir.size() + 1);
    return (DWORD)dir.size();
}

static std::string temp_name(const std::string &base, const std::string &prefix, unsigned n) {
    char number[8];
    snprintf(number, sizeof number, "%X", n);
    return base + prefix + number + ".tmp";
}

UINT WINAPI GetTempFileNameA(LPCSTR lpPathName, LPCSTR lpPrefixString, UINT uUnique,
                             LPSTR lpTempFileName) {
    if (lpPathName == nullptr || lpTempFileName == nullptr) return fs_fail(ERROR_INVALID_PARAMETER);
    std::string base = lpPathName;
    if (base.empty() || (base.back() != '\\' && base.back() != '/')) base += '\\';
    std::string prefix = lpPrefixString ? std::string(lpPrefixString).substr(0, 3) : "";
    if (base.size() + prefix.size() + 4 + 4 >= MAX_PATH) return fs_fail(ERROR_BUFFER_OVERFLOW);
    if (uUnique != 0) { // the name only: nothing is created
        uUnique &= 0xFFFF;
        strcpy(lpTempFileName, temp_name(base, prefix, uUnique).c_str());
        return uUnique;
    }
    HostPath dir = fs_resolve(base.c_str());
    struct stat st;
    if (dir.error || !dir.target_status(st) || !S_ISDIR(st.st_mode))
        return fs_fail(ERROR_DIRECTORY);
    if (seed == 0) seed = (unsigned)(time(nullptr) ^ getpid());
    for (unsigned tries = 0; tries < 0xFFFF; ++tries) {
        unsigned n = (seed - 1) % 0xFFFF + 1; // 1 to 65535, never 0
        seed = n % 0xFFFF + 1;
        std::string name = temp_name(base, prefix, n);
        DWORD err;
        // Readable by its owner alone, as in a Windows user's own temporary folder: a
        // temporary file may tell what a private folder holds.
        int fd = fs_open(name.c_str(), O_CREAT | O_EXCL | O_WRONLY, 0600, &err);
        if (fd >= 0) {
            close(fd);
            strcpy(lpTempFileName, name.c_str());
            return n;
        }
        if (err != ERROR_FILE_EXISTS) return fs_fail(err);
    }
    return fs_fail(ERROR_FILE_EXISTS);
}
