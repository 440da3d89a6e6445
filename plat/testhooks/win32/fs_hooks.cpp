// The test drives over the real Win32 API: each drive of the table is a folder seen as a
// drive letter, and no other letter exists while the table holds.
//
// Under Wine, DefineDosDeviceA makes a name that the object manager knows (GetLogicalDrives
// lists it) but that file names never reach, and it cannot replace C:. Wine's drives are its
// mount manager's: the same request as its drive settings (IOCTL_MOUNTMGR_DEFINE_UNIX_DRIVE)
// maps a letter to a host folder or removes it, for the whole Wine prefix; the tests
// therefore run each in a prefix of their own (tests/windows/wine-test), and the hooks refuse
// to touch any other. The prefix's other letters only lose their name in the object manager:
// the program no longer lists them, while Wine still reaches its own files through them.
// With C: a test's folder, Wine's system folder (C:\windows) is out of reach: the libraries
// the tests may load later are loaded at the start (init.cpp), and no new process can start.
// The mount manager reads a drive's label from the file .windows-label at its root the
// first time it is asked for it: the file is there for that moment only. The test folders are
// reached by Wine's host names, \\?\unix\..., which need no drive letter.
//
// On Windows itself, DefineDosDeviceA maps the letters (subst); the folders are reached
// through the system's own drive names (\\?\GLOBALROOT\GLOBAL??\C:\...), which a mapping
// made in the session does not hide. Windows gives such drives the folder's volume label.
#include <windows.h>
#include <winioctl.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include "plattest_fs.h"
#include "testhooks/win32/wrapped.h"

namespace {

std::vector<PlatDrive> table;
bool inherited = false; // a child's drives are its parent's (see children.cpp)

const char unix_prefix[] = "\\\\?\\unix";

std::wstring wide(const std::string &utf8) {
    std::wstring w(utf8.size() + 1, L'\0');
    w.resize((size_t)MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &w[0], (int)w.size()) - 1);
    return w;
}

// A host path for the wide calls: Windows' long names (\\?\...) take no '/'.
std::wstring wide_path(const std::string &utf8) {
    std::wstring w = wide(utf8);
    for (wchar_t &c : w)
        if (c == L'/') c = L'\\';
    return w;
}

std::string utf8_of(const wchar_t *w) {
    std::string s((size_t)WideCharToMultiByte(CP_UTF8, 0, w, -1, nullptr, 0, nullptr, nullptr),
                  '\0');
    WideCharToMultiByte(CP_UTF8, 0, w, -1, &s[0], (int)s.size(), nullptr, nullptr);
    s.resize(s.size() - 1);
    return s;
}

// A test folder's host name as Wine's mount manager wants it: the Unix path.
std::string unix_path(const std::string &root) {
    if (root.compare(0, sizeof unix_prefix - 1, unix_prefix) == 0) {
        std::string p = root.substr(sizeof unix_prefix - 1);
        for (char &c : p)
            if (c == '\\') c = '/';
        return p;
    }
    typedef char *(CDECL * ToUnix)(LPCWSTR);
    auto to_unix = (ToUnix)(void (*)(void))GetProcAddress(GetModuleHandleA("kernel32.dll"),
                                                          "wine_get_unix_file_name");
    char *p = to_unix ? to_unix(wide_path(root).c_str()) : nullptr;
    std::string s = p ? p : "";
    if (p) HeapFree(GetProcessHeap(), 0, p);
    return s;
}

// Wine's own request (its mount manager's drive settings), which MinGW declares in an older
// form: this is the form of the Wine the tests run on.
constexpr DWORD define_unix_drive =
    CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
struct UnixDrive {
    ULONG size, type, fs_type;
    DWORD serial;
    ULONGLONG unix_dev;
    WCHAR letter;
    USHORT mount_point_offset, device_offset, label_offset;
};

// Maps letter to the host folder (or removes it when folder is empty).
bool wine_map(char letter, const std::string &folder) {
    std::string request(sizeof(UnixDrive) + folder.size() + 1, '\0');
    UnixDrive *d = (UnixDrive *)&request[0];
    d->size = (ULONG)request.size();
    d->letter = (WCHAR)(letter - 'A' + 'a');
    d->type = folder.empty() ? DRIVE_NO_ROOT_DIR : DRIVE_FIXED;
    if (!folder.empty()) {
        d->mount_point_offset = sizeof(UnixDrive);
        folder.copy(&request[sizeof(UnixDrive)], folder.size());
    }
    HANDLE manager =
        CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (manager == INVALID_HANDLE_VALUE) return false;
    DWORD n = 0;
    BOOL ok = DeviceIoControl(manager, define_unix_drive, &request[0], (DWORD)request.size(),
                              nullptr, 0, &n, nullptr);
    CloseHandle(manager);
    return ok;
}

void fail(const char *what) {
    fprintf(stderr, "plat_test_set_drives: %s\n", what);
    fflush(stderr);
    abort();
}

void wine_install(const std::vector<PlatDrive> &drives) {
    // The letters are the prefix's: only a prefix made for this one test may lose its own.
    if (getenv("QUILLON_PREFIXE_PRIVE") == nullptr)
        fail("this Wine prefix is not the test's own (run it through tests/windows/wine-test)");
    DWORD present = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        char letter = (char)('A' + i);
        const PlatDrive *d = nullptr, *before = nullptr;
        for (const PlatDrive &x : drives)
            if (x.letter == letter) d = &x;
        for (const PlatDrive &x : table)
            if (x.letter == letter) before = &x;
        if (d == nullptr) {
            if (before != nullptr) {
                if (!wine_map(letter, "")) fail("a drive stays");
            } else if (present >> i & 1) {
                // The prefix's own letters (Z:, the host's root) only leave the list of
                // drives: Wine still finds the test program's files and its own by them.
                char name[3] = {letter, ':', 0};
                DefineDosDeviceA(DDD_REMOVE_DEFINITION, name, nullptr);
            }
            continue;
        }
        std::wstring label_file = wide_path(d->root + "/.windows-label");
        if (!d->label.empty()) {
            HANDLE f = CreateFileW(label_file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
            DWORD n = 0;
            if (f != INVALID_HANDLE_VALUE) {
                WriteFile(f, d->label.data(), (DWORD)d->label.size(), &n, nullptr);
                CloseHandle(f);
            }
        }
        bool ok = wine_map(letter, unix_path(d->root));
        if (!d->label.empty()) {
            // Read once, the label stays with the drive.
            char root[4] = {letter, ':', '\\', 0}, label[64];
            GetVolumeInformationA(root, label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0);
            DeleteFileW(label_file.c_str());
        }
        if (!ok) fail("a drive cannot be mapped");
    }
}

// Windows itself: a mapping of the session stacks over the system's letter and is removed
// again; the letters outside the table stay.
const char globalroot[] = "\\\\?\\GLOBALROOT";

void windows_install(const std::vector<PlatDrive> &drives) {
    auto target = [](const PlatDrive &d) {
        std::string nt = d.root.substr(sizeof globalroot - 1);
        for (char &c : nt)
            if (c == '/') c = '\\';
        return wide(nt);
    };
    for (const PlatDrive &d : table) {
        wchar_t name[3] = {(wchar_t)d.letter, L':', 0};
        DefineDosDeviceW(DDD_REMOVE_DEFINITION | DDD_RAW_TARGET_PATH | DDD_EXACT_MATCH_ON_REMOVE,
                         name, target(d).c_str());
    }
    for (const PlatDrive &d : drives) {
        wchar_t name[3] = {(wchar_t)d.letter, L':', 0};
        if (d.root.compare(0, sizeof globalroot - 1, globalroot) != 0 ||
            !DefineDosDeviceW(DDD_RAW_TARGET_PATH, name, target(d).c_str()))
            fail("a drive cannot be mapped");
    }
}

} // namespace

bool testhooks_under_wine(void) {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

void testhooks_drives_inherited(void) {
    inherited = true;
}

bool testhooks_system_drive(bool system) {
    const char *own = getenv("QUILLON_PREFIXE_PRIVE");
    for (const PlatDrive &d : table)
        if (d.letter == 'C' && testhooks_under_wine() && own != nullptr)
            return wine_map('C', system ? own : unix_path(d.root));
    return false;
}

void plat_test_system_drive(bool system) {
    testhooks_system_drive(system);
}

void plat_test_set_drives(const std::vector<PlatDrive> &drives) {
    if (inherited)
        ; // the parent's, made for the same test
    else if (testhooks_under_wine())
        wine_install(drives);
    else
        windows_install(drives);
    table = drives;
    // Every drive's remembered directory is its root; the first drive is current.
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        char name[4] = {'=', letter, ':', 0};
        SetEnvironmentVariableA(name, nullptr);
    }
    if (!drives.empty()) {
        char root[4] = {drives.front().letter, ':', '\\', 0};
        SetCurrentDirectoryA(root);
    }
}

std::string plat_test_host_path(const char *ansi_name) {
    char full[MAX_PATH];
    DWORD n = GetFullPathNameA(ansi_name, sizeof full, full, nullptr);
    if (n == 0 || n >= sizeof full || full[1] != ':') return "";
    wchar_t w[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, full, -1, w, MAX_PATH);
    std::string path = utf8_of(w);
    for (const PlatDrive &d : table) {
        if (d.letter != (path[0] & ~0x20)) continue;
        std::string rest = path.substr(3);
        for (char &c : rest)
            if (c == '\\') c = '/';
        DWORD attributes = GetFileAttributesA(full);
        std::string folder(full, strrchr(full, '\\') - full + 1);
        if (attributes == INVALID_FILE_ATTRIBUTES &&
            GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES)
            return "";
        return rest.empty() ? d.root : d.root + "/" + rest;
    }
    return "";
}

std::string testhooks_host_of(const char *dos) {
    std::string host = plat_test_host_path(dos);
    if (!host.empty() || !testhooks_under_wine()) return host;
    // Wine names a file by the first letter that reaches it, which may be one of its own.
    std::string unix = unix_path(dos);
    for (const PlatDrive &d : table) {
        std::string root = unix_path(d.root);
        if (unix.compare(0, root.size(), root) == 0 &&
            (unix.size() == root.size() || unix[root.size()] == '/'))
            return d.root + unix.substr(root.size());
    }
    return "";
}

std::string plat_test_temp_dir(void) {
    std::string base;
    if (testhooks_under_wine()) {
        base = std::string(unix_prefix) + "\\tmp";
    } else {
        char temp[MAX_PATH];
        DWORD n = GetTempPathA(sizeof temp, temp);
        if (n == 0 || n >= sizeof temp || temp[1] != ':') return "";
        base = std::string(globalroot) + "\\GLOBAL??\\" + std::string(temp, n - 1);
    }
    for (unsigned k = GetTickCount();; ++k) {
        std::string dir = base + "\\quillon-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                          std::to_string(k % 100000);
        if (CreateDirectoryW(wide_path(dir).c_str(), nullptr)) return dir;
        if (GetLastError() != ERROR_ALREADY_EXISTS) return "";
    }
}
