// Flushing to the disk: a directory opens for it only as Windows allows, and only handles
// opened for writing are flushed.
#include <gtest/gtest.h>
#include <windows.h>
#include "tempdrive.h"

static HANDLE ouvre(const char *nom, DWORD acces, DWORD drapeaux) {
    return CreateFileA(nom, acces, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, drapeaux, nullptr);
}

TEST(PlatFlush, DirectoryOpensForFlushingWithBackupSemanticsOnly) {
    TempDrives d;
    d.write("docs/a.txt", "a");
    std::vector<std::pair<std::string, bool>> vides;
    plat_test_on_flush([&](const std::string &host, bool rep) { vides.push_back({host, rep}); });

    // Without the flag a directory is no file: access denied.
    EXPECT_EQ(ouvre("docs", GENERIC_WRITE, 0), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
    // With it, a directory, the current one spelt with a dot, and a drive's root open; a
    // handle with write access is flushed.
    for (const char *nom : {"docs", "docs\\.", "C:\\"}) {
        HANDLE h = ouvre(nom, GENERIC_WRITE, FILE_FLAG_BACKUP_SEMANTICS);
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << nom;
        EXPECT_TRUE(FlushFileBuffers(h)) << nom;
        EXPECT_TRUE(CloseHandle(h)) << nom;
    }
    EXPECT_EQ(vides, (std::vector<std::pair<std::string, bool>>{
                         {d.host("docs"), true}, {d.host("docs"), true}, {d.host(""), true}}));
    // A handle without write access, of a directory or of a file, is not flushed.
    for (const char *nom : {"docs", "docs\\a.txt"}) {
        HANDLE h = ouvre(nom, GENERIC_READ, FILE_FLAG_BACKUP_SEMANTICS);
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << nom;
        EXPECT_FALSE(FlushFileBuffers(h)) << nom;
        EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED) << nom;
        CloseHandle(h);
    }
    plat_test_on_flush(nullptr);
}
