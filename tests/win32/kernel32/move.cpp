// Renames, replacements and hard links as Windows has them: a name never loses its content by
// surprise.
#include <gtest/gtest.h>
#include <windows.h>
#include "tempfolder.h"
#include "wine.h"

// The exact spelling of a name as the directory lists it.
static std::string listed(const char *name) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(name, &fd);
    if (h == INVALID_HANDLE_VALUE) return "(none)";
    FindClose(h);
    return fd.cFileName;
}

// MoveFileA fails with ERROR_ALREADY_EXISTS onto an existing name, whatever its case, and then
// changes nothing; onto its own name it succeeds, and a change of case only is a rename.
TEST(Win32Move, MoveFileNeverReplaces) {
    TempFolder t;
    t.write("report.txt", "source");
    t.write("report.bak", "old backup");
    EXPECT_FALSE(MoveFileA("report.txt", "REPORT.BAK"));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ALREADY_EXISTS);
    EXPECT_EQ(t.read("report.txt"), "source");
    EXPECT_EQ(t.read("report.bak"), "old backup");
    EXPECT_TRUE(MoveFileA("report.txt", "new.txt"));
    EXPECT_FALSE(t.exists("report.txt"));
    EXPECT_EQ(t.read("new.txt"), "source");
    EXPECT_TRUE(MoveFileA("new.txt", "new.txt"));
    EXPECT_TRUE(MoveFileA("new.txt", "New.TXT"));
    // Windows' file systems keep a name in the case it is given, renames included (Microsoft's
    // "Naming Files": case is preserved, though lookups ignore it); Wine reports success and
    // keeps the old spelling.
    if (!skipped_under_wine("a rename that changes only the case")) {
        EXPECT_EQ(listed("new.txt"), "New.TXT");
    }
    EXPECT_EQ(t.read("New.TXT"), "source");
    EXPECT_FALSE(MoveFileA("gone.txt", "other.txt"));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
    t.mkdir("dir");
    EXPECT_TRUE(MoveFileA("dir", "folder")); // directories move too
    EXPECT_EQ(GetFileAttributesA("folder"), (DWORD)FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(MoveFileA("New.TXT", "folder\\inside.txt")); // and files into them
    EXPECT_EQ(t.read("folder\\inside.txt"), "source");
}

// A backup made as a second name of the file; the work file takes the file's place in one
// step; a read-only file is neither replaced nor deleted.
TEST(Win32Move, ReplacingRenameAndHardLinks) {
    TempFolder t;
    t.write("data.bin", "old");
    t.write("data.$$$", "new");
    EXPECT_TRUE(CreateHardLinkA("data.bak", "data.bin", nullptr));
    EXPECT_FALSE(CreateHardLinkA("data.bak", "data.bin", nullptr));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ALREADY_EXISTS);
    EXPECT_TRUE(
        MoveFileExA("data.$$$", "data.bin", MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    EXPECT_EQ(t.read("data.bin"), "new");
    EXPECT_EQ(t.read("data.bak"), "old");
    EXPECT_FALSE(t.exists("data.$$$"));
    EXPECT_FALSE(MoveFileExA("data.bin", "data.bak", 0)); // without the flag: MoveFileA
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ALREADY_EXISTS);
    t.write("w.tmp", "w");
    ASSERT_TRUE(SetFileAttributesA("data.bak", FILE_ATTRIBUTE_READONLY));
    // Of a read-only file, "applications can read the file, but cannot write to it or delete
    // it" (Microsoft's file attribute constants), and replacing a file deletes it: MoveFileExA
    // fails with ERROR_ACCESS_DENIED. Wine replaces it.
    if (!skipped_under_wine("MoveFileExA replacing a read-only file")) {
        EXPECT_FALSE(MoveFileExA("w.tmp", "data.bak", MOVEFILE_REPLACE_EXISTING));
        EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
    }
    EXPECT_FALSE(DeleteFileA("data.bak"));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
    EXPECT_EQ(t.read("data.bak"), "old");
    ASSERT_TRUE(SetFileAttributesA("data.bak", FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(DeleteFileA("data.bak"));
    EXPECT_FALSE(DeleteFileA("data.bak"));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
}
