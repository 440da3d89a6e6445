// Flushing to the disk: a directory opens for it only with FILE_FLAG_BACKUP_SEMANTICS, and only
// a handle opened for writing is flushed.
#include <gtest/gtest.h>
#include <windows.h>
#include "tempfolder.h"

static HANDLE open_existing(const char *name, DWORD access, DWORD flags) {
    return CreateFileA(name, access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, flags, nullptr);
}

TEST(Win32Flush, DirectoryOpensForFlushingWithBackupSemanticsOnly) {
    TempFolder t;
    t.mkdir("docs");
    t.write("docs\\a.txt", "a");
    // Without the flag a directory is no file: access denied.
    EXPECT_EQ(open_existing("docs", GENERIC_WRITE, 0), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
    // With it, a directory opens, also spelt with a final dot, and a handle with write access
    // is flushed.
    for (const char *name : {"docs", "docs\\."}) {
        HANDLE h = open_existing(name, GENERIC_WRITE, FILE_FLAG_BACKUP_SEMANTICS);
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << name;
        EXPECT_TRUE(FlushFileBuffers(h)) << name;
        EXPECT_TRUE(CloseHandle(h)) << name;
    }
    // A handle without write access, of a directory or of a file, is not flushed.
    for (const char *name : {"docs", "docs\\a.txt"}) {
        HANDLE h = open_existing(name, GENERIC_READ, FILE_FLAG_BACKUP_SEMANTICS);
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << name;
        EXPECT_FALSE(FlushFileBuffers(h)) << name;
        EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED) << name;
        CloseHandle(h);
    }
}
