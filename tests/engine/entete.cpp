// Header detection and the Macintosh dates: from a file's time stamp, and to calendar fields.
#include <gtest/gtest.h>
#include <string>
#include "app/quillon.h"
#include "fichier_date.h"

static const long long MAC_1970 = 2082844800LL; // seconds from 1904-01-01 to 1970-01-01
static const long long DECALAGE = 2082830400LL; // the four hours less that files are dated with

// is_quillon on a file of these bytes; the stream must read from byte 0 again afterwards.
static int detecte(const std::string &octets) {
    FILE *f = fichier_date(octets, 0);
    int r = is_quillon(f);
    EXPECT_EQ(getc(f), octets.empty() ? EOF : (unsigned char)octets[0]);
    fclose(f);
    return r;
}

TEST(Entete, DetectsHeadersByTheirFourFieldsAndNeverInAShortFile) {
    std::string b(LG_ENTETE, '\0');
    b[1] = 5;       // lgnom
    b[86] = 10;     // dlog, big-endian
    b[91] = '\xb4'; // dcreat
    auto avec = [&b](size_t i, char v) {
        std::string c = b;
        c[i] = v;
        return c;
    };
    EXPECT_EQ(detecte(b + "data"), 1);
    EXPECT_EQ(detecte(avec(0, 1)), 0);
    EXPECT_EQ(detecte(avec(1, 0)), 0);  // no name
    EXPECT_EQ(detecte(avec(91, 0)), 0); // no creation date
    std::string c = avec(86, 0);        // no fork
    EXPECT_EQ(detecte(c), 0);
    c[90] = 1; // a resource fork only
    EXPECT_EQ(detecte(c), 1);
    EXPECT_EQ(detecte(avec(1, (char)200)), 1);
    c = b;
    c.replace(99, 29, std::string(29, '\x81')); // later revisions' fields, any CRC
    EXPECT_EQ(detecte(c), 1);

    EXPECT_EQ(detecte(""), 0);
    // Each of the four bytes of the creation date makes it non-zero.
    c = avec(91, 0);
    for (size_t i = 91; i < 95; ++i) {
        std::string d = c;
        d[i] = 1;
        EXPECT_EQ(detecte(d), 1) << i;
    }
    // A file shorter than a header has no fork after it.
    EXPECT_EQ(detecte(b.substr(0, 127)), 0);
}

// A date field as stored: its four disk bytes, most significant first.
static struct tm *date_disque(uint32_t v) {
    return conv_datemac(__builtin_bswap32(v));
}

TEST(Entete, ConvertsMacintoshDates) {
    struct tm *premier = date_disque(0);
    EXPECT_EQ(date_disque(0xB492F400), premier); // one static record, overwritten
    EXPECT_EQ(premier->tm_year * 10000 + premier->tm_mon * 100 + premier->tm_mday, 1000101);

    EXPECT_EQ(_daysto(0, 0), 0);
    EXPECT_EQ(_daysto(100, 0x10002), 24 + 60); // low 16 bits of the month index
    EXPECT_EQ(_daysto(101, 13), 25 + 365);     // beyond the table: the year's length

    // Both ends and every day boundary of the 32-bit range, against a calendar of the test's
    // own (January is 1).
    auto egal = [](uint32_t secs) {
        long long unix_secs = (long long)secs - MAC_1970;
        struct tm ref;
        calendrier_utc(unix_secs, &ref);
        struct tm *t = date_disque(secs);
        return t->tm_year == ref.tm_year && t->tm_mon == ref.tm_mon + 1 &&
               t->tm_mday == ref.tm_mday && t->tm_hour == ref.tm_hour && t->tm_min == ref.tm_min &&
               t->tm_sec == ref.tm_sec && t->tm_wday == 0 && t->tm_yday == 0;
    };
    EXPECT_TRUE(egal(0) && egal(0xFFFFFFFF));
    for (unsigned long long s = 86400; s <= 0xFFFFFFFFull; s += 86400)
        ASSERT_TRUE(egal((uint32_t)s) && egal((uint32_t)(s - 1))) << s;
}

static uint32_t date_fichier(time_t ecrit) {
    FILE *f = fichier_date("x", ecrit);
    uint32_t r = mgetftime(fileno(f));
    fclose(f);
    return r;
}

// The time functions of the C runtime must reach past 2038 (the Windows build asks for them).
static_assert(sizeof(time_t) == 8, "a 64-bit time_t");

TEST(Entete, FileTimesBecomeWholeMinutesUnderTheProcessZone) {
    ASSERT_TRUE(fuseau("UTC0"));
    EXPECT_EQ(date_fichier(utc(2000, 1, 1, 0, 0, 30)), 0xB492BBC0u);
    EXPECT_EQ(date_fichier(utc(2000, 1, 1, 14, 37, 52)), utc(2000, 1, 1, 14, 37) + DECALAGE);
    // After 2038, where a 32-bit time_t ends: the last years a header can date.
    EXPECT_EQ(date_fichier(utc(2039, 6, 1, 12, 0, 30)), utc(2039, 6, 1, 12) + DECALAGE);
    EXPECT_EQ(date_fichier(utc(2040, 2, 6, 10, 28, 15)), 0xFFFFFFF0u);

    // Through local time and back: summer and winter dates both come back to their instant.
    if (fuseau("CET-1CEST,M3.5.0,M10.5.0/3")) {
        EXPECT_EQ(date_fichier(utc(2000, 7, 1, 12, 0, 30)), utc(2000, 7, 1, 12) + DECALAGE);
        EXPECT_EQ(date_fichier(utc(2000, 1, 15, 12, 0, 59)), utc(2000, 1, 15, 12) + DECALAGE);
    }

    // A time stamp that cannot be read, or is before 1980, gives the current minute.
    long long avant = (long long)time(nullptr) / 60 * 60 + DECALAGE;
    uint32_t ancien = date_fichier(utc(1975, 6, 1)), invalide = mgetftime(-1);
    for (long long r : {ancien, invalide}) {
        EXPECT_GE(r, avant);
        EXPECT_LE(r, (long long)time(nullptr) + DECALAGE);
        EXPECT_EQ(r % 60, 0);
    }
}
