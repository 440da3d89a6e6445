// Names: case-insensitive lookup, Windows-1252 to the program and UTF-8 on the host, and the
// '?' that stands for a character the code page cannot hold.
#include <gtest/gtest.h>
#include <direct.h>
#include <windows.h>
#include "kernel32/resolve.h"
#include "platcrt.h"
#include "tempdrive.h"

TEST(PlatNames, LookupIgnoresCaseExactSpellingWins) {
    TempDrives d;
    d.write("Docs/Report.TXT", "upper");
    d.write("Docs/report.txt", "lower");
    d.write("Docs/Only.Txt", "only");
    // In another spelling, the name leads to the entry that keeps it: the one in small letters
    // (the other is listed under a generated name).
    EXPECT_EQ(plat_host_path("docs\\REPORT.txt"), d.host("Docs/report.txt"));
    EXPECT_EQ(plat_host_path("DOCS/report.txt"), d.host("Docs/report.txt"));  // exact wins
    EXPECT_EQ(plat_host_path("c:\\DOCS\\only.TXT"), d.host("Docs/Only.Txt"));
    EXPECT_EQ(plat_host_path("docs\\new.txt"), d.host("Docs/new.txt")); // to be created
    EXPECT_EQ(plat_host_path("nodir\\new.txt"), "");
    FILE *f = fopen("DOCS\\ONLY.TXT", "rb");
    ASSERT_NE(f, nullptr);
    fclose(f);
}

TEST(PlatNames, Windows1252OnTheHostAsUtf8) {
    TempDrives d;
    // "Été.txt" in Windows-1252, with the euro sign (0x80) that Latin-1 does not have.
    FILE *f = fopen("\xc9t\xe9 \x80.txt", "w+b");
    ASSERT_NE(f, nullptr);
    fclose(f);
    EXPECT_TRUE(d.exists("\xc3\x89t\xc3\xa9 \xe2\x82\xac.txt"));
    // Accented capitals match their small letters, as on Windows.
    EXPECT_EQ(plat_host_path("\xe9t\xc9 \x80.TXT"), d.host("\xc3\x89t\xc3\xa9 \xe2\x82\xac.txt"));
}

TEST(PlatNames, CharacterOutsideTheCodePageIsListedAsQuestionMarkAndReachable) {
    TempDrives d;
    d.write("caf\xe2\x98\x95.txt", "coffee"); // U+2615, not in Windows-1252
    d.write("bad\xff.txt", "raw");            // not UTF-8 at all
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA("caf*", &fd);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_STREQ(fd.cFileName, "caf?.txt");
    FindClose(h);
    // Opened, renamed and deleted through the listed name.
    FILE *f = fopen("caf?.txt", "r+b");
    ASSERT_NE(f, nullptr);
    char buf[8] = {};
    EXPECT_EQ(fread(buf, 1, 6, f), 6u);
    EXPECT_STREQ(buf, "coffee");
    fclose(f);
    EXPECT_TRUE(MoveFileA("bad?.txt", "good.txt"));
    EXPECT_EQ(d.read("good.txt"), "raw");
    EXPECT_TRUE(DeleteFileA("CAF?.TXT"));
    EXPECT_FALSE(d.exists("caf\xe2\x98\x95.txt"));
    // A '?' never creates a file: Windows forbids it in names.
    EXPECT_EQ(fopen("new?.txt", "w+b"), nullptr);
}

// Windows lists a name it cannot show under a generated short name ("FOO~1") that finds the
// entry again. Names that differ only in case, or only in characters outside the code page,
// would reach the program as one: all but one of them get such a name, "name~N.ext", that no
// other entry holds, so that every listed name leads to its own entry, also in small letters
// (as the folder list shows it), the same names while the folder does not change.
TEST(PlatNames, NamesAlikeIgnoringCaseGetGeneratedNames) {
    TempDrives d;
    for (const char *dir : {"w/Foo", "w/foo", "w/FOO"}) d.mkdir(dir);
    for (const char *file : {"w/Foo~1", "w/notes.txt", "w/Notes.TXT", "w/caf\xe2\x98\x95.txt",
                             "w/caf\xe2\x98\x83.txt"})
        d.write(file, file);
    auto listed = [] {
        std::vector<std::string> names;
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA("c:\\w\\*.*", &fd);
        if (h == INVALID_HANDLE_VALUE) return names;
        do
            if (fd.cFileName[0] != '.') names.push_back(fd.cFileName);
        while (FindNextFileA(h, &fd));
        FindClose(h);
        return names;
    };
    const std::vector<std::string> names = {"caf?.txt", "caf?~1.txt", "foo",       "Foo~1",
                                            "Foo~2",    "FOO~3",      "notes.txt", "Notes~1.TXT"};
    const char *hosts[] = {"caf\xe2\x98\x95.txt", "caf\xe2\x98\x83.txt", "foo", "Foo~1", "Foo",
                           "FOO", "notes.txt", "Notes.TXT"};
    EXPECT_EQ(listed(), names);
    for (size_t i = 0; i < names.size(); ++i) {
        std::string lower = names[i];
        for (char &c : lower) c = (char)tolower((unsigned char)c);
        EXPECT_EQ(plat_host_path(("w\\" + names[i]).c_str()), d.host(std::string("w/") + hosts[i]));
        EXPECT_EQ(plat_host_path(("w\\" + lower).c_str()), d.host(std::string("w/") + hosts[i]));
    }
    d.write("w/other.txt", "");
    ASSERT_EQ(_chdir("w\\foo~2"), 0);
    EXPECT_EQ(plat_host_path("."), d.host("w/Foo"));
    std::vector<std::string> again = names;
    again.push_back("other.txt");
    EXPECT_EQ(listed(), again);
}
