// What the tests ask of the system beyond the program's own calls, in one form for Linux and
// Windows: a host file's bytes, environment variables, file times, files that cannot be opened
// or written, and a user without the powers of root. Host paths are UTF-8.
#ifndef QUILLON_TESTS_SYSTEME_H
#define QUILLON_TESTS_SYSTEME_H

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#ifdef _WIN32
#include <windows.h>
#else
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <fcntl.h>
#include <unistd.h>
#include <cstring>
#endif
#include "fichier_date.h"
#include "wine.h"

// A host path of the tests (UTF-8, '/' between names) as the standard library takes it: with
// the system's own separator, which Windows needs in its long names (\\?\...).
inline std::filesystem::path chemin_hote(const std::string &hote) {
    return std::filesystem::u8path(hote).make_preferred();
}

// The bytes of a host file (none when it cannot be read).
inline std::string lit_fichier(const std::string &hote) {
    std::ifstream in(chemin_hote(hote), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// True on Windows, whose own limits some tests must leave aside (each says which).
#ifdef _WIN32
constexpr bool sous_windows = true;
#else
constexpr bool sous_windows = false;
#endif

// The process's number.
inline long processus() {
#ifdef _WIN32
    return (long)GetCurrentProcessId();
#else
    return (long)getpid();
#endif
}

// Sets (or with nullptr removes) an environment variable of the process, where the program's
// calls (GetTempPathA, getenv) read it.
inline void variable(const char *nom, const char *valeur) {
#ifdef _WIN32
    _putenv_s(nom, valeur ? valeur : "");
    SetEnvironmentVariableA(nom, valeur);
#else
    if (valeur)
        setenv(nom, valeur, 1);
    else
        unsetenv(nom);
#endif
}

// Sets a file's last-write (and last-access) time, in seconds since 1970.
inline bool date_fichier(const std::string &hote, time_t secondes) {
#ifdef _WIN32
    HANDLE h = CreateFileW(chemin_hote(hote).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    unsigned long long v = temps_fichier(secondes);
    FILETIME t = {(DWORD)v, (DWORD)(v >> 32)};
    BOOL ok = SetFileTime(h, nullptr, &t, &t);
    CloseHandle(h);
    return ok;
#else
    struct timespec t[2] = {{secondes, 0}, {secondes, 0}};
    return utimensat(AT_FDCWD, hote.c_str(), t, 0) == 0;
#endif
}

// A file that a directory listing finds but that cannot be opened: on Linux a link to
// nothing; on Windows a file held open by the test without sharing. retire() removes it.
class Inouvrable {
  public:
    explicit Inouvrable(const std::string &hote) : chemin_(chemin_hote(hote)) {
#ifdef _WIN32
        tenu_ = CreateFileW(chemin_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
#else
        std::filesystem::create_symlink("absent", chemin_);
#endif
    }
    ~Inouvrable() {
        retire();
    }
    void retire() {
#ifdef _WIN32
        if (tenu_ != INVALID_HANDLE_VALUE) CloseHandle(tenu_);
        tenu_ = INVALID_HANDLE_VALUE;
#endif
        std::error_code ec;
        std::filesystem::remove_all(chemin_, ec); // (remove may be the runtime's macro)
    }

  private:
    std::filesystem::path chemin_;
#ifdef _WIN32
    HANDLE tenu_ = INVALID_HANDLE_VALUE;
#endif
};

// A file the program can read but not write: without write permission on Linux, with the
// read-only attribute on Windows. False when the test's process can write it all the same:
// Wine leaves the attribute to the host's permissions, which do not stop root.
inline bool lecture_seule(const std::string &hote) {
#ifdef _WIN32
    std::wstring nom = chemin_hote(hote).wstring();
    SetFileAttributesW(nom.c_str(), FILE_ATTRIBUTE_READONLY);
    HANDLE h = CreateFileW(nom.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return true;
    CloseHandle(h);
    return false;
#else
    chmod(hote.c_str(), 0444);
    int fd = open(hote.c_str(), O_WRONLY);
    if (fd < 0) return true;
    close(fd);
    return false;
#endif
}

// Root passes every permission check; the tests of refused access run as the files' owner
// without those powers (a no-op for an ordinary user, and on Windows, where the read-only
// attribute holds for every user).
class SansPrivileges {
  public:
#ifdef _WIN32
    SansPrivileges() {}
#else
    SansPrivileges() {
        syscall(SYS_capget, &tete_, avant_);
        __user_cap_data_struct d[2];
        memcpy(d, avant_, sizeof d);
        d[0].effective &=
            ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER) |
              (1u << CAP_CHOWN));
        syscall(SYS_capset, &tete_, d);
    }
    ~SansPrivileges() {
        syscall(SYS_capset, &tete_, avant_);
    }

  private:
    __user_cap_header_struct tete_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct avant_[2]{};
#endif
};

#endif
