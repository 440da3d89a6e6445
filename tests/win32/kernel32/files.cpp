// Files and directories made, opened and removed as Windows does it, with its errors.
#include <gtest/gtest.h>
#include <chrono>
#include <cstring>
#include <thread>
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

// What tells the program that a file is still the one it read: the same index under each of
// its names, the number of links, and a change time that a new link moves
// while the last-write time stays; SetFileTime gives a copy its original's last-write time.
TEST(Win32Files, IdentityAndTimesOfAnOpenFile) {
    TempFolder t;
    t.write("f.txt", "data");
    auto infos = [](const char *nom, BY_HANDLE_FILE_INFORMATION &i, FILE_BASIC_INFO &b) {
        HANDLE h = CreateFileA(nom, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << nom;
        EXPECT_TRUE(GetFileInformationByHandle(h, &i));
        EXPECT_TRUE(GetFileInformationByHandleEx(h, FileBasicInfo, &b, sizeof b));
        CloseHandle(h);
    };
    BY_HANDLE_FILE_INFORMATION avant, apres, lien;
    FILE_BASIC_INFO b_avant, b_apres, b_lien;
    infos("f.txt", avant, b_avant);
    EXPECT_EQ(avant.nFileSizeLow, 4u);
    EXPECT_EQ(avant.nNumberOfLinks, 1u);
    EXPECT_EQ(b_avant.LastWriteTime.QuadPart,
              (long long)((unsigned long long)avant.ftLastWriteTime.dwHighDateTime << 32 |
                          avant.ftLastWriteTime.dwLowDateTime));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(CreateHardLinkA("g.txt", "f.txt", nullptr));
    infos("f.txt", apres, b_apres);
    infos("g.txt", lien, b_lien);
    EXPECT_EQ(apres.nNumberOfLinks, 2u);
    EXPECT_EQ(lien.nFileIndexHigh, avant.nFileIndexHigh);
    EXPECT_EQ(lien.nFileIndexLow, avant.nFileIndexLow);
    EXPECT_EQ(b_apres.LastWriteTime.QuadPart, b_avant.LastWriteTime.QuadPart);
    EXPECT_NE(b_apres.ChangeTime.QuadPart, b_avant.ChangeTime.QuadPart);

    HANDLE h = CreateFileA("h.txt", GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(SetFileTime(h, nullptr, nullptr, &avant.ftLastWriteTime));
    FILETIME ecriture;
    EXPECT_TRUE(GetFileTime(h, nullptr, nullptr, &ecriture));
    CloseHandle(h);
    EXPECT_EQ(ecriture.dwLowDateTime, avant.ftLastWriteTime.dwLowDateTime);
    EXPECT_EQ(ecriture.dwHighDateTime, avant.ftLastWriteTime.dwHighDateTime);
}

// A volume that keeps named streams (NTFS) says so; a stream ("name:stream") is written and
// read through the C runtime, follows its file when it is renamed, is removed alone by
// DeleteFileA, and no listing shows it. (Wine's drives keep none, as FAT: nothing to try.)
TEST(Win32Files, NamedStreamsWhereTheVolumeKeepsThem) {
    TempFolder t;
    char racine[MAX_PATH];
    ASSERT_TRUE(GetVolumePathNameA(t.path().c_str(), racine, sizeof racine));
    EXPECT_EQ(t.path().compare(0, strlen(racine) - 1, racine, strlen(racine) - 1), 0) << racine;
    EXPECT_EQ(racine[strlen(racine) - 1], '\\');
    DWORD drapeaux = 0;
    ASSERT_TRUE(GetVolumeInformationA(racine, nullptr, 0, nullptr, nullptr, &drapeaux, nullptr, 0));
    if (!(drapeaux & FILE_NAMED_STREAMS)) GTEST_SKIP() << racine << " keeps no named streams";
    t.write("f.txt", "data");
    FILE *f = fopen("f.txt:marque", "wb");
    ASSERT_NE(f, nullptr);
    EXPECT_GE(fputs("de Quillon", f), 0);
    EXPECT_EQ(fclose(f), 0);
    EXPECT_EQ(t.read("f.txt:marque"), "de Quillon");
    EXPECT_EQ(t.read("f.txt"), "data");
    EXPECT_TRUE(MoveFileA("f.txt", "g.txt"));
    EXPECT_EQ(t.read("g.txt:marque"), "de Quillon");
    WIN32_FIND_DATAA e;
    HANDLE h = FindFirstFileA("*", &e);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    int fichiers = 0;
    do fichiers += (e.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    while (FindNextFileA(h, &e));
    FindClose(h);
    EXPECT_EQ(fichiers, 1);
    EXPECT_TRUE(DeleteFileA("g.txt:marque"));
    EXPECT_EQ(fopen("g.txt:marque", "rb"), nullptr);
    EXPECT_EQ(t.read("g.txt"), "data");
    EXPECT_EQ(fopen("absent.txt:marque", "rb"), nullptr);
}
