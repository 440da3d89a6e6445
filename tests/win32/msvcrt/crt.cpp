// The C runtime's files and strings as the Microsoft runtime has them: names in Windows' form,
// read-only files refused for writing, descriptors duplicated, renames that never replace.
#include <gtest/gtest.h>
#include <cerrno>
#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#include "tempfolder.h"
#include "wine.h"

TEST(Win32Crt, StreamsAndDescriptorsWithWindowsNames) {
    TempFolder t;
    t.mkdir("Sub");
    FILE *f = fopen((t.path() + "\\SUB\\Out.Bin").c_str(), "w+b");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(fwrite("abc", 1, 3, f), 3u);
    EXPECT_EQ(fclose(f), 0);
    EXPECT_EQ(t.read("Sub\\Out.Bin"), "abc");
    EXPECT_EQ(fopen("sub\\missing", "r+b"), nullptr);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(fopen("sub", "rb"), nullptr); // a directory is not a file
    // A read-only file opens for reading only: applications "can read the file, but cannot
    // write to it" (Microsoft's file attribute constants). Wine leaves the refusal to the
    // host's permissions, which do not bind the superuser the tests may run as.
    ASSERT_TRUE(SetFileAttributesA("sub\\out.bin", FILE_ATTRIBUTE_READONLY));
    if (!skipped_under_wine("a read-only file opened for writing")) {
        EXPECT_EQ(fopen("sub\\out.bin", "r+b"), nullptr);
        EXPECT_EQ(errno, EACCES);
    }
    EXPECT_EQ(_access("sub\\out.bin", 2), -1);
    EXPECT_EQ(_access("sub\\out.bin", 4), 0);
    EXPECT_EQ(_access("sub\\none", 0), -1);
    EXPECT_EQ(remove("sub\\out.bin"), -1);
    ASSERT_TRUE(SetFileAttributesA("sub\\out.bin", FILE_ATTRIBUTE_NORMAL));
    int fd = _open("sub\\out.bin", _O_RDWR | _O_BINARY);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(_filelength(fd), 3);
    EXPECT_EQ(_lseek(fd, 0, SEEK_END), 3);
    EXPECT_EQ(_write(fd, "de", 2), 2);
    EXPECT_EQ(_commit(fd), 0);
    // _dup: a second descriptor on the same open file, which stays open when the first is
    // closed; "both file descriptors share the same file pointer".
    int d = _dup(fd);
    ASSERT_GE(d, 0);
    EXPECT_NE(d, fd);
    EXPECT_EQ(_close(fd), 0);
    EXPECT_EQ(_write(d, "f", 1), 1);
    EXPECT_EQ(_commit(d), 0);
    EXPECT_EQ(_close(d), 0);
    EXPECT_EQ(t.read("Sub\\Out.Bin"), "abcdef");
    fd = _creat("sub\\ro.new", _S_IREAD); // without _S_IWRITE the new file is read-only
    ASSERT_GE(fd, 0);
    _close(fd);
    EXPECT_EQ(GetFileAttributesA("sub\\ro.new") & FILE_ATTRIBUTE_READONLY,
              (DWORD)FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(_open("sub\\ro.new", _O_CREAT | _O_EXCL | _O_RDWR, _S_IREAD | _S_IWRITE), -1);
    EXPECT_EQ(errno, EEXIST);
    // rename never replaces, remove takes files only.
    t.write("a.txt", "a");
    t.write("b.txt", "b");
    EXPECT_NE(rename("a.txt", "B.TXT"), 0);
    EXPECT_EQ(t.read("b.txt"), "b");
    EXPECT_NE(remove("sub"), 0);
    EXPECT_EQ(remove("A.TXT"), 0);
    EXPECT_FALSE(t.exists("a.txt"));
}

TEST(Win32Crt, StringAndPathHelpers) {
    char s[] = "ABC\xc9t\xc9 Z";
    EXPECT_STREQ(_strlwr(s), "abc\xc9t\xc9 z"); // the "C" locale lowers A-Z only
    char buf[40];
    EXPECT_STREQ(_ltoa(-1234, buf, 10), "-1234");
    EXPECT_STREQ(_ltoa(-1, buf, 16), "ffffffff");
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
    EXPECT_STREQ(fname, "x");
    EXPECT_STREQ(ext, "");
    _makepath(out, "D", "\\data", "f", "txt");
    EXPECT_STREQ(out, "D:\\data\\f.txt");
    _makepath(out, "c:", "rel\\", "f", ".e");
    EXPECT_STREQ(out, "c:rel\\f.e");
}
