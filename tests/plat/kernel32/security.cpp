// A file's security carried to a new file. (The path of an open file behind its links: the
// links the program converts, tests/engine/ajout.cpp.)
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <vector>
#include <windows.h>
#include "tempdrive.h"

static unsigned mode_de(const std::string &hote) {
    struct stat st;
    return stat(hote.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// CreateFileA given another file's descriptor (GetFileSecurityA) makes the new file with that
// access from its creation: here the permission bits, before a byte is written; CREATE_NEW on
// an existing name fails with ERROR_FILE_EXISTS, descriptor or not. (The calls as Windows
// has them: tests/win32/kernel32/security.cpp.)
TEST(PlatSecurity, NewFileTakesTheAccessOfAnother) {
    TempDrives d;
    d.write("prive.txt", "secret");
    chmod(d.host("prive.txt").c_str(), 0640);
    DWORD lg = 0;
    GetFileSecurityA("prive.txt", DACL_SECURITY_INFORMATION, nullptr, 0, &lg);
    std::vector<char> sd(lg);
    ASSERT_TRUE(GetFileSecurityA("prive.txt", DACL_SECURITY_INFORMATION, sd.data(), lg, &lg));
    SECURITY_ATTRIBUTES sa = {sizeof sa, sd.data(), FALSE};
    HANDLE h = CreateFileA("prive.$$$", GENERIC_WRITE, 0, &sa, CREATE_NEW, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(mode_de(d.host("prive.$$$")), 0640u);
    CloseHandle(h);
    EXPECT_EQ(CreateFileA("prive.$$$", GENERIC_WRITE, 0, &sa, CREATE_NEW, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_EXISTS);
}
