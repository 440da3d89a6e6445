// Test files with a chosen last-write time, and the time zone of the test process.
#ifndef QUILLON_TESTS_FICHIER_DATE_H
#define QUILLON_TESTS_FICHIER_DATE_H

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <sys/stat.h>

// Seconds since 1970 of a UTC calendar date.
inline time_t utc(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    struct tm t = {};
    t.tm_year = y - 1900;
    t.tm_mon = mo - 1;
    t.tm_mday = d;
    t.tm_hour = h;
    t.tm_min = mi;
    t.tm_sec = s;
    return timegm(&t);
}

inline void fuseau(const char *tz) {
    setenv("TZ", tz, 1);
    tzset();
}

// A temporary file holding the given bytes, last written at the given time; the stream is
// positioned at its start and the file disappears when it is closed.
inline FILE *fichier_date(const std::string &octets, time_t ecrit, long nsec = 0) {
    FILE *f = tmpfile();
    fwrite(octets.data(), 1, octets.size(), f);
    fflush(f);
    struct timespec t[2] = {{ecrit, nsec}, {ecrit, nsec}};
    futimens(fileno(f), t);
    rewind(f);
    return f;
}

#endif
