// Test files with a chosen last-write time, and the time zone of the test process; the same
// on Linux and in the Windows build of the tests.
#ifndef QUILLON_TESTS_FICHIER_DATE_H
#define QUILLON_TESTS_FICHIER_DATE_H

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#ifdef _WIN32
#include <windows.h>
#include <io.h>
#else
#include <sys/stat.h>
#endif

// Seconds since 1970 of a UTC calendar date (proleptic Gregorian), computed here so that
// no calendar of the C library under test is needed.
inline time_t utc(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    long long a = mo <= 2 ? y - 1 : y, ere = (a >= 0 ? a : a - 399) / 400;
    long long annee = a - ere * 400, mois = (mo + 9) % 12;
    long long jour_annee = (153 * mois + 2) / 5 + d - 1;
    long long jour_ere = annee * 365 + annee / 4 - annee / 100 + jour_annee;
    long long jours = ere * 146097 + jour_ere - 719468;
    return (time_t)(jours * 86400 + h * 3600 + mi * 60 + s);
}

// A time as Windows keeps file times: 100-nanosecond intervals since 1601-01-01 UTC.
inline unsigned long long temps_fichier(time_t secondes, long nsec = 0) {
    return 116444736000000000ull + (unsigned long long)secondes * 10000000ull +
           (unsigned long long)nsec / 100;
}

// The UTC calendar fields of a time (year, month, day, hour, minute, second), computed here
// too: the C runtime of Windows has no calendar before 1970.
inline void calendrier_utc(long long t, struct tm *champs) {
    long long jours = (t >= 0 ? t : t - 86399) / 86400, reste = t - jours * 86400;
    jours += 719468;
    long long ere = (jours >= 0 ? jours : jours - 146096) / 146097;
    long long jour_ere = jours - ere * 146097;
    long long annee_ere = (jour_ere - jour_ere / 1460 + jour_ere / 36524 - jour_ere / 146096) / 365;
    long long jour_annee = jour_ere - (365 * annee_ere + annee_ere / 4 - annee_ere / 100);
    long long m = (5 * jour_annee + 2) / 153;
    *champs = {};
    champs->tm_mday = (int)(jour_annee - (153 * m + 2) / 5 + 1);
    champs->tm_mon = (int)(m < 10 ? m + 2 : m - 10);
    champs->tm_year = (int)(annee_ere + ere * 400 + (champs->tm_mon <= 1) - 1900);
    champs->tm_hour = (int)(reste / 3600);
    champs->tm_min = (int)(reste % 3600 / 60);
    champs->tm_sec = (int)(reste % 60);
}

// Puts the process in the zone tz (POSIX form, "UTC0" or "CET-1CEST,M3.5.0,M10.5.0/3").
// False where that cannot be done: on Windows, file times are turned into local times in the
// system's zone, which a test cannot change; the Windows tests run with the system in UTC.
inline bool fuseau(const char *tz) {
#ifdef _WIN32
    _putenv_s("TZ", tz);
    _tzset();
    TIME_ZONE_INFORMATION z;
    DWORD mode = GetTimeZoneInformation(&z);
    return strcmp(tz, "UTC0") == 0 && z.Bias == 0 &&
           (mode == TIME_ZONE_ID_UNKNOWN || z.DaylightBias == 0);
#else
    setenv("TZ", tz, 1);
    tzset();
    return true;
#endif
}

// A temporary file holding the given bytes, last written at the given time; the stream is
// positioned at its start and the file disappears when it is closed.
inline FILE *fichier_date(const std::string &octets, time_t ecrit, long nsec = 0) {
    FILE *f = tmpfile();
    fwrite(octets.data(), 1, octets.size(), f);
    fflush(f);
#ifdef _WIN32
    unsigned long long v = temps_fichier(ecrit, nsec);
    FILETIME t = {(DWORD)v, (DWORD)(v >> 32)};
    SetFileTime((HANDLE)_get_osfhandle(_fileno(f)), nullptr, &t, &t);
#else
    struct timespec t[2] = {{ecrit, nsec}, {ecrit, nsec}};
    futimens(fileno(f), t);
#endif
    rewind(f);
    return f;
}

#endif
