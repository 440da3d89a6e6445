// MoveFileA's rules, stated once: tests/win32 checks them against the system it runs on,
// tests/plat under each of plat's ways of renaming.
#ifndef QUILLON_TESTS_MOVE_RULES_H
#define QUILLON_TESTS_MOVE_RULES_H

#include <gtest/gtest.h>
#include <string>
#include <windows.h>
#include "findnames.h"
#include "tempfolder.h"
#include "wine.h"

// MoveFileA fails with ERROR_ALREADY_EXISTS onto an existing name, whatever its case, and then
// changes nothing; onto its own name it succeeds, and a change of case only is a rename.
inline void move_file_never_replaces() {
    TempFolder t;
    t.write("report.txt", "source");
    t.write("report.bak", "old backup");
    EXPECT_FALSE(MoveFileA("report.txt", "REPORT.BAK"));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ALREADY_EXISTS);
    EXPECT_EQ(t.read("report.txt"), "source");
    EXPECT_EQ(t.read("report.bak"), "old backup");
    EXPECT_TRUE(MoveFileA("report.txt", "new.txt"));
    EXPECT_FALSE(t.exists("report.txt"));
    EXPECT_EQ(t.read("new.txt"), "source");
    EXPECT_TRUE(MoveFileA("new.txt", "new.txt"));
    EXPECT_TRUE(MoveFileA("new.txt", "New.TXT"));
    // Windows' file systems keep a name in the case it is given, renames included (Microsoft's
    // "Naming Files": case is preserved, though lookups ignore it); Wine reports success and
    // keeps the old spelling.
    if (!skipped_under_wine("a rename that changes only the case")) {
        EXPECT_EQ(find_names("new.txt"), std::vector<std::string>{"New.TXT"});
    }
    EXPECT_EQ(t.read("New.TXT"), "source");
    EXPECT_FALSE(MoveFileA("gone.txt", "other.txt"));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
    t.mkdir("dir");
    EXPECT_TRUE(MoveFileA("dir", "folder")); // directories move too
    EXPECT_EQ(GetFileAttributesA("folder"), (DWORD)FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(MoveFileA("New.TXT", "folder\\inside.txt")); // and files into them
    EXPECT_EQ(t.read("folder\\inside.txt"), "source");
}

#endif
