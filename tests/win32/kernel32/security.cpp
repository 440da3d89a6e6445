// A file's security passed to a new file, and the path of an open file, as the program asks
// Windows for them.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <io.h>
#include <vector>
#include <windows.h>
#include "findnames.h"
#include "tempfolder.h"
#include "wine.h"

// GetFileSecurityA with a buffer too small fails with ERROR_INSUFFICIENT_BUFFER and gives the
// size needed; CreateFileA makes a new file with that descriptor; _open_osfhandle and _fdopen
// make a stream of the handle.
TEST(Win32Security, NewFileWithTheSecurityOfAnother) {
    TempFolder t;
    t.write("private.txt", "secret");
    DWORD needed = 0;
    EXPECT_FALSE(GetFileSecurityA("private.txt", DACL_SECURITY_INFORMATION, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INSUFFICIENT_BUFFER);
    ASSERT_GT(needed, 0u);
    std::vector<char> sd(needed);
    ASSERT_TRUE(GetFileSecurityA("private.txt", DACL_SECURITY_INFORMATION, sd.data(), needed,
                                 &needed));
    SECURITY_ATTRIBUTES sa = {sizeof sa, sd.data(), FALSE};
    HANDLE h = CreateFileA("private.$$$", GENERIC_READ | GENERIC_WRITE, 0, &sa, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    FILE *f = _fdopen(_open_osfhandle((intptr_t)h, _O_BINARY), "w+b");
    ASSERT_NE(f, nullptr);
    fputs("copy", f);
    EXPECT_EQ(fclose(f), 0);
    EXPECT_EQ(t.read("private.$$$"), "copy");
    EXPECT_FALSE(GetFileSecurityA("none.txt", DACL_SECURITY_INFORMATION, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
}

// GetFinalPathNameByHandleA: "\\?\" and the file's full DOS path; a buffer too small gets the
// size needed, terminator included.
TEST(Win32Security, FinalPathOfAnOpenFile) {
    TempFolder t;
    t.mkdir("real");
    t.write("real\\target.txt", "x");
    HANDLE h = CreateFileA("REAL\\target.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    char path[MAX_PATH];
    std::string expected = "\\\\?\\" + t.path() + "\\real\\target.txt";
    DWORD n = GetFinalPathNameByHandleA(h, path, sizeof path, VOLUME_NAME_DOS);
    EXPECT_EQ(n, expected.size());
    EXPECT_TRUE(same_name(path, expected)) << path; // its case is the disk's
    // "If the function fails because lpszFilePath is too small ..., the return value is the
    // required buffer size, in TCHARs. This value includes the size of the terminating null
    // character" (Microsoft's documentation): Wine's A form leaves the terminator out.
    if (!skipped_under_wine("the size GetFinalPathNameByHandleA asks for")) {
        EXPECT_EQ(GetFinalPathNameByHandleA(h, path, 10, VOLUME_NAME_DOS), expected.size() + 1);
    }
    CloseHandle(h);
}
