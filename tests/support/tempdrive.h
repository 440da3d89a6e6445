// A fresh temporary directory tree mapped as drive C: (and optionally D:), current at its
// root, removed at the end of the test. Tests never depend on the machine's mounts. Host
// paths are UTF-8, as on Linux, on Windows too.
#ifndef QUILLON_TESTS_TEMPDRIVE_H
#define QUILLON_TESTS_TEMPDRIVE_H

#include <gtest/gtest.h>
#include <direct.h>
#include <windows.h>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>
#include "plattest_fs.h"
#include "systeme.h"

class TempDrives {
  public:
    explicit TempDrives(int count = 1, const std::vector<std::string> &labels = {}) {
        base_ = plat_test_temp_dir();
        if (base_.empty()) ADD_FAILURE() << "no temporary directory";
        // A test that ends in exit() skips destructors: the drives go at the exit instead. The
        // list is made before the handler is registered, so that it outlives the handler; a
        // death test's child (a fork) leaves its parent's drives alone.
        auto &p = pending();
        static bool registered = std::atexit([] {
            for (auto &[b, pid] : pending())
                if (pid == processus()) remove_tree(b);
        }) == 0;
        (void)registered;
        p.emplace_back(base_, processus());
        std::vector<PlatDrive> drives;
        for (int i = 0; i < count; ++i) {
            std::string root = base_ + "/" + char('c' + i);
            std::filesystem::create_directory(chemin_hote(root));
            std::string label = i < (int)labels.size() ? labels[i] : "";
            drives.push_back(PlatDrive{char('C' + i), root, label});
        }
        plat_test_set_drives(drives);
    }
    ~TempDrives() {
        remove_tree(base_);
        auto &p = pending();
        auto it = std::find(p.begin(), p.end(), std::make_pair(base_, processus()));
        if (it != p.end()) p.erase(it);
    }
    TempDrives(const TempDrives &) = delete;
    TempDrives &operator=(const TempDrives &) = delete;

    // Host path of a file or directory under a drive's root: host("sub/a.txt").
    std::string host(const std::string &rel, char drive = 'C') const {
        std::string root = base_ + "/" + char(drive - 'C' + 'c');
        return rel.empty() ? root : root + "/" + rel;
    }
    // The same as a path of the standard library.
    std::filesystem::path path(const std::string &rel, char drive = 'C') const {
        return chemin_hote(host(rel, drive));
    }
    void write(const std::string &rel, const std::string &bytes, char drive = 'C') const {
        std::filesystem::create_directories(path(rel, drive).parent_path());
        std::ofstream(path(rel, drive), std::ios::binary) << bytes;
    }
    std::string read(const std::string &rel, char drive = 'C') const {
        return lit_fichier(host(rel, drive));
    }
    bool exists(const std::string &rel, char drive = 'C') const {
        return std::filesystem::exists(path(rel, drive));
    }
    void mkdir(const std::string &rel, char drive = 'C') const {
        std::filesystem::create_directories(path(rel, drive));
    }
    // n short names in a folder, as many as make its list scroll or more: "f0001.dat" to
    // "f<n>.dat" with prefix "f" (folders "f0001" to "f<n>" with dossiers).
    void peuple(const std::string &dossier, const std::string &prefixe, int n,
                bool dossiers = false) const {
        for (int i = 1; i <= n; ++i) {
            char nom[16];
            snprintf(nom, sizeof nom, "%04d", i);
            std::string rel = (dossier.empty() ? "" : dossier + "/") + prefixe + nom;
            if (dossiers)
                mkdir(rel);
            else
                write(rel + ".dat", rel);
        }
    }

  private:
    // The drives alive, each with the process that made it.
    static std::vector<std::pair<std::string, long>> &pending() {
        static std::vector<std::pair<std::string, long>> bases;
        return bases;
    }
    static void remove_tree(const std::string &base_utf8) {
        std::error_code ec;
        std::filesystem::path base = chemin_hote(base_utf8);
        // Directories a test made unreadable or unwritable must still be removed.
        for (auto &e : std::filesystem::recursive_directory_iterator(
                 base, std::filesystem::directory_options::skip_permission_denied, ec))
            std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(base, ec);
    }
    std::string base_;
};

// A drive's current directory as the C runtime gives it (drive 0: the current one).
inline std::string dcwd(int drive) {
    char buf[MAX_PATH];
    return _getdcwd(drive, buf, sizeof buf) ? buf : "(null)";
}

#endif
