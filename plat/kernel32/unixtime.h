// Host times to Win32 FILETIME: 100-nanosecond intervals since 1601-01-01 UTC.
#ifndef QUILLON_PLAT_UNIXTIME_H
#define QUILLON_PLAT_UNIXTIME_H

#include <time.h>
#include <windows.h>

static const long long FILETIME_UNIX_EPOCH = 116444736000000000LL; // 1970-01-01 as FILETIME

inline FILETIME filetime_from_unix(struct timespec ts) {
    unsigned long long v =
        (unsigned long long)(FILETIME_UNIX_EPOCH + (long long)ts.tv_sec * 10000000LL +
                             ts.tv_nsec / 100);
    FILETIME ft;
    ft.dwLowDateTime = (DWORD)(v & 0xFFFFFFFFu);
    ft.dwHighDateTime = (DWORD)(v >> 32);
    return ft;
}

inline long long filetime_to_unix_seconds(const FILETIME *ft) {
    unsigned long long v = ((unsigned long long)ft->dwHighDateTime << 32) | ft->dwLowDateTime;
    return ((long long)v - FILETIME_UNIX_EPOCH) / 10000000LL;
}

#endif
