// The processes the program asks about: its own number and start, whether a process of a
// given number runs (and since when, which tells it from a later one of the same number), and
// the machine's name, which tells the processes of this machine from another's.
#include <gtest/gtest.h>
#include <cstring>
#include <ctime>
#include <windows.h>

static unsigned long long debut(HANDLE h) {
    FILETIME c, e, k, u;
    EXPECT_TRUE(GetProcessTimes(h, &c, &e, &k, &u));
    return (unsigned long long)c.dwHighDateTime << 32 | c.dwLowDateTime;
}

TEST(Win32Process, ANumberRunsSinceItsStartOrIsNone) {
    HANDLE moi = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, GetCurrentProcessId());
    ASSERT_NE(moi, nullptr);
    unsigned long long depuis = debut(moi);
    EXPECT_EQ(depuis, debut(GetCurrentProcess()));
    CloseHandle(moi);
    // Now, in 100 ns since 1601, to the second above.
    unsigned long long t = ((unsigned long long)time(nullptr) + 11644473601ULL) * 10000000ULL;
    EXPECT_LE(depuis, t);
    EXPECT_GT(depuis, t - 24ULL * 3600 * 10000000); // started less than a day ago

    SetLastError(0);
    EXPECT_EQ(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, 0xFFFFFFF0u), nullptr);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
}

TEST(Win32Process, TheMachinesNameAndTheRoomItNeeds) {
    char nom[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD lg = sizeof nom;
    ASSERT_TRUE(GetComputerNameA(nom, &lg));
    EXPECT_EQ(lg, strlen(nom));
    EXPECT_GT(lg, 0u);
    EXPECT_LE(lg, (DWORD)MAX_COMPUTERNAME_LENGTH);
    char court[1];
    DWORD taille = sizeof court;
    EXPECT_FALSE(GetComputerNameA(court, &taille));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_BUFFER_OVERFLOW);
    EXPECT_EQ(taille, lg + 1);
}
