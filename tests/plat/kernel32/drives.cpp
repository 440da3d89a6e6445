// Drives and current directories as the program relies on them.
#include <gtest/gtest.h>
#include <direct.h>
#include <unistd.h>
#include <windows.h>
#include "platcrt.h"
#include "tempdrive.h"

static std::string dcwd(int drive) {
    char buf[MAX_PATH];
    return _getdcwd(drive, buf, sizeof buf) ? buf : "(null)";
}

TEST(PlatDrives, TableReplacedByATest) {
    TempDrives d(2, {"SYSTEME", ""});
    EXPECT_EQ(GetLogicalDrives(), (DWORD)((1 << 2) | (1 << 3)));
    EXPECT_EQ(_getdrive(), 3);
    char label[256], fsname[256];
    DWORD serial, maxlen, flags;
    ASSERT_TRUE(GetVolumeInformationA("C:\\", label, sizeof label, &serial, &maxlen, &flags, fsname,
                                      sizeof fsname));
    EXPECT_STREQ(label, "SYSTEME");
    EXPECT_NE(flags, 0u);
    EXPECT_GE(maxlen, 255u);
    ASSERT_TRUE(
        GetVolumeInformationA("D:\\", label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0));
    EXPECT_STREQ(label, "");
    EXPECT_FALSE(
        GetVolumeInformationA("E:\\", label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0));
    DWORD spc, bps, free_clusters, total;
    ASSERT_TRUE(GetDiskFreeSpaceA(nullptr, &spc, &bps, &free_clusters, &total));
    EXPECT_GT(spc * bps, 0u);
    EXPECT_LE(free_clusters, total);
    // The host's working directory follows the current directory.
    char cwd[4096];
    EXPECT_EQ(std::string(getcwd(cwd, sizeof cwd)), d.host(""));
}

TEST(PlatDrives, EachDriveKeepsItsCurrentDirectory) {
    TempDrives d(2);
    d.mkdir("a/b");
    d.mkdir("data", 'D');
    EXPECT_EQ(_chdir("a\\b"), 0);
    EXPECT_EQ(_chdir("D:\\data"),
              0); // a drive letter makes that drive current, as the runtime does
    EXPECT_EQ(_getdrive(), 4);
    EXPECT_EQ(dcwd(3), "C:\\a\\b");
    EXPECT_EQ(dcwd(0), "D:\\data");
    EXPECT_EQ(_chdrive(3), 0); // back in C:'s remembered directory
    EXPECT_EQ(dcwd(0), "C:\\a\\b");
    d.write("data/x.txt", "on D", 'D');
    FILE *f = fopen("D:x.txt", "rb"); // relative to D:'s own directory
    ASSERT_NE(f, nullptr);
    fclose(f);
    EXPECT_EQ(_chdir(".."), 0);
    EXPECT_EQ(dcwd(0), "C:\\a");
    EXPECT_EQ(_chdir("\\"), 0);
    EXPECT_EQ(dcwd(0), "C:\\");
    EXPECT_EQ(_chdir(".."), 0); // ".." at a root stays there
    EXPECT_EQ(dcwd(0), "C:\\");
    EXPECT_EQ(_chdir("missing"), -1);
    EXPECT_EQ(dcwd(0), "C:\\");
    EXPECT_EQ(_chdrive(5), -1); // no drive E:
    char small[4];
    EXPECT_EQ(_getdcwd(4, small, sizeof small), nullptr); // "D:\data" does not fit
}

TEST(PlatDrives, DotDotIsTakenOnThePathTextAfterALink) {
    TempDrives d;
    d.mkdir("elsewhere/deep/target");
    d.mkdir("home");
    symlink(d.host("elsewhere/deep/target").c_str(), d.host("home/link").c_str());
    d.write("home/mine.txt", "mine");
    ASSERT_EQ(_chdir("home\\link"), 0);
    EXPECT_EQ(dcwd(0), "C:\\home\\link");
    ASSERT_EQ(_chdir(".."), 0); // back where the link was, not into "elsewhere\deep"
    EXPECT_EQ(dcwd(0), "C:\\home");
    FILE *f = fopen("mine.txt", "rb");
    ASSERT_NE(f, nullptr);
    fclose(f);
}

TEST(PlatDrives, ProgramPathAndTemporaryPath) {
    TempDrives d;
    char path[150];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    ASSERT_GT(n, 0u);
    EXPECT_EQ(std::string(path, 3), "C:\\");
    EXPECT_NE(std::string(path).find("quillon_tests"), std::string::npos);
    d.mkdir("tmp");
    setenv("TMP", "C:\\tmp", 1);
    char tmp[MAX_PATH];
    EXPECT_EQ(GetTempPathA(sizeof tmp, tmp), 7u);
    EXPECT_STREQ(tmp, "C:\\tmp\\");
    EXPECT_EQ(GetTempPathA(3, tmp), 8u); // too small: the size needed
    unsetenv("TMP");
}

// A death test's child (a fork) ends through exit(): the test drives' handler runs there, on
// a list that still exists, and leaves its parent's drives alone.
TEST(PlatDrivesDeathTest, AChildsExitLeavesItsParentsDrives) {
    GTEST_FLAG_SET(death_test_style, "fast");
    TempDrives d;
    d.write("garde.txt", "x");
    EXPECT_EXIT(exit(1), testing::ExitedWithCode(1), "");
    EXPECT_EQ(d.read("garde.txt"), "x");
}
