// What FlushFileBuffers flushes on the host: the hook sees each directory, a drive's root
// included (the Windows rules for opening and flushing: tests/win32/kernel32/flush.cpp).
#include <gtest/gtest.h>
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
