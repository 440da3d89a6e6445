// Logical drives, volume information and free space.
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <sys/statvfs.h>
#include <windows.h>
#include "kernel32/names_utf8.h"
#include "kernel32/drives.h"
#include "kernel32/error.h"
#include "kernel32/mounts.h"
#include "kernel32/resolve.h"
#include "kernel32/streams.h"

DWORD WINAPI GetLogicalDrives(void) {
    return (DWORD)fs_drive_mask();
}

// The drive a root name ("C:\", or null for the current drive) designates, with its host
// directory; 0 or the Win32 error.
static DWORD volume(LPCSTR root, const FsDrive *&drive, std::string &host) {
    DosPath p;
    DWORD err = root ? fs_parse(root, p) : 0;
    drive = root ? fs_drive(p.drive) : &fs_current_drive();
    if (err == 0 && drive == nullptr) err = ERROR_PATH_NOT_FOUND;
    if (err != 0) return err;
    if (root == nullptr) p = DosPath{drive->letter, {}};
    HostPath h = fs_locate(p);
    if (h.error == 0 && !h.exists) h.error = ERROR_PATH_NOT_FOUND;
    host = h.full();
    return h.error;
}

static bool copy_out(const std::string &text, LPSTR buffer, DWORD size) {
    if (buffer == nullptr) return true;
    if (text.size() + 1 > size) return false;
    memcpy(buffer, text.c_str(), text.size() + 1);
    return true;
}

// How Windows names the common file systems; others are shown by their host name.
static std::string fs_name(const std::string &type) {
    if (type == "vfat" || type == "msdos") return "FAT32";
    if (type == "exfat") return "exFAT";
    if (type == "ntfs" || type == "ntfs3" || type == "fuseblk") return "NTFS";
    std::string up = type;
    for (char &c : up) c = (char)toupper((unsigned char)c);
    return up;
}

BOOL WINAPI GetVolumeInformationA(LPCSTR lpRootPathName, LPSTR lpVolumeNameBuffer,
                                  DWORD nVolumeNameSize, LPDWORD lpVolumeSerialNumber,
                                  LPDWORD lpMaximumComponentLength, LPDWORD lpFileSystemFlags,
                                  LPSTR lpFileSystemNameBuffer, DWORD nFileSystemNameSize) {
    const FsDrive *drive;
    std::string host;
    if (DWORD err = volume(lpRootPathName, drive, host)) return fs_fail(err);
    struct statvfs vfs;
    if (statvfs(host.c_str(), &vfs) != 0) return fs_fail(ERROR_NOT_READY);
    std::string type = fs_type_of(host);
    bool fat = type == "vfat" || type == "msdos" || type == "exfat";
    if (!copy_out(fs_ansi_text(drive->label), lpVolumeNameBuffer, nVolumeNameSize) ||
        !copy_out(fs_name(type), lpFileSystemNameBuffer, nFileSystemNameSize))
        return fs_fail(ERROR_BAD_LENGTH);
    if (lpVolumeSerialNumber) *lpVolumeSerialNumber = (DWORD)vfs.f_fsid;
    if (lpMaximumComponentLength) *lpMaximumComponentLength = (DWORD)vfs.f_namemax;
    if (lpFileSystemFlags)
        *lpFileSystemFlags = FILE_CASE_PRESERVED_NAMES | FILE_UNICODE_ON_DISK |
                             (fat ? 0 : FILE_SUPPORTS_HARD_LINKS) |
                             (fs_keeps_streams(host) ? FILE_NAMED_STREAMS : 0);
    return TRUE;
}

// The mount point that holds the name, when it lies within the name's drive; else the
// drive's root.
BOOL WINAPI GetVolumePathNameA(LPCSTR lpszFileName, LPSTR lpszVolumePathName,
                               DWORD cchBufferLength) {
    DosPath p;
    HostPath h = fs_resolve(lpszFileName, &p);
    if (h.error) return fs_fail(h.error);
    std::string root = std::string(1, p.drive) + ":\\";
    const FsDrive *drive = fs_drive(p.drive);
    std::string point = fs_mount_of(h.exists ? h.full() : h.dir).point;
    if (drive != nullptr && fs_path_within(point, drive->root) && point != drive->root) {
        std::string dos = plat_dos_path(point.c_str());
        if (!dos.empty()) root = dos.back() == '\\' ? dos : dos + "\\";
    }
    if (lpszVolumePathName == nullptr || root.size() + 1 > cchBufferLength)
        return fs_fail(ERROR_FILENAME_EXCED_RANGE);
    memcpy(lpszVolumePathName, root.c_str(), root.size() + 1);
    return TRUE;
}

static DWORD clamp32(unsigned long long v) {
    return (DWORD)std::min(v, 0xFFFFFFFFull);
}

static DWORD free_space(LPCSTR root, struct statvfs &vfs) {
    const FsDrive *drive;
    std::string host;
    if (DWORD err = volume(root, drive, host)) return err;
    return statvfs(host.c_str(), &vfs) == 0 ? 0 : ERROR_NOT_READY;
}

BOOL WINAPI GetDiskFreeSpaceA(LPCSTR lpRootPathName, LPDWORD lpSectorsPerCluster,
                              LPDWORD lpBytesPerSector, LPDWORD lpNumberOfFreeClusters,
                              LPDWORD lpTotalNumberOfClusters) {
    struct statvfs vfs;
    if (DWORD err = free_space(lpRootPathName, vfs)) return fs_fail(err);
    unsigned long cluster = vfs.f_frsize ? vfs.f_frsize : vfs.f_bsize;
    DWORD sector = cluster % 512 == 0 ? 512 : (DWORD)cluster;
    if (lpSectorsPerCluster) *lpSectorsPerCluster = (DWORD)(cluster / sector);
    if (lpBytesPerSector) *lpBytesPerSector = sector;
    if (lpNumberOfFreeClusters) *lpNumberOfFreeClusters = clamp32(vfs.f_bavail);
    if (lpTotalNumberOfClusters) *lpTotalNumberOfClusters = clamp32(vfs.f_blocks);
    return TRUE;
}

BOOL WINAPI GetDiskFreeSpaceExA(LPCSTR lpDirectoryName,
                                PULARGE_INTEGER lpFreeBytesAvailableToCaller,
                                PULARGE_INTEGER lpTotalNumberOfBytes,
                                PULARGE_INTEGER lpTotalNumberOfFreeBytes) {
    struct statvfs vfs;
    if (DWORD err = free_space(lpDirectoryName, vfs)) return fs_fail(err);
    unsigned long long unit = vfs.f_frsize ? vfs.f_frsize : vfs.f_bsize;
    if (lpFreeBytesAvailableToCaller) lpFreeBytesAvailableToCaller->QuadPart = vfs.f_bavail * unit;
    if (lpTotalNumberOfBytes) lpTotalNumberOfBytes->QuadPart = vfs.f_blocks * unit;
    if (lpTotalNumberOfFreeBytes) lpTotalNumberOfFreeBytes->QuadPart = vfs.f_bfree * unit;
    return TRUE;
}
