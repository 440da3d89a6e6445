// What the C runtime and the temporary names do here beyond Windows' rules (those are in
// tests/win32/msvcrt/crt.cpp and tests/win32/kernel32/temp.cpp).
#include "platcrt.h"
#include <gtest/gtest.h>
#include <windows.h>
#include "kernel32/temp.h"
#include "tempdrive.h"

// The Microsoft runtime writes past the buffer here; this one cuts the path.
TEST(PlatCrt, MakepathNeverOverrunsThePathBuffer) {
    char out[_MAX_PATH];
    std::string longdir(300, 'x');
    _makepath(out, "C:", longdir.c_str(), "f", ".e");
    EXPECT_EQ(strlen(out), (size_t)_MAX_PATH - 1);
}

// The numbers wrap round after FFFF to 1 and pass over the names that exist.
TEST(PlatCrt, TemporaryFileNamesMoveOnWhileTheNameExists) {
    TempDrives d;
    char name[MAX_PATH];
    fs_test_temp_seed(0xFFFF);
    d.write("preFFFF.tmp", "taken");
    // 16-bit numbers, never 0: after FFFF comes 1.
    EXPECT_EQ(GetTempFileNameA("C:\\", "prefix", 0, name), 1u);
    EXPECT_STREQ(name, "C:\\pre1.tmp");
    EXPECT_TRUE(d.exists("pre1.tmp"));
    EXPECT_EQ(d.read("pre1.tmp"), "");
    EXPECT_EQ(d.read("preFFFF.tmp"), "taken");
    EXPECT_EQ(GetTempFileNameA("C:", "q", 0, name), 2u);
    EXPECT_STREQ(name, "C:\\q2.tmp");
}
