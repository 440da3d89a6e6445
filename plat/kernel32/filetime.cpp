// File times as Win32 reports them, from the host's file status and time-zone rules.
#include <atomic>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <windows.h>
#include "kernel32/fdhandle.h"
#include "kernel32/unixtime.h"

static const unsigned long long TICKS_PER_SECOND = 10000000ULL;
static const unsigned long long TICKS_PER_DAY = 86400ULL * TICKS_PER_SECOND;
// The largest FILETIME that Windows turns into a calendar date (30828-09-14).
static const unsigned long long FILETIME_MAX = 0x7FFFFFFFFFFFFFFFULL;

static unsigned long long ticks_of(const FILETIME *ft) {
    return ((unsigned long long)ft->dwHighDateTime << 32) | ft->dwLowDateTime;
}

static FILETIME filetime_of(unsigned long long v) {
    FILETIME ft;
    ft.dwLowDateTime = (DWORD)(v & 0xFFFFFFFFu);
    ft.dwHighDateTime = (DWORD)(v >> 32);
    return ft;
}

static BOOL invalid_parameter() {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

// The birth time where the file system keeps one, else the last-write time.
static struct timespec creation_time(int fd, const struct stat &st) {
    struct statx sx;
    if (statx(fd, "", AT_EMPTY_PATH, STATX_BTIME, &sx) == 0 && (sx.stx_mask & STATX_BTIME))
        return timespec{(time_t)sx.stx_btime.tv_sec, (long)sx.stx_btime.tv_nsec};
    return st.st_mtim;
}

BOOL WINAPI GetFileTime(HANDLE hFile, LPFILETIME lpCreationTime, LPFILETIME lpLastAccessTime,
                        LPFILETIME lpLastWriteTime) {
    int fd = fd_from_handle(hFile);
    struct stat st;
    if (fd < 0 || fstat(fd, &st) != 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (lpCreationTime) *lpCreationTime = filetime_from_unix(creation_time(fd, st));
    if (lpLastAccessTime) *lpLastAccessTime = filetime_from_unix(st.st_atim);
    if (lpLastWriteTime) *lpLastWriteTime = filetime_from_unix(st.st_mtim);
    return TRUE;
}

// Windows adds the bias in force now to every time; here the offset is the one in force at
// that instant under the process's TZ rules, so a summer date stays a summer date whatever
// the season of the call.
BOOL WINAPI FileTimeToLocalFileTime(CONST FILETIME *lpFileTime, LPFILETIME lpLocalFileTime) {
    unsigned long long v = ticks_of(lpFileTime);
    if (v > FILETIME_MAX) return invalid_parameter();
    // The zone's rules are read again at most once a second (each reading looks at
    // /etc/localtime twice, for every file of a pass): a change of the system's zone shows
    // within a second, where Windows shows it at once.
    static std::atomic<time_t> rules_read_at{0};
    time_t now = time(nullptr);
    if (rules_read_at.exchange(now) != now) tzset();
    time_t t = (time_t)((long long)(v / TICKS_PER_SECOND) -
                        (long long)(FILETIME_UNIX_EPOCH / (long long)TICKS_PER_SECOND));
    struct tm lt;
    if (localtime_r(&t, &lt) == nullptr) return invalid_parameter();
    long long offset = (long long)lt.tm_gmtoff * (long long)TICKS_PER_SECOND;
    if (offset < 0 ? v < (unsigned long long)-offset
                   : v > FILETIME_MAX - (unsigned long long)offset)
        return invalid_parameter();
    *lpLocalFileTime = filetime_of(v + (unsigned long long)offset);
    return TRUE;
}

BOOL WINAPI FileTimeToSystemTime(CONST FILETIME *lpFileTime, LPSYSTEMTIME lpSystemTime) {
    unsigned long long v = ticks_of(lpFileTime);
    if (v > FILETIME_MAX) return invalid_parameter();
    unsigned long long days = v / TICKS_PER_DAY;
    unsigned long long rest = v % TICKS_PER_DAY;

    // Civil date from a day count, in 400-year eras of 146097 days starting on 1600-03-01
    // (306 days before 1601-01-01), so that the leap day ends each counted year.
    unsigned long long z = days + 306;
    unsigned long long era = z / 146097, doe = z % 146097;
    unsigned long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    unsigned long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    unsigned long long mp = (5 * doy + 2) / 153;
    unsigned month = (unsigned)(mp < 10 ? mp + 3 : mp - 9);
    SYSTEMTIME st;
    st.wYear = (WORD)(1600 + era * 400 + yoe + (month <= 2 ? 1 : 0));
    st.wMonth = (WORD)month;
    st.wDay = (WORD)(doy - (153 * mp + 2) / 5 + 1);
    st.wDayOfWeek = (WORD)((days + 1) % 7); // 1601-01-01 was a Monday
    st.wHour = (WORD)(rest / (3600 * TICKS_PER_SECOND));
    st.wMinute = (WORD)(rest / (60 * TICKS_PER_SECOND) % 60);
    st.wSecond = (WORD)(rest / TICKS_PER_SECOND % 60);
    st.wMilliseconds = (WORD)(rest / 10000 % 1000);
    *lpSystemTime = st;
    return TRUE;
}

// The packed form holds the years 1980 to 2107 and even seconds; odd seconds round down.
BOOL WINAPI FileTimeToDosDateTime(CONST FILETIME *lpFileTime, LPWORD lpFatDate, LPWORD lpFatTime) {
    SYSTEMTIME st;
    if (!FileTimeToSystemTime(lpFileTime, &st)) return FALSE;
    if (st.wYear < 1980 || st.wYear > 2107) return invalid_parameter();
    *lpFatDate = (WORD)(((st.wYear - 1980) << 9) | (st.wMonth << 5) | st.wDay);
    *lpFatTime = (WORD)((st.wHour << 11) | (st.wMinute << 5) | (st.wSecond / 2));
    return TRUE;
}
