// The command-line program run as a script runs it: a process started in the test's current
// folder, its arguments (UTF-8), what it writes and its exit status; and Ctrl-C sent to it
// while it works (on Windows, the console's Ctrl-Break, the event a console sends to a
// process group).
#ifndef QUILLON_TESTS_COMMANDE_H
#define QUILLON_TESTS_COMMANDE_H

#include <gtest/gtest.h>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>
#include "systeme.h"
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
    explicit Commande(const std::vector<std::string> &args) {
#ifdef _WIN32
        // A console shared with the program, so that its Ctrl-Break reaches it.
        static bool console = GetConsoleWindow() != nullptr || AllocConsole();
        (void)console;
        std::wstring ligne = L"\"" + chemin_hote(QUILLON_CLI).wstring() + L"\"";
        for (const std::string &a : args) ligne += L" \"" + chemin_hote(a).wstring() + L"\"";
        STARTUPINFOW si = {};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = INVALID_HANDLE_VALUE;
        si.hStdOutput = sortie_.ouvre();
        si.hStdError = erreurs_.ouvre();
        PROCESS_INFORMATION pi;
        if (CreateProcessW(nullptr, &ligne[0], nullptr, nullptr, TRUE, CREATE_NEW_PROCESS_GROUP,
                           nullptr, nullptr, &si, &pi)) {
            CloseHandle(pi.hThread);
            processus_ = pi.hProcess;
            id_ = pi.dwProcessId;
        }
        sortie_.ferme();
        erreurs_.ferme();
        EXPECT_NE(processus_, nullptr) << "quillon-cli does not start";
#else
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
        return GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, id_) != 0;
#else
        return kill(pid_, SIGINT) == 0;
#endif
    }

    Sortie attend() {
        Sortie s;
#ifdef _WIN32
        if (processus_ == nullptr) return s;
        WaitForSingleObject(processus_, INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(processus_, &code);
        CloseHandle(processus_);
        processus_ = nullptr;
        s.statut = (int)code;
#else
        if (pid_ > 0 && waitpid(pid_, &etat_, 0) == pid_) pid_ = 0;
        if (pid_ != 0) return s;
        pid_ = -1;
        s.statut = WIFEXITED(etat_) ? WEXITSTATUS(etat_) : 128 + WTERMSIG(etat_);
#endif
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
#ifdef _WIN32
    HANDLE processus_ = nullptr;
    DWORD id_ = 0;
#else
    pid_t pid_ = -1;
    int etat_ = 0;
#endif
};

// Runs the program to its end.
inline Sortie quillon_cli(const std::vector<std::string> &args) {
    return Commande(args).attend();
}

#endif
