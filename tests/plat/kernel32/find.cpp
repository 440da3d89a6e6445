// Find-first/find-next over the host's files: the order and the attributes mapped from the
// host's, by name and by handle (the Windows rules themselves: tests/win32/kernel32/find.cpp; a drive whose disk is
// gone: disque_msdos in tests/io/iofile.cpp).
#include <chrono>
#include <thread>
#include <gtest/gtest.h>
#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <unistd.h>
#include <windows.h>
#include "findnames.h"
#include "tempdrive.h"

using V = std::vector<std::string>;

// The host's entries in a stable order that ignores case, the same in every run; a host name
// with a final dot (which Windows could not make) is matched as Windows matches names.
TEST(PlatFind, HostNamesInAStableOrder) {
    TempDrives d;
    for (const char *n : {"README", "a.txt", "B.TXT", "nom.", "a"}) d.write(std::string("w/") + n, "x");
    _chdir("w");
    EXPECT_EQ(find_names("*.*"), (V{".", "..", "a", "a.txt", "B.TXT", "nom.", "README"}));
    EXPECT_EQ(find_names("*."), (V{".", "..", "a", "nom.", "README"}));
}

// A folder is listed twice in a row (its files, then its folders): each search still sees it
// as it is, whatever changed since the search before, within the same clock tick too.
TEST(PlatFind, EachSearchSeesTheFolderAsItIsNow) {
    TempDrives d;
    d.write("w/a.txt", "x");
    EXPECT_EQ(find_names("w\\*.*"), (V{".", "..", "a.txt"}));
    d.write("w/b.txt", "x");
    EXPECT_EQ(find_names("w\\*.*"), (V{".", "..", "a.txt", "b.txt"}));
    std::filesystem::rename(d.host("w/a.txt"), d.host("w/c.txt"));
    EXPECT_EQ(find_names("w\\*.txt"), (V{"b.txt", "c.txt"}));
    d.mkdir("w/sub");
    EXPECT_EQ(find_entries("w\\*.*")["sub"].dwFileAttributes, (DWORD)FILE_ATTRIBUTE_DIRECTORY);
    // A folder left alone long enough for its listing to be kept: a change still shows.
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    EXPECT_EQ(find_names("w\\*.txt"), (V{"b.txt", "c.txt"}));
    d.write("w/d.txt", "x");
    EXPECT_EQ(find_names("w\\*.txt"), (V{"b.txt", "c.txt", "d.txt"}));
}

TEST(PlatFind, AttributesMappedFromTheHost) {
    TempDrives d;
    d.write("plain.bin", std::string(70000, 'x'));
    d.write("ro.txt", "r");
    chmod(d.host("ro.txt").c_str(), 0444);
    d.mkdir("sub");
    // A link shows what it leads to; one whose target is gone is a plain entry.
    symlink(d.host("plain.bin").c_str(), d.host("filelink").c_str());
    symlink(d.host("sub").c_str(), d.host("dirlink").c_str());
    symlink(d.host("gone").c_str(), d.host("deadlink").c_str());
    mkfifo(d.host("pipe").c_str(), 0600); // Windows has no such files: never listed
    auto seen = find_entries("*");
    EXPECT_EQ(seen.size(), 6u);
    EXPECT_EQ(seen["plain.bin"].cAlternateFileName[0], '\0');
    EXPECT_EQ(seen["ro.txt"].dwFileAttributes,
              DWORD(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(seen["filelink"].dwFileAttributes,
              DWORD(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_REPARSE_POINT));
    EXPECT_EQ(seen["filelink"].nFileSizeLow, 70000u);
    EXPECT_EQ(seen["dirlink"].dwFileAttributes,
              DWORD(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
    EXPECT_EQ(seen["deadlink"].dwFileAttributes,
              DWORD(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_REPARSE_POINT));

    // Asked by name, each the same; a name with a leading dot is hidden.
    d.write(".cache", "h");
    for (const char *n : {"plain.bin", "ro.txt", "sub", "filelink", "dirlink", "deadlink"})
        EXPECT_EQ(GetFileAttributesA(n), seen[n].dwFileAttributes) << n;
    const DWORD hidden = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN;
    EXPECT_EQ(GetFileAttributesA(".cache"), hidden);
    EXPECT_EQ(GetFileAttributesA("pipe"), INVALID_FILE_ATTRIBUTES);

    // An open file is hidden by the name it was opened by; a descriptor of the same number
    // opened afterwards on another file is not taken for it.
    auto attributes = [](HANDLE h) {
        BY_HANDLE_FILE_INFORMATION i = {};
        EXPECT_TRUE(GetFileInformationByHandle(h, &i));
        return i.dwFileAttributes;
    };
    HANDLE h = CreateFileA(".cache", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(attributes(h), hidden);
    int number = _open_osfhandle((intptr_t)h, 0);
    CloseHandle(h);
    int fd = open(d.host("ro.txt").c_str(), O_RDONLY);
    ASSERT_EQ(fd, number);
    EXPECT_EQ(attributes((HANDLE)_get_osfhandle(fd)),
              DWORD(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY));
    close(fd);
}
