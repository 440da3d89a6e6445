// Drives as the test hooks and the host make them: the table a test replaces (its labels: the
// drive list, tests/io/iowfile.cpp), a link passed through, the program's own path (the rules
// of Windows: tests/win32/kernel32/drives.cpp).
#include <gtest/gtest.h>
#include <direct.h>
#include <unistd.h>
#include <windows.h>
#include "platcrt.h"
#include "tempdrive.h"

// The host's working directory follows the current directory; the program, outside every
// drive, is named on drive C: (where the tests of what lies beside it put it).
TEST(PlatDrives, TableReplacedByATestAndTheProgramOnItsDriveC) {
    TempDrives d(2);
    EXPECT_EQ(GetLogicalDrives(), (DWORD)((1 << 2) | (1 << 3)));
    EXPECT_EQ(_getdrive(), 3);
    char cwd[4096];
    EXPECT_EQ(std::string(getcwd(cwd, sizeof cwd)), d.host(""));
    char path[150];
    ASSERT_GT(GetModuleFileNameA(nullptr, path, sizeof path), 0u);
    EXPECT_EQ(std::string(path, 3), "C:\\");
    EXPECT_NE(std::string(path).find("quillon_tests"), std::string::npos);
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

// A death test's child (a fork) ends through exit(): the test drives' handler runs there, on
// a list that still exists, and leaves its parent's drives alone.
TEST(PlatDrivesDeathTest, AChildsExitLeavesItsParentsDrives) {
    GTEST_FLAG_SET(death_test_style, "fast");
    TempDrives d;
    d.write("garde.txt", "x");
    EXPECT_EXIT(exit(1), testing::ExitedWithCode(1), "");
    EXPECT_EQ(d.read("garde.txt"), "x");
}
