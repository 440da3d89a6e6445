// The flushes and renames of the program seen from the tests (plattest_fs.h): its calls to
// FlushFileBuffers, _commit, MoveFileA and MoveFileExA pass through here, where a test
// watches them or makes the next flush fail as a failing disk would.
#include <io.h>
#include <atomic>
#include <cerrno>
#include <functional>
#include <string>
#include "plattest_fs.h"
#include "testhooks/win32/wrapped.h"

namespace {
// The flushes of several files may run at once, each in a thread of its own: one planted
// failure fails one flush, whichever comes first; the hook is set while nothing flushes.
std::atomic<bool> fail_file{false};
std::atomic<DWORD> fail_directory{0}; // the error planted, 0 when none
std::function<void(const std::string &, bool)> on_flush;
std::function<void(const char *, const char *)> on_move;

// What a handle is open on, as the test names it (a host path), and whether it is a folder.
std::string host_of(HANDLE h, bool *directory) {
    BY_HANDLE_FILE_INFORMATION info;
    *directory =
        GetFileInformationByHandle(h, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    char path[MAX_PATH + 8];
    DWORD n = GetFinalPathNameByHandleA(h, path, sizeof path, VOLUME_NAME_DOS);
    if (n == 0 || n >= sizeof path) return "";
    const char *dos = strncmp(path, "\\\\?\\", 4) == 0 ? path + 4 : path;
    return testhooks_host_of(dos);
}

// Tells the test, then gives the failure planted for this kind of flush, 0 when none.
DWORD planted_failure(HANDLE h) {
    bool directory = false;
    std::string host = host_of(h, &directory);
    if (on_flush) on_flush(host, directory);
    if (directory) return fail_directory.exchange(0);
    return fail_file.exchange(false) ? ERROR_IO_DEVICE : 0;
}
} // namespace

void plat_test_fail_next_flush(void) {
    fail_file = true;
}

void plat_test_fail_next_directory_flush(unsigned long error) {
    fail_directory = (DWORD)error;
}

void plat_test_on_move(std::function<void(const char *from, const char *to)> observer) {
    on_move = std::move(observer);
}

void plat_test_on_flush(std::function<void(const std::string &host, bool directory)> hook) {
    on_flush = std::move(hook);
}

WRAPPED(BOOL, FlushFileBuffers, 4, (HANDLE h)) {
    if (DWORD err = planted_failure(h)) {
        SetLastError(err);
        return FALSE;
    }
    return real_FlushFileBuffers(h);
}

WRAPPED(BOOL, MoveFileA, 8, (LPCSTR from, LPCSTR to)) {
    if (on_move) on_move(from, to);
    return real_MoveFileA(from, to);
}

WRAPPED(BOOL, MoveFileExA, 12, (LPCSTR from, LPCSTR to, DWORD flags)) {
    if (on_move) on_move(from, to);
    return real_MoveFileExA(from, to, flags);
}

// The C runtime's _commit (cdecl: its import has no "@bytes").
typedef int(__cdecl *Commit_t)(int);
extern "C" Commit_t real_commit asm(IMPORT_SYMBOL("real", "_commit", ""));
static int __cdecl wrap_commit(int fd) {
    if (planted_failure((HANDLE)_get_osfhandle(fd))) {
        errno = EIO;
        return -1;
    }
    return real_commit(fd);
}
extern "C" Commit_t wrap_ptr_commit asm(IMPORT_SYMBOL("wrap", "_commit", ""));
Commit_t wrap_ptr_commit = wrap_commit;
