// Find-first/find-next as Windows has them: its wildcard rules, case, the dot entries, the
// attributes and the errors. Windows lists entries in the file system's order: they are
// compared here as sorted lists.
#include <gtest/gtest.h>
#include <windows.h>
#include "findnames.h"
#include "tempfolder.h"
#include "wine.h"

using V = std::vector<std::string>;

TEST(Win32Find, WildcardRules) {
    TempFolder t;
    for (const char *n : {"README", "a.txt", "B.TXT", "archive.tar.gz", "a", "abc"}) t.write(n, "x");
    // "*.*" matches names without a dot too.
    EXPECT_EQ(find_names_sorted("*.*"), (V{".", "..", "a", "a.txt", "abc", "archive.tar.gz", "B.TXT", "README"}));
    // Matching ignores case.
    EXPECT_EQ(find_names_sorted("*.TxT"), (V{"a.txt", "B.TXT"}));
    EXPECT_EQ(find_names_sorted("readme"), (V{"README"}));
    // A run of '?' may match nothing at a dot or at the end; elsewhere '?' is one character.
    // Windows hands '?' to the file system as DOS_QM, which Microsoft documents (the wildcards
    // of FsRtlIsNameInExpression) as matching "any single character or, upon encountering a
    // period or end of name string", advancing "to the end of the set of contiguous DOS_QMs".
    // Wine takes '?' as exactly one character.
    if (!skipped_under_wine("'?' matching nothing at a dot or at the end")) {
        EXPECT_EQ(find_names_sorted("a??"), (V{"a", "abc"}));
        EXPECT_EQ(find_names_sorted("???.txt"), (V{"a.txt", "B.TXT"}));
    }
    EXPECT_EQ(find_names_sorted("?b"), V{});
    EXPECT_EQ(find_names_sorted("a?c"), (V{"abc"}));
    // "name.*" finds "name"; "*." finds the names without an extension. Windows hands a final
    // '.' after '*' to the file system as DOS_DOT, documented as matching "either a period or
    // zero characters beyond the name string"; Wine drops the dot and lists every name.
    EXPECT_EQ(find_names_sorted("a.*"), (V{"a", "a.txt"}));
    if (!skipped_under_wine("\"*.\" as the names without an extension")) {
        EXPECT_EQ(find_names_sorted("*."), (V{".", "..", "a", "abc", "README"}));
    }
    // '*' before a dot stops at the last dot.
    EXPECT_EQ(find_names_sorted("*.gz"), (V{"archive.tar.gz"}));
    EXPECT_EQ(find_names_sorted("*.tar"), V{});
}

// The dot entries are directories like any other; a pattern that matches nothing tells an
// existing directory from a missing one by its error.
TEST(Win32Find, DotEntriesAndErrors) {
    TempFolder t;
    t.mkdir("sub");
    EXPECT_EQ(find_names_sorted("sub\\*.*"), (V{".", ".."}));
    EXPECT_EQ(find_names_sorted((t.path() + "\\SUB\\*").c_str()), (V{".", ".."}));
    auto dots = find_entries("sub\\*");
    for (const char *dot : {".", ".."})
        EXPECT_EQ(dots[dot].dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN),
                  (DWORD)FILE_ATTRIBUTE_DIRECTORY);
    WIN32_FIND_DATAA fd;
    EXPECT_EQ(FindFirstFileA("sub\\*.bin", &fd), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(FindFirstFileA("none\\*.*", &fd), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_PATH_NOT_FOUND);
    // A name without wildcards finds that one entry, spelt as the directory holds it.
    t.write("sub\\Mixed.Txt", "x");
    EXPECT_EQ(find_names_sorted("SUB"), (V{"sub"}));
    EXPECT_EQ(find_names_sorted("sub\\mixed.txt"), (V{"Mixed.Txt"}));
    EXPECT_EQ(GetFileAttributesA("SUB"), (DWORD)FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributesA("none"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(GetFileAttributesA("none\\x"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_PATH_NOT_FOUND);
}

// A new file has the archive bit; the read-only bit comes and goes with SetFileAttributesA;
// size, creation and last write times are those the open file reports.
TEST(Win32Find, AttributesSizesAndTimes) {
    TempFolder t;
    t.write("plain.bin", std::string(70000, 'x'));
    t.write("ro.txt", "r");
    t.mkdir("dir");
    ASSERT_TRUE(SetFileAttributesA("ro.txt", FILE_ATTRIBUTE_READONLY));
    auto seen = find_entries("*");
    EXPECT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen["plain.bin"].dwFileAttributes, (DWORD)FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(seen["plain.bin"].nFileSizeLow, 70000u);
    EXPECT_EQ(seen["plain.bin"].nFileSizeHigh, 0u);
    EXPECT_EQ(seen["ro.txt"].dwFileAttributes & FILE_ATTRIBUTE_READONLY,
              (DWORD)FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(seen["dir"].dwFileAttributes, (DWORD)FILE_ATTRIBUTE_DIRECTORY);
    ASSERT_TRUE(SetFileAttributesA("ro.txt", FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(GetFileAttributesA("RO.TXT") & FILE_ATTRIBUTE_READONLY, 0u);
    HANDLE h = CreateFileA("plain.bin", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    FILETIME created, written;
    ASSERT_TRUE(GetFileTime(h, &created, nullptr, &written));
    EXPECT_EQ(GetFileSize(h, nullptr), 70000u);
    CloseHandle(h);
    auto ticks = [](const FILETIME &t) { return (uint64_t)t.dwHighDateTime << 32 | t.dwLowDateTime; };
    EXPECT_EQ(ticks(seen["plain.bin"].ftCreationTime), ticks(created));
    EXPECT_EQ(ticks(seen["plain.bin"].ftLastWriteTime), ticks(written));
}
