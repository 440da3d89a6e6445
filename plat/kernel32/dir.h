// Reading host directories the way the program expects to see them.
#ifndef QUILLON_PLAT_FS_DIR_H
#define QUILLON_PLAT_FS_DIR_H

#include <cstdint>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <vector>
#include "kernel32/names_utf8.h"

// Entries of a host directory in the layer's one stable order (the name ignoring case, then
// the host's bytes), kept compactly: each entry is its type as the directory's reading gave it
// (a dirent DT_ value), its host name, and its program name where that is spelt otherwise, in
// one block, each name ended by a NUL.
struct DirList {
    static const uint32_t ansi_apart = 0x80000000u; // flag of `at`: the program name follows
    std::string names;
    std::vector<uint32_t> at; // where each entry starts in `names`, in order, and the flag
    size_t size() const { return at.size(); }
    unsigned char type(size_t i) const { return (unsigned char)names[at[i] & ~ansi_apart]; }
    const char *host(size_t i) const { return names.c_str() + (at[i] & ~ansi_apart) + 1; }
    const char *ansi(size_t i) const;
};

// The host directory `dir` opened for reading its entries and for queries relative to it; -1
// (errno set) when it cannot be.
int fs_open_dir(const std::string &dir);

// The entries of the host directory open as `dirfd`, or named `dir` ("." and ".." left out),
// whose program name `keep` accepts. False (errno set) when the directory cannot be read.
bool fs_list_dir_at(int dirfd, const std::function<bool(const std::string &)> &keep, DirList &out);
bool fs_list_dir(const std::string &dir, const std::function<bool(const std::string &)> &keep,
                 DirList &out);

// The entry a program name designates in a host directory: the exact spelling wins, else the
// first entry equal to it ignoring case, else the first where each '?' of the name stands for
// a character the program cannot hold. The host name goes to `found`. With `dir_status`,
// the caller has just found no entry of the exact spelling, and `dir` with that status.
bool fs_lookup(const std::string &dir, const std::string &ansi, std::string &found,
               const struct stat *dir_status = nullptr);

std::string fs_join(const std::string &dir, const std::string &name);

#endif
