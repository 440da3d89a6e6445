// A console program's standard handles, its output, Ctrl-C and the clock.
#include <atomic>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <mutex>
#include <thread>
#include <vector>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <windows.h>
#include "kernel32/error.h"
#include "kernel32/fdhandle.h"

HANDLE WINAPI GetStdHandle(DWORD nStdHandle) {
    switch (nStdHandle) {
    case STD_INPUT_HANDLE:
        return handle_from_fd(0);
    case STD_OUTPUT_HANDLE:
        return handle_from_fd(1);
    case STD_ERROR_HANDLE:
        return handle_from_fd(2);
    default:
        SetLastError(ERROR_INVALID_HANDLE);
        return INVALID_HANDLE_VALUE;
    }
}

static bool is_standard(HANDLE h) {
    int fd = fd_from_handle(h);
    return fd >= 0 && fd <= 2 && fcntl(fd, F_GETFD) != -1;
}

// The modes Windows gives a console's input and output buffers by default.
BOOL WINAPI GetConsoleMode(HANDLE hConsoleHandle, LPDWORD lpMode) {
    if (!is_standard(hConsoleHandle)) return fs_fail(ERROR_INVALID_HANDLE);
    if (lpMode) *lpMode = fd_from_handle(hConsoleHandle) == 0 ? 0x1F7 : 0x3;
    return TRUE;
}

UINT WINAPI GetConsoleOutputCP(void) {
    return CP_UTF8;
}

BOOL WINAPI WriteConsoleA(HANDLE hConsoleOutput, const void *lpBuffer,
                          DWORD nNumberOfCharsToWrite, LPDWORD lpNumberOfCharsWritten,
                          LPVOID /*lpReserved*/) {
    if (!is_standard(hConsoleOutput)) return fs_fail(ERROR_INVALID_HANDLE);
    const char *p = (const char *)lpBuffer;
    DWORD done = 0;
    while (done < nNumberOfCharsToWrite) {
        ssize_t n = write(fd_from_handle(hConsoleOutput), p + done, nNumberOfCharsToWrite - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (lpNumberOfCharsWritten) *lpNumberOfCharsWritten = done;
            return fs_fail(n < 0 ? fs_error_from_errno(errno) : ERROR_GEN_FAILURE);
        }
        done += (DWORD)n;
    }
    if (lpNumberOfCharsWritten) *lpNumberOfCharsWritten = done;
    return TRUE;
}

DWORD WINAPI GetFileType(HANDLE hFile) {
    struct stat st;
    if (fstat(fd_from_handle(hFile), &st) != 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FILE_TYPE_UNKNOWN;
    }
    SetLastError(ERROR_SUCCESS);
    if (S_ISCHR(st.st_mode)) return FILE_TYPE_CHAR;
    if (S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode)) return FILE_TYPE_PIPE;
    return FILE_TYPE_DISK;
}

// ---- Ctrl-C. The signal handler only writes to a pipe; a thread of the layer's own reads it
// and calls the program's handlers, as Windows calls them on a thread it creates.

static std::mutex handlers_lock;
static std::vector<PHANDLER_ROUTINE> handlers;
static int signal_pipe[2] = {-1, -1};

static void on_sigint(int) {
    int saved = errno;
    char c = 0;
    if (write(signal_pipe[1], &c, 1) < 0) {
    } // a full pipe already holds a Ctrl-C still to be handled
    errno = saved;
}

static void dispatch_ctrl_c() {
    char c;
    for (;;) {
        ssize_t n = read(signal_pipe[0], &c, 1);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        std::vector<PHANDLER_ROUTINE> list;
        {
            std::lock_guard<std::mutex> g(handlers_lock);
            list = handlers;
        }
        bool handled = false;
        for (auto it = list.rbegin(); it != list.rend() && !handled; ++it)
            handled = (*it)(CTRL_C_EVENT) != FALSE;
        if (!handled) { // Windows' default: the process ends, interrupted
            signal(SIGINT, SIG_DFL);
            raise(SIGINT);
        }
    }
}

// Adding a handler, and (no handler, FALSE) taking Ctrl-C back from a parent that had it
// ignored (SIGINT ignored, as a shell leaves it to a job in the background): the program never
// takes a handler away.
BOOL WINAPI SetConsoleCtrlHandler(PHANDLER_ROUTINE HandlerRoutine, BOOL Add) {
    if (HandlerRoutine == nullptr && !Add) {
        std::lock_guard<std::mutex> g(handlers_lock);
        if (signal_pipe[0] == -1) signal(SIGINT, SIG_DFL);
        return TRUE;
    }
    if (HandlerRoutine == nullptr || !Add) return fs_fail(ERROR_NOT_SUPPORTED);
    std::lock_guard<std::mutex> g(handlers_lock);
    if (signal_pipe[0] == -1) {
        if (pipe2(signal_pipe, O_CLOEXEC) != 0) return fs_fail(fs_error_from_errno(errno));
        fcntl(signal_pipe[1], F_SETFL, O_NONBLOCK);
        std::thread(dispatch_ctrl_c).detach();
        struct sigaction sa = {};
        sa.sa_handler = on_sigint;
        sigemptyset(&sa.sa_mask);
        sa.sa_flags = SA_RESTART;
        sigaction(SIGINT, &sa, nullptr);
    }
    handlers.push_back(HandlerRoutine);
    return TRUE;
}

ULONGLONG WINAPI GetTickCount64(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (ULONGLONG)t.tv_sec * 1000 + (ULONGLONG)t.tv_nsec / 1000000;
}
