// A fresh folder in the temporary path, current while the test runs and removed with all it
// holds at the end, made through the Win32 API and the C runtime alone: the tests that state a
// Windows behaviour use it over plat/ and over Windows itself alike.
#ifndef QUILLON_TESTS_TEMPFOLDER_H
#define QUILLON_TESTS_TEMPFOLDER_H

#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <direct.h>
#include <random>
#include <string>
#include <windows.h>

class TempFolder {
  public:
    TempFolder() {
        char tmp[MAX_PATH];
        DWORD n = GetTempPathA(sizeof tmp, tmp);
        EXPECT_TRUE(n > 0 && n < sizeof tmp);
        temp_ = tmp;
        // Under Wine the test hooks point the temporary path at the host's folder, whose names
        // keep their case (tests/support/tempdrive.h needs it): a drive's is kept aside for us.
        if (const char *drive_temp = getenv("QUILLON_DRIVE_TEMP")) temp_ = drive_temp;
        std::random_device random;
        for (int tries = 0; tries < 100 && path_.empty(); ++tries) {
            std::string name = temp_ + "quillon-" + std::to_string(random() % 1000000000u);
            if (CreateDirectoryA(name.c_str(), nullptr)) path_ = name;
        }
        EXPECT_FALSE(path_.empty());
        EXPECT_EQ(_chdir(path_.c_str()), 0);
    }
    ~TempFolder() {
        _chdir(temp_.c_str()); // a current directory cannot be removed on Windows
        remove_tree(path_);
    }
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    // The folder's full name, without a final backslash ("C:\...\quillon-123").
    const std::string &path() const { return path_; }

    // Names below are relative to the current directory, Windows-style.
    void write(const std::string &name, const std::string &bytes) const {
        FILE *f = fopen(name.c_str(), "wb");
        ASSERT_NE(f, nullptr) << name;
        EXPECT_EQ(fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
        EXPECT_EQ(fclose(f), 0);
    }
    std::string read(const std::string &name) const {
        FILE *f = fopen(name.c_str(), "rb");
        if (f == nullptr) return "(none)";
        std::string bytes;
        char buf[4096];
        for (size_t n; (n = fread(buf, 1, sizeof buf, f)) > 0;) bytes.append(buf, n);
        fclose(f);
        return bytes;
    }
    bool exists(const std::string &name) const {
        return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    void mkdir(const std::string &name) const {
        EXPECT_TRUE(CreateDirectoryA(name.c_str(), nullptr)) << name;
    }

  private:
    // Read-only files are made writable first; a link is removed, never followed.
    static void remove_tree(const std::string &dir) {
        if (dir.empty()) return;
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                std::string name = fd.cFileName;
                if (name == "." || name == "..") continue;
                std::string full = dir + "\\" + name;
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                    !(fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                    remove_tree(full);
                else if (!DeleteFileA(full.c_str()))
                    RemoveDirectoryA(full.c_str());
            } while (FindNextFileA(h, &fd));
            FindClose(h);
        }
        RemoveDirectoryA(dir.c_str());
    }

    std::string temp_; // the temporary path, with its final backslash
    std::string path_;
};

#endif
