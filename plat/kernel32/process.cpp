// This process, and whether another one still runs: a handle is given for a process that
// runs (a pidfd), and its start time tells it from a later process given the same number.
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/syscall.h>
#include <unistd.h>
#include <windows.h>
#include "kernel32/error.h"
#include "kernel32/fdhandle.h"
#include "kernel32/unixtime.h"

static HANDLE const CURRENT_PROCESS = (HANDLE)(intptr_t)-1;

DWORD WINAPI GetCurrentProcessId(void) {
    return (DWORD)getpid();
}

HANDLE WINAPI GetCurrentProcess(void) {
    return CURRENT_PROCESS;
}

HANDLE WINAPI OpenProcess(DWORD, BOOL, DWORD dwProcessId) {
    int fd = dwProcessId == 0 ? -1 : (int)syscall(SYS_pidfd_open, (pid_t)dwProcessId, 0);
    if (fd >= 0) return handle_from_fd(fd);
    // As Windows answers for a number no process has.
    SetLastError(dwProcessId == 0 || errno == ESRCH || errno == EINVAL
                     ? ERROR_INVALID_PARAMETER
                     : fs_error_from_errno(errno));
    return nullptr;
}

// The process a handle stands for, 0 when none.
static pid_t pid_of(HANDLE h) {
    if (h == CURRENT_PROCESS) return getpid();
    int fd = fd_from_handle(h);
    if (fd < 0) return 0;
    std::ifstream info("/proc/self/fdinfo/" + std::to_string(fd));
    std::string line;
    while (std::getline(info, line))
        if (line.compare(0, 4, "Pid:") == 0) return (pid_t)atol(line.c_str() + 4);
    return 0;
}

// The machine's start, in seconds since 1970.
static long long boot_time() {
    std::ifstream stat("/proc/stat");
    std::string word;
    while (stat >> word)
        if (word == "btime" && stat >> word) return atoll(word.c_str());
    return 0;
}

BOOL WINAPI GetProcessTimes(HANDLE hProcess, LPFILETIME lpCreationTime, LPFILETIME lpExitTime,
                            LPFILETIME lpKernelTime, LPFILETIME lpUserTime) {
    pid_t pid = pid_of(hProcess);
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    if (pid <= 0 || !std::getline(stat, text)) return fs_fail(ERROR_INVALID_HANDLE);
    // The fields after the command's name, which may hold spaces and parentheses itself.
    size_t end = text.rfind(')');
    if (end == std::string::npos) return fs_fail(ERROR_INVALID_HANDLE);
    unsigned long long user = 0, kernel = 0, start = 0;
    if (sscanf(text.c_str() + end + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu "
                                       "%*d %*d %*d %*d %*d %*d %llu",
               &user, &kernel, &start) != 3)
        return fs_fail(ERROR_INVALID_HANDLE);
    long long tick = sysconf(_SC_CLK_TCK);
    auto filetime = [](unsigned long long v) {
        return FILETIME{(DWORD)v, (DWORD)(v >> 32)};
    };
    unsigned long long created = (unsigned long long)(FILETIME_UNIX_EPOCH + boot_time() * 10000000LL) +
                                 start * 10000000ULL / (unsigned long long)tick;
    if (lpCreationTime) *lpCreationTime = filetime(created);
    if (lpExitTime) *lpExitTime = filetime(0); // undefined, as on Windows, while it runs
    if (lpKernelTime) *lpKernelTime = filetime(kernel * 10000000ULL / (unsigned long long)tick);
    if (lpUserTime) *lpUserTime = filetime(user * 10000000ULL / (unsigned long long)tick);
    return TRUE;
}

BOOL WINAPI GetComputerNameA(LPSTR lpBuffer, LPDWORD nSize) {
    char host[256] = "";
    if (gethostname(host, sizeof host - 1) != 0) host[0] = '\0';
    host[sizeof host - 1] = '\0';
    std::string name(host, strcspn(host, "."));
    if (name.empty()) name = "LOCALHOST";
    name.resize(std::min(name.size(), (size_t)MAX_COMPUTERNAME_LENGTH));
    for (char &c : name) c = (char)toupper((unsigned char)c);
    if (nSize == nullptr) return fs_fail(ERROR_INVALID_PARAMETER);
    if (lpBuffer == nullptr || *nSize < name.size() + 1) {
        *nSize = (DWORD)name.size() + 1;
        return fs_fail(ERROR_BUFFER_OVERFLOW);
    }
    memcpy(lpBuffer, name.c_str(), name.size() + 1);
    *nSize = (DWORD)name.size();
    return TRUE;
}
