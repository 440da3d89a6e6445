// What the flush of a directory relies on, under the real Win32 calls: a directory opens for
// it only with FILE_FLAG_BACKUP_SEMANTICS, and only a handle with write access is flushed
// (the Linux platform layer pins the same answers).
#include <gtest/gtest.h>
#include <string>
#include <windows.h>

static HANDLE ouvre(const std::string &nom, DWORD acces, DWORD drapeaux) {
    return CreateFileA(nom.c_str(), acces, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, drapeaux, nullptr);
}

TEST(Vidage, DirectoryOpensForFlushingWithBackupSemanticsOnly) {
    char temp[MAX_PATH];
    DWORD n = GetTempPathA(sizeof temp, temp);
    ASSERT_TRUE(n > 0 && n < sizeof temp);
    std::string rep = std::string(temp) + "quillon-vidage-" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(rep.c_str(), nullptr));

    EXPECT_EQ(ouvre(rep, GENERIC_WRITE, 0), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
    HANDLE h = ouvre(rep, GENERIC_WRITE, FILE_FLAG_BACKUP_SEMANTICS);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(FlushFileBuffers(h));
    EXPECT_TRUE(CloseHandle(h));
    h = ouvre(rep, GENERIC_READ, FILE_FLAG_BACKUP_SEMANTICS);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(FlushFileBuffers(h));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
    CloseHandle(h);
    EXPECT_TRUE(RemoveDirectoryA(rep.c_str()));
}
