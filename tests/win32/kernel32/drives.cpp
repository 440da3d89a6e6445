// Drives as the program moves between them: each keeps its own current directory, a name
// with a drive letter but no backslash is relative to that drive's one, and a drive's root
// has no dot entries.
#include <gtest/gtest.h>
#include <cerrno>
#include <direct.h>
#include <windows.h>
#include "findnames.h"
#include "tempdrive.h"
#include "wine.h"

// _chdir with a drive letter makes that drive current too; _chdrive goes back to a drive's
// remembered directory; ".." at a root stays there; a drive that does not exist, a
// directory that does not exist and a buffer too small are refused.
TEST(Win32Drives, EachDriveKeepsItsCurrentDirectory) {
    TempDrives d(2);
    d.mkdir("a/b");
    d.mkdir("data", 'D');
    EXPECT_EQ(_chdir("a\\b"), 0);
    EXPECT_EQ(_chdir("D:\\data"), 0);
    EXPECT_EQ(_getdrive(), 4);
    EXPECT_EQ(dcwd(0), "D:\\data");
    // Each drive has a current directory of its own: _getdcwd gives "the full path of the
    // current working directory on the specified drive", and "C:tmp.txt refers to a file
    // named tmp.txt in the current directory on drive C" (Microsoft's C runtime and its
    // "Naming Files, Paths, and Namespaces"). Wine's runtime keeps one directory only, the
    // current drive's.
    if (!skipped_under_wine("a current directory for each drive")) {
        EXPECT_EQ(dcwd(3), "C:\\a\\b");
        EXPECT_EQ(_chdrive(3), 0);
        EXPECT_EQ(dcwd(0), "C:\\a\\b");
        d.write("data/x.txt", "on D", 'D');
        FILE *f = fopen("D:x.txt", "rb"); // relative to D:'s own directory
        ASSERT_NE(f, nullptr);
        fclose(f);
        char small[4];
        EXPECT_EQ(_getdcwd(4, small, sizeof small), nullptr); // "D:\data" does not fit
        EXPECT_EQ(errno, ERANGE);
    } else {
        EXPECT_EQ(_chdrive(3), 0);
        EXPECT_EQ(_chdir("C:\\a\\b"), 0);
    }
    EXPECT_EQ(_chdir(".."), 0);
    EXPECT_EQ(dcwd(0), "C:\\a");
    EXPECT_EQ(_chdir("\\"), 0);
    EXPECT_EQ(dcwd(0), "C:\\");
    EXPECT_EQ(_chdir(".."), 0);
    EXPECT_EQ(dcwd(0), "C:\\");
    EXPECT_EQ(_chdir("missing"), -1);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(dcwd(0), "C:\\");
    EXPECT_EQ(_chdrive(5), -1); // no drive E:
}

// "." and ".." are in every directory (tests/win32/kernel32/find.cpp) but a drive's root; an
// empty root has nothing, and says so with ERROR_FILE_NOT_FOUND.
TEST(Win32Drives, DotEntriesEverywhereButARoot) {
    TempDrives d(2);
    d.mkdir("sub");
    d.write("f.txt", "x");
    EXPECT_EQ(find_names_sorted("*.*"), (std::vector<std::string>{"f.txt", "sub"}));
    EXPECT_EQ(find_names_sorted("C:\\*"), (std::vector<std::string>{"f.txt", "sub"}));
    WIN32_FIND_DATAA fd;
    EXPECT_EQ(FindFirstFileA("D:*.*", &fd), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
}

// The drives in the mask, their volumes' facts, a letter without a drive refused.
TEST(Win32Drives, DrivesAndVolumes) {
    TempDrives d(2);
    DWORD mask = GetLogicalDrives();
    EXPECT_EQ(mask & ((1u << 2) | (1u << 3)), (DWORD)((1u << 2) | (1u << 3)));
    EXPECT_EQ(mask & (1u << 4), 0u);
    char label[MAX_PATH + 1], fsname[MAX_PATH + 1];
    DWORD serial, maxlen, flags;
    ASSERT_TRUE(GetVolumeInformationA("C:\\", label, sizeof label, &serial, &maxlen, &flags,
                                      fsname, sizeof fsname));
    EXPECT_GE(maxlen, 255u);
    EXPECT_NE(fsname[0], '\0');
    EXPECT_FALSE(
        GetVolumeInformationA("E:\\", label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0));
    DWORD spc, bps, free_clusters, total;
    ASSERT_TRUE(GetDiskFreeSpaceA(nullptr, &spc, &bps, &free_clusters, &total));
    EXPECT_GT(spc * bps, 0u);
    EXPECT_LE(free_clusters, total);
    ULARGE_INTEGER available, size, free_bytes;
    ASSERT_TRUE(GetDiskFreeSpaceExA("D:\\", &available, &size, &free_bytes));
    EXPECT_LE(available.QuadPart, size.QuadPart);
}
