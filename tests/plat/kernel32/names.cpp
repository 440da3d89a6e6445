// Names: Windows-1252 to the program and UTF-8 on the host, the '?' that stands for a
// character the code page cannot hold, and the names generated for names alike.
#include <gtest/gtest.h>
#include <direct.h>
#include <windows.h>
#include "findnames.h"
#include "kernel32/resolve.h"
#include "platcrt.h"
#include "tempdrive.h"

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
    // Each name listed, and the host's entry it leads to.
    const std::pair<std::string, std::string> entries[] = {{"caf?.txt", "caf\xe2\x98\x95.txt"},
                                                           {"caf?~1.txt", "caf\xe2\x98\x83.txt"},
                                                           {"foo", "foo"},
                                                           {"Foo~1", "Foo~1"},
                                                           {"Foo~2", "Foo"},
                                                           {"FOO~3", "FOO"},
                                                           {"notes.txt", "notes.txt"},
                                                           {"Notes~1.TXT", "Notes.TXT"}};
    std::vector<std::string> names = {".", ".."};
    for (const auto &[name, host] : entries) {
        names.push_back(name);
        for (const std::string &n : {name, lower(name)})
            EXPECT_EQ(plat_host_path(("w\\" + n).c_str()), d.host("w/" + host));
    }
    EXPECT_EQ(find_names("c:\\w\\*.*"), names);
    d.write("w/other.txt", "");
    ASSERT_EQ(_chdir("w\\foo~2"), 0);
    EXPECT_EQ(plat_host_path("."), d.host("w/Foo"));
    names.push_back("other.txt");
    EXPECT_EQ(find_names("c:\\w\\*.*"), names);
}
