// Files and directories made, opened and removed as Windows does it, with its errors.
#include <gtest/gtest.h>
#include <windows.h>
#include "tempfolder.h"

namespace {

// The handle's error, or 0 and the handle closed; the last error CreateFileA left.
struct Opened {
    DWORD error;
    DWORD last;
};
Opened create(const char *name, DWORD disposition, DWORD access = GENERIC_WRITE) {
    SetLastError(0xDEAD);
    HANDLE h = CreateFileA(name, access, FILE_SHARE_READ, nullptr, disposition,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD last = GetLastError();
    if (h == INVALID_HANDLE_VALUE) return {last, last};
    CloseHandle(h);
    return {0, last};
}

} // namespace

// CREATE_NEW never takes an existing name (the program's work files rely on it); CREATE_ALWAYS
// and OPEN_ALWAYS say that the file was there with ERROR_ALREADY_EXISTS; CREATE_ALWAYS and
// TRUNCATE_EXISTING empty it.
TEST(Win32Files, CreationDispositions) {
    TempFolder t;
    EXPECT_EQ(create("new.bin", OPEN_EXISTING).error, (DWORD)ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(create("new.bin", TRUNCATE_EXISTING).error, (DWORD)ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(create("none\\new.bin", CREATE_NEW).error, (DWORD)ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(create("new.bin", CREATE_NEW).error, 0u);
    EXPECT_EQ(create("NEW.BIN", CREATE_NEW).error, (DWORD)ERROR_FILE_EXISTS);
    t.write("new.bin", "data");
    Opened again = create("new.bin", OPEN_ALWAYS);
    EXPECT_EQ(again.error, 0u);
    EXPECT_EQ(again.last, (DWORD)ERROR_ALREADY_EXISTS);
    EXPECT_EQ(t.read("new.bin"), "data");
    Opened created = create("other.bin", OPEN_ALWAYS);
    EXPECT_EQ(created.error, 0u);
    EXPECT_EQ(created.last, 0u);
    Opened replaced = create("new.bin", CREATE_ALWAYS);
    EXPECT_EQ(replaced.error, 0u);
    EXPECT_EQ(replaced.last, (DWORD)ERROR_ALREADY_EXISTS);
    EXPECT_EQ(t.read("new.bin"), "");
    t.write("new.bin", "data");
    EXPECT_EQ(create("new.bin", TRUNCATE_EXISTING).error, 0u);
    EXPECT_EQ(t.read("new.bin"), "");
    HANDLE h = CreateFileA("new.bin", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size;
    EXPECT_TRUE(GetFileSizeEx(h, &size));
    EXPECT_EQ(size.QuadPart, 0);
    EXPECT_TRUE(CloseHandle(h));
    EXPECT_FALSE(CloseHandle(h));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_HANDLE);
}

// A directory is made once, removed only when empty, and never deleted as a file.
TEST(Win32Files, DirectoriesMadeAndRemoved) {
    TempFolder t;
    EXPECT_TRUE(CreateDirectoryA("dir", nullptr));
    EXPECT_FALSE(CreateDirectoryA("DIR", nullptr));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ALREADY_EXISTS);
    EXPECT_FALSE(CreateDirectoryA("none\\dir", nullptr));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_PATH_NOT_FOUND);
    t.write("dir\\f.txt", "x");
    EXPECT_FALSE(RemoveDirectoryA("dir"));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_DIR_NOT_EMPTY);
    EXPECT_FALSE(DeleteFileA("dir"));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
    EXPECT_FALSE(RemoveDirectoryA("dir\\f.txt"));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_DIRECTORY);
    EXPECT_TRUE(DeleteFileA("dir\\F.TXT"));
    EXPECT_TRUE(RemoveDirectoryA("Dir"));
    EXPECT_FALSE(RemoveDirectoryA("dir"));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(DeleteFileA("none\\f.txt"));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_PATH_NOT_FOUND);
}
