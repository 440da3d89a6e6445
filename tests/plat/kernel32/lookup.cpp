// Looking up names that are not spelt as on the host, in directories that change: by the
// program itself, by others behind its back, and during an enumeration.
#include <gtest/gtest.h>
#include <unistd.h>
#include <windows.h>
#include "kernel32/resolve.h"
#include "tempdrive.h"

static bool found(const char *name) {
    return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES;
}

TEST(PlatLookup, NamesInAnotherCaseFollowEveryChangeToALargeDirectory) {
    TempDrives d;
    d.write("Docs/Only.Txt", "only");
    EXPECT_EQ(plat_host_path("c:\\DOCS\\only.TXT"), d.host("Docs/Only.Txt"));
    EXPECT_EQ(plat_host_path("docs\\new.txt"), d.host("Docs/new.txt")); // to be created
    EXPECT_EQ(plat_host_path("nodir\\new.txt"), "");
    for (int i = 0; i < 300; ++i) d.write("big/f" + std::to_string(i) + ".txt", "x");
    EXPECT_FALSE(found("BIG\\NEW.TXT")); // the directory's names are now remembered
    // Made by the program, then by another one, then removed behind its back.
    HANDLE h = CreateFileA("big\\Work.$$$", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    EXPECT_EQ(plat_host_path("BIG\\WORK.$$$"), d.host("big/Work.$$$"));
    d.write("big/New.Txt", "y");
    EXPECT_EQ(plat_host_path("big\\NEW.TXT"), d.host("big/New.Txt"));
    ASSERT_EQ(unlink(d.host("big/New.Txt").c_str()), 0);
    EXPECT_FALSE(found("big\\new.txt"));
    // Renamed and made a directory by the program; a name in two spellings leads to the one
    // that keeps it, the greater (the other is listed under a generated name).
    ASSERT_TRUE(MoveFileA("big\\work.$$$", "big\\Moved.TXT"));
    ASSERT_TRUE(CreateDirectoryA("big\\Sub", nullptr));
    EXPECT_EQ(plat_host_path("BIG\\moved.txt"), d.host("big/Moved.TXT"));
    EXPECT_EQ(plat_host_path("BIG\\SUB"), d.host("big/Sub"));
    d.write("big/mOVED.txt", "z");
    EXPECT_EQ(plat_host_path("big\\MOVED.TXT"), d.host("big/mOVED.txt"));
    EXPECT_EQ(plat_host_path("big\\Moved.TXT"), d.host("big/Moved.TXT")); // the exact one wins
    EXPECT_EQ(plat_host_path("big\\moved~1.txt"), d.host("big/Moved.TXT"));
    // A whole directory replaced by another of the same name.
    std::filesystem::rename(d.host("big"), d.host("old"));
    d.write("big/Other.txt", "w");
    EXPECT_EQ(plat_host_path("BIG\\OTHER.TXT"), d.host("big/Other.txt"));
    EXPECT_FALSE(found("big\\f1.txt"));
}

TEST(PlatLookup, EnumerationKeepsItsOrderAndPassesOverEntriesGoneSince) {
    TempDrives d;
    for (const char *n : {"b.txt", "A.txt", "c.txt", "a.TXT"}) d.write(std::string("w/") + n, "x");
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA("w\\*.txt", &fd);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    std::vector<std::string> names = {fd.cFileName};
    ASSERT_EQ(unlink(d.host("w/b.txt").c_str()), 0);
    d.write("w/bb.txt", "new"); // not in the search, made after it began
    while (FindNextFileA(h, &fd)) names.push_back(fd.cFileName);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_NO_MORE_FILES);
    FindClose(h);
    EXPECT_EQ(names, (std::vector<std::string>{"a.TXT", "A~1.txt", "c.txt"}));
}
