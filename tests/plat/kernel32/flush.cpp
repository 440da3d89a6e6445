// What FlushFileBuffers flushes on the host: the hook sees each directory, a drive's root
// included; flushes that fail as a failing disk makes them fail (the Windows rules for opening
// and flushing: tests/win32/kernel32/flush.cpp).
#include "platcrt.h"
#include <gtest/gtest.h>
#include <io.h>
#include <windows.h>
#include "tempdrive.h"

TEST(PlatFlush, EachDirectoryFlushedIsTheHostsOwn) {
    TempDrives d;
    d.write("docs/a.txt", "a");
    std::vector<std::pair<std::string, bool>> flushed;
    plat_test_on_flush([&](const std::string &host, bool dir) { flushed.push_back({host, dir}); });
    for (const char *name : {"docs", "docs\\.", "C:\\", "docs\\a.txt"}) {
        HANDLE h = CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << name;
        EXPECT_TRUE(FlushFileBuffers(h)) << name;
        EXPECT_TRUE(CloseHandle(h)) << name;
    }
    EXPECT_EQ(flushed, (std::vector<std::pair<std::string, bool>>{{d.host("docs"), true},
                                                                   {d.host("docs"), true},
                                                                   {d.host(""), true},
                                                                   {d.host("docs/a.txt"), false}}));
    plat_test_on_flush(nullptr);
}

// The test hooks: the next flush of a file (FlushFileBuffers, _commit) fails once with an
// I/O error, as a failing disk's does; so does the next flush of a directory (FlushFileBuffers
// on its handle, or after the rename of MoveFileExA with MOVEFILE_WRITE_THROUGH, which has
// then happened).
TEST(PlatFlush, FlushesFailOnceWhenTheTestSaysSo) {
    TempDrives d;
    d.write("a.txt", "a");
    HANDLE h = CreateFileA("a.txt", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    plat_test_fail_next_flush();
    EXPECT_FALSE(FlushFileBuffers(h));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_IO_DEVICE);
    EXPECT_TRUE(FlushFileBuffers(h));
    int fd = _open_osfhandle((intptr_t)h, 0);
    plat_test_fail_next_flush();
    EXPECT_EQ(_commit(fd), -1);
    EXPECT_EQ(_commit(fd), 0);
    _close(fd);
    HANDLE dir = CreateFileA("C:\\", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                             FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    plat_test_fail_next_directory_flush();
    EXPECT_FALSE(FlushFileBuffers(dir));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_IO_DEVICE);
    EXPECT_TRUE(FlushFileBuffers(dir));
    CloseHandle(dir);
    plat_test_fail_next_directory_flush();
    EXPECT_FALSE(MoveFileExA("a.txt", "b.txt", MOVEFILE_WRITE_THROUGH));
    EXPECT_EQ(d.read("b.txt"), "a");
}
