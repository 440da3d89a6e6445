// The C runtime with Windows semantics, as the program's sources see it (platcrt.h first, as
// the build forces it on them), and the temporary names.
#include "platcrt.h"
#include <gtest/gtest.h>
#include <direct.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#include "kernel32/temp.h"
#include "tempdrive.h"

TEST(PlatCrt, StreamsAndDescriptorsWithWindowsNames) {
    TempDrives d;
    d.mkdir("Sub");
    FILE *f = fopen("C:\\SUB\\Out.Bin", "w+b");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(fwrite("abc", 1, 3, f), 3u);
    EXPECT_EQ(fclose(f), 0);
    EXPECT_EQ(d.read("Sub/Out.Bin"), "abc");
    EXPECT_EQ(fopen("sub\\missing", "r+b"), nullptr);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(fopen("sub", "rb"), nullptr); // a directory is not a file
    // A read-only file opens for reading only; "r+b" fails as on Windows (even for root).
    chmod(d.host("Sub/Out.Bin").c_str(), 0444);
    EXPECT_EQ(fopen("sub\\out.bin", "r+b"), nullptr);
    EXPECT_EQ(errno, EACCES);
    EXPECT_EQ(_access("sub\\out.bin", 2), -1);
    EXPECT_EQ(_access("sub\\out.bin", 4), 0);
    EXPECT_EQ(remove("sub\\out.bin"), -1);
    chmod(d.host("Sub/Out.Bin").c_str(), 0644);
    int fd = _open("sub\\out.bin", _O_RDWR | _O_BINARY);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(_filelength(fd), 3);
    EXPECT_EQ(_lseek(fd, 0, SEEK_END), 3);
    EXPECT_EQ(_write(fd, "de", 2), 2);
    EXPECT_EQ(_commit(fd), 0);
    EXPECT_EQ(_close(fd), 0);
    EXPECT_EQ(d.read("Sub/Out.Bin"), "abcde");
    fd = _creat("sub\\ro.new", _S_IREAD); // without _S_IWRITE the new file is read-only
    ASSERT_GE(fd, 0);
    _close(fd);
    EXPECT_EQ(GetFileAttributesA("sub\\ro.new") & FILE_ATTRIBUTE_READONLY,
              (DWORD)FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(_open("sub\\ro.new", _O_CREAT | _O_EXCL | _O_RDWR, _S_IREAD | _S_IWRITE), -1);
    EXPECT_EQ(errno, EEXIST);
    // rename never replaces, remove takes files only.
    d.write("a.txt", "a");
    d.write("b.txt", "b");
    EXPECT_NE(rename("a.txt", "B.TXT"), 0);
    EXPECT_EQ(d.read("b.txt"), "b");
    EXPECT_NE(remove("sub"), 0);
    EXPECT_EQ(remove("A.TXT"), 0);
    EXPECT_FALSE(d.exists("a.txt"));
}

TEST(PlatCrt, StringAndPathHelpers) {
    char s[] = "ABC\xc9t\xc9 Z";
    EXPECT_STREQ(strlwr(s), "abc\xc9t\xc9 z"); // the "C" locale lowers A-Z only
    char buf[40];
    EXPECT_STREQ(ltoa(-1234, buf, 10), "-1234");
    EXPECT_STREQ(ltoa(-1, buf, 16), "ffffffff");
    EXPECT_STREQ(_ultoa(4000000000ul, buf, 10), "4000000000");
    char drive[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT], out[_MAX_PATH];
    _splitpath("c:\\a.b\\nom.tar.gz", drive, dir, fname, ext);
    EXPECT_STREQ(drive, "c:");
    EXPECT_STREQ(dir, "\\a.b\\");
    EXPECT_STREQ(fname, "nom.tar");
    EXPECT_STREQ(ext, ".gz");
    _splitpath("rel/x", drive, dir, fname, ext);
    EXPECT_STREQ(drive, "");
    EXPECT_STREQ(dir, "rel/");
    EXPECT_STREQ(ext, "");
    _makepath(out, "D", "\\data", "f", "txt");
    EXPECT_STREQ(out, "D:\\data\\f.txt");
    std::string longdir(300, 'x'); // never overruns the path buffer
    _makepath(out, "C:", longdir.c_str(), "f", ".e");
    EXPECT_EQ(strlen(out), (size_t)_MAX_PATH - 1);
}

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
    EXPECT_EQ(GetTempFileNameA("C:\\none", "q", 0, name), 0u);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_DIRECTORY);
    EXPECT_EQ(GetTempFileNameA("C:\\", "q", 0x1ABCD, name), 0xABCDu); // name only
    EXPECT_STREQ(name, "C:\\qABCD.tmp");
    EXPECT_FALSE(d.exists("qABCD.tmp"));
}
