// The drive table and the current drive and directories, as Windows keeps them.
#ifndef QUILLON_PLAT_FS_DRIVES_H
#define QUILLON_PLAT_FS_DRIVES_H

#include <string>

struct FsDrive {
    char letter;       // 'C', 'D', ...
    std::string root;  // host directory that is the drive's root
    std::string label; // volume label (UTF-8), "" when none
    std::string cwd;   // the drive's current directory as DOS text: "\" or "\a\b" (ANSI)
};

// The drive of a letter (either case), null when there is none. The table is read from the
// host the first time it is needed, and the process's working directory then becomes the
// current drive and directory.
FsDrive *fs_drive(char letter);
FsDrive &fs_current_drive();
// Bit 0 for A:, bit 1 for B:, ...
unsigned long fs_drive_mask();

// Makes `letter` the current drive with `cwd` as its directory, and follows on the host.
void fs_set_current(char letter, const std::string &cwd);

// The DOS name of a host path ("C:\home\ann"), "" when it lies on no drive.
std::string fs_dos_from_host(const std::string &host);

// In a copy of the test program started by plat_test_drives_for_child's caller: takes the
// drives and current directory handed to it, when it was given some.
void fs_take_inherited_drives(void);

#endif
