// Renames over each kind of host file system: MoveFileA's rules (tests/support/move_rules.h)
// under each of plat's ways of renaming, and what the host keeps of a replaced file.
#include "platcrt.h"
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <chrono>
#include <filesystem>
#include <thread>
#include <windows.h>
#include "kernel32/move.h"
#include "move_rules.h"
#include "tempdrive.h"

// MoveFileA onto an existing name fails with ERROR_ALREADY_EXISTS and changes nothing, on
// every kind of file system: with the host's no-replace rename, with link+unlink (NFS), and
// with neither (FAT).
class PlatMoveFallback : public testing::TestWithParam<int> {};

TEST_P(PlatMoveFallback, RenameNeverReplaces) {
    fs_test_rename_fallback(GetParam());
    move_file_never_replaces();
}

INSTANTIATE_TEST_SUITE_P(EveryFileSystem, PlatMoveFallback, testing::Values(0, 1, 2));

// The replacing file takes the access bits of the file it replaces; where the file system has
// no hard links, the caller learns it and can fall back.
TEST(PlatMove, ReplacementKeepsTheAccessBitsAndHardLinksMayBeMissing) {
    TempDrives d;
    d.write("data.bin", "old");
    d.write("data.$$$", "new");
    chmod(d.host("data.bin").c_str(), 0600);
    chmod(d.host("data.$$$").c_str(), 0644);
    EXPECT_TRUE(
        MoveFileExA("data.$$$", "data.bin", MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    EXPECT_EQ(d.read("data.bin"), "new");
    struct stat st;
    stat(d.host("data.bin").c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    fs_test_rename_fallback(2);
    EXPECT_FALSE(CreateHardLinkA("data.bak", "data.bin", nullptr));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_NOT_SUPPORTED);
}

// A replaced file is let go of beside the caller (its blocks freed on a thread of plat's):
// however many a pass replaces, none stays held once that thread has caught up.
TEST(PlatMove, EveryReplacedFileIsLetGo) {
    TempDrives d;
    auto descripteurs = [] {
        int n = 0;
        for (auto it = std::filesystem::directory_iterator("/proc/self/fd");
             it != std::filesystem::directory_iterator(); ++it)
            ++n;
        return n;
    };
    const int avant = descripteurs();
    for (int i = 0; i < 600; ++i) { // more than may wait at once
        std::string nom = "f" + std::to_string(i);
        d.write(nom + ".txt", "old");
        d.write(nom + ".$$$", "new");
        ASSERT_TRUE(
            MoveFileExA((nom + ".$$$").c_str(), (nom + ".txt").c_str(), MOVEFILE_REPLACE_EXISTING));
    }
    EXPECT_EQ(d.read("f599.txt"), "new");
    int apres = descripteurs();
    for (int essai = 0; essai < 500 && apres > avant; ++essai) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        apres = descripteurs();
    }
    EXPECT_EQ(apres, avant);
}
