// Test-only services on the file side (plat/testhooks/qt over the platform layer,
// plat/testhooks/win32 over the real Win32 API).
#ifndef QUILLON_PLAT_PLATTEST_FS_H
#define QUILLON_PLAT_PLATTEST_FS_H

#include <string>
#include <vector>

struct PlatDrive {
    char letter;       // 'C', 'D', ...
    std::string root;  // host directory that is the drive's root (absolute, UTF-8; '/' or
                       // '\\' between its names)
    std::string label; // volume label as Win32 reports it ("" when none)
};

// Replaces the drive table (no drive is read from the machine's mounts afterwards); every
// drive's remembered directory becomes its root, and the first drive becomes current.
void plat_test_set_drives(const std::vector<PlatDrive> &drives);

// A fresh empty host directory for a test's drives (absolute, UTF-8), whose host paths stay
// usable whatever the drive table holds; "" when none can be made.
std::string plat_test_temp_dir(void);

// Host path (UTF-8) of a name as the program would resolve it now (drive, current
// directory, case, Windows-1252); "" when a directory on the way does not exist.
std::string plat_test_host_path(const char *ansi_name);

#endif
