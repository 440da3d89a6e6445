// Renames, replacements and hard links as Windows has them: a name never loses its content by
// surprise.
#include <gtest/gtest.h>
#include <windows.h>
#include "move_rules.h"
#include "tempfolder.h"
#include "wine.h"

TEST(Win32Move, MoveFileNeverReplaces) {
    move_file_never_replaces();
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
