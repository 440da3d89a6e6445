// Test-only services on the file side (plat/testhooks/qt over the platform layer,
// plat/testhooks/win32 over the real Win32 API).
#ifndef QUILLON_PLAT_PLATTEST_FS_H
#define QUILLON_PLAT_PLATTEST_FS_H

#include <functional>
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
#ifndef _WIN32
// A copy of the test program started to work beside the test keeps the test's drives and
// current directory, as Windows' children inherit them: "NAME=VALUE" for its environment,
// which its plat_test_init takes back.
std::string plat_test_drives_for_child(void);
#endif
// While another program the test starts runs (true until false): under Wine, C: is Wine's own
// again, where that program finds its system folder, and the test's files are reached through
// its other drives; elsewhere nothing changes.
void plat_test_system_drive(bool system);

// A fresh empty host directory for a test's drives (absolute, UTF-8), whose host paths stay
// usable whatever the drive table holds; "" when none can be made.
std::string plat_test_temp_dir(void);

// Host path (UTF-8) of a name as the program would resolve it now (drive, current
// directory, case, Windows-1252); "" when a directory on the way does not exist.
std::string plat_test_host_path(const char *ansi_name);

// The next flush of a file's data (FlushFileBuffers, _commit) fails with an I/O error, as on
// a failing disk; so does, with the second call, the next flush of a directory's entries
// (MoveFileExA with MOVEFILE_WRITE_THROUGH, after the rename, or FlushFileBuffers on a
// directory), with the error given: ERROR_IO_DEVICE for a disk that failed,
// ERROR_INVALID_FUNCTION for a volume that cannot flush a directory (some network
// redirectors). One failure each, then flushes work again.
void plat_test_fail_next_flush(void);
void plat_test_fail_next_directory_flush(unsigned long error = 1117 /* ERROR_IO_DEVICE */);

// Called with the two names of every MoveFileA and MoveFileExA, before anything moves, so
// that a test can see the files as they stand at that moment; an empty function stops it.
void plat_test_on_move(std::function<void(const char *from, const char *to)> observer);

// Called by FlushFileBuffers and _commit before they flush, with the host path of what they
// flush and whether that is a directory: a test records the order of the flushes, or stops
// the program right there. Flushes of several files may call it at once, from threads of
// their own. An empty function removes the hook.
void plat_test_on_flush(std::function<void(const std::string &host, bool directory)> hook);

#endif
