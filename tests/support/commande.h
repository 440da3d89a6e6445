// The command-line program run as a script runs it: a process started in the test's current
// folder, its arguments (UTF-8), what it writes and its exit status; and Ctrl-C sent to it
// while it works (on Windows, the console's Ctrl-C event). Under Wine the program needs Wine's
// own C: while it runs: its files are on the test's drive D: (DrivesCli).
#ifndef QUILLON_TESTS_COMMANDE_H
#define QUILLON_TESTS_COMMANDE_H

#include <gtest/gtest.h>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>
#include "plattest_fs.h"
#include "systeme.h"
#include "tempdrive.h"
#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

struct Sortie {
    int statut = -1;
    std::string sortie, erreurs; // standard output and standard error, as the program wrote them
};

class Commande {
  public:
    // With interruptible, the program can be sent Ctrl-C (interrompt).
    explicit Commande(const std::vector<std::string> &args, bool interruptible = false) {
        plat_test_system_drive(systeme_ = true);
#ifdef _WIN32
        // A console of the test's own, shared with the program, whose Ctrl-C the test ignores.
        if (interruptible) {
            static bool console = (FreeConsole(), AllocConsole());
            (void)console;
            SetConsoleCtrlHandler(nullptr, TRUE);
        }
        std::wstring ligne = L"\"" + chemin_hote(QUILLON_CLI).wstring() + L"\"";
        for (const std::string &a : args) ligne += L" \"" + chemin_hote(a).wstring() + L"\"";
        STARTUPINFOW si = {};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = INVALID_HANDLE_VALUE;
        si.hStdOutput = sortie_.ouvre();
        si.hStdError = erreurs_.ouvre();
        PROCESS_INFORMATION pi;
        if (CreateProcessW(nullptr, &ligne[0], nullptr, nullptr, TRUE, 0,
                           nullptr, nullptr, &si, &pi)) {
            CloseHandle(pi.hThread);
            processus_ = pi.hProcess;
            id_ = pi.dwProcessId;
        }
        sortie_.ferme();
        erreurs_.ferme();
        EXPECT_NE(processus_, nullptr) << "quillon-cli does not start";
#else
        (void)interruptible;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(sortie_.fd, 1);
            dup2(erreurs_.fd, 2);
            std::vector<char *> argv{(char *)QUILLON_CLI};
            for (const std::string &a : args) argv.push_back((char *)a.c_str());
            argv.push_back(nullptr);
            execv(QUILLON_CLI, argv.data());
            _exit(127);
        }
        EXPECT_GT(pid_, 0);
#endif
    }
    Commande(const Commande &) = delete;
    Commande &operator=(const Commande &) = delete;

    // Ctrl-C, once pret() holds (polled while the program runs); false when the program ended
    // first.
    bool interrompt(const std::function<bool()> &pret) {
        while (!pret())
            if (fini()) return false;
            else std::this_thread::sleep_for(std::chrono::milliseconds(1));
#ifdef _WIN32
        return GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0) != 0; // every process of the console
#else
        return kill(pid_, SIGINT) == 0;
#endif
    }

    Sortie attend() {
        Sortie s;
#ifdef _WIN32
        if (processus_ != nullptr) {
            WaitForSingleObject(processus_, INFINITE);
            DWORD code = 0;
            GetExitCodeProcess(processus_, &code);
            CloseHandle(processus_);
            processus_ = nullptr;
            s.statut = (int)code;
        }
#else
        if (pid_ > 0 && waitpid(pid_, &etat_, 0) == pid_) pid_ = 0;
        if (pid_ == 0) s.statut = WIFEXITED(etat_) ? WEXITSTATUS(etat_) : 128 + WTERMSIG(etat_);
        pid_ = -1;
#endif
        if (systeme_) plat_test_system_drive(false);
        systeme_ = false;
        s.sortie = sortie_.lit();
        s.erreurs = erreurs_.lit();
        return s;
    }
    ~Commande() {
        attend();
    }

  private:
    // A temporary file that receives one of the program's outputs.
    struct Flux {
#ifdef _WIN32
        wchar_t nom[MAX_PATH] = {};
        HANDLE h = INVALID_HANDLE_VALUE;
        HANDLE ouvre() {
            wchar_t dossier[MAX_PATH];
            GetTempPathW(MAX_PATH, dossier);
            GetTempFileNameW(dossier, L"qcl", 0, nom);
            SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
            h = CreateFileW(nom, GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr);
            return h;
        }
        void ferme() {
            CloseHandle(h);
        }
        std::string lit() {
            std::string texte = lit_fichier(std::filesystem::path(nom).u8string());
            DeleteFileW(nom);
            return texte;
        }
#else
        char nom[32] = "/tmp/quillon-cli-XXXXXX";
        int fd = mkstemp(nom);
        std::string lit() {
            std::string texte = lit_fichier(nom);
            if (fd >= 0) close(fd), unlink(nom);
            fd = -1;
            return texte;
        }
#endif
        ~Flux() {
            lit();
        }
    };
    bool fini() {
#ifdef _WIN32
        return WaitForSingleObject(processus_, 0) == WAIT_OBJECT_0;
#else
        if (waitpid(pid_, &etat_, WNOHANG) != pid_) return false;
        pid_ = 0; // ended, its status in etat_
        return true;
#endif
    }
    Flux sortie_, erreurs_;
    bool systeme_ = false; // C: is the system's while the program runs
#ifdef _WIN32
    HANDLE processus_ = nullptr;
    DWORD id_ = 0;
#else
    pid_t pid_ = -1;
    int etat_ = 0;
#endif
};

// The drives of a test that runs the program: C: and D:, the current folder D:'s root.
struct DrivesCli : TempDrives {
    DrivesCli() : TempDrives(2) {
        _chdir("D:\\");
    }
    std::string host(const std::string &rel) const {
        return TempDrives::host(rel, 'D');
    }
    void write(const std::string &rel, const std::string &octets) const {
        TempDrives::write(rel, octets, 'D');
    }
    std::string read(const std::string &rel) const {
        return TempDrives::read(rel, 'D');
    }
};

// Runs the program to its end.
inline Sortie quillon_cli(const std::vector<std::string> &args) {
    return Commande(args).attend();
}

#endif
