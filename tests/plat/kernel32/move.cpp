// Renames over each kind of host file system (the Windows rules themselves:
// tests/win32/kernel32/move.cpp).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <windows.h>
#include "kernel32/move.h"
#include "tempdrive.h"

// MoveFileA onto an existing name fails with ERROR_ALREADY_EXISTS and changes nothing, on
// every kind of file system: with the host's no-replace rename, with link+unlink (NFS), and
// with neither (FAT).
class PlatMoveFallback : public testing::TestWithParam<int> {};

TEST_P(PlatMoveFallback, RenameNeverReplaces) {
    TempDrives d;
    fs_test_rename_fallback(GetParam());
    d.write("report.txt", "source");
    d.write("report.bak", "old backup");
    EXPECT_FALSE(MoveFileA("report.txt", "REPORT.BAK"));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ALREADY_EXISTS);
    EXPECT_EQ(d.read("report.txt"), "source");
    EXPECT_EQ(d.read("report.bak"), "old backup");
    EXPECT_TRUE(MoveFileA("report.txt", "new.txt"));
    EXPECT_FALSE(d.exists("report.txt"));
    EXPECT_EQ(d.read("new.txt"), "source");
    EXPECT_TRUE(MoveFileA("new.txt", "new.txt")); // onto its own name: succeeds
    EXPECT_TRUE(MoveFileA("new.txt", "New.TXT")); // only the case changes
    EXPECT_EQ(d.read("New.TXT"), "source");
    EXPECT_FALSE(d.exists("new.txt"));
    EXPECT_FALSE(MoveFileA("gone.txt", "other.txt"));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
    d.mkdir("dir");
    EXPECT_TRUE(MoveFileA("dir", "folder")); // directories move too
    EXPECT_TRUE(d.exists("folder"));
}

INSTANTIATE_TEST_SUITE_P(EveryFileSystem, PlatMoveFallback, testing::Values(0, 1, 2));

// The replacing file takes the access bits of the file it replaces; where the file system has
// no hard links, the caller learns it and can fall back.
TEST(PlatMove, ReplacementKeepsTheAccessBitsAndHardLinksMayBeMissing) {
    TempDrives d;
    d.write("data.bin", "old");
    d.write("data.$$$", "new");
    chmod(d.host("data.bin").c_str(), 0600);
    chmod(d.host("data.$$$").c_str(), 0644);
    EXPECT_TRUE(
        MoveFileExA("data.$$$", "data.bin", MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    EXPECT_EQ(d.read("data.bin"), "new");
    struct stat st;
    stat(d.host("data.bin").c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    fs_test_rename_fallback(2);
    EXPECT_FALSE(CreateHardLinkA("data.bak", "data.bin", nullptr));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_NOT_SUPPORTED);
}
