// Work done in a child process that the test ends at a chosen moment, as a killed program or
// a power cut would end it: the test program started again for that work alone
// (--quillon-enfant=NAME:ARGUMENT), ended by SIGKILL or TerminateProcess. Never a copy made by
// fork alone: the toolkit's threads may hold a lock at that moment that the copy would wait on
// for ever. The child works on the test's drives, from its current folder; the test may wait
// for it or act beside it meanwhile.
#ifndef QUILLON_TESTS_ENFANT_H
#define QUILLON_TESTS_ENFANT_H

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include "plattest_fs.h"
extern char **environ;
#endif

using TravailEnfant = void (*)(const std::string &argument);

inline std::map<std::string, TravailEnfant> &travaux_enfants() {
    static std::map<std::string, TravailEnfant> travaux;
    return travaux;
}

// Names a work that children can do (from a test file's static initialisation).
inline bool enregistre_travail(const char *nom, TravailEnfant travail) {
    travaux_enfants()[nom] = travail;
    return true;
}

// Ends this process at once, as a kill does.
[[noreturn]] inline void tue_moi() {
#ifdef _WIN32
    TerminateProcess(GetCurrentProcess(), 137);
#else
    raise(SIGKILL);
#endif
    abort();
}

// A child doing a work, still running: a test may act meanwhile (another copy of the program
// at work beside it), then end it with termine.
struct Enfant {
#ifdef _WIN32
    HANDLE processus = nullptr;
#else
    pid_t pid = -1;
    int pret = -1; // closed by the child when its work starts (or it died before)
#endif
};

#ifndef _WIN32
// The variable naming the end of the pipe that the child closes when its work starts.
inline constexpr char variable_pret[] = "QUILLON_ENFANT_PRET";
#endif

inline Enfant lance_enfant(const char *nom, const std::string &argument) {
    Enfant e;
#ifdef _WIN32
    char programme[MAX_PATH];
    GetModuleFileNameA(nullptr, programme, sizeof programme);
    std::string ligne =
        std::string("\"") + programme + "\" \"--quillon-enfant=" + nom + ":" + argument + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    if (CreateProcessA(programme, &ligne[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                       &pi)) {
        CloseHandle(pi.hThread);
        e.processus = pi.hProcess;
    }
#else
    int tube[2];
    if (pipe2(tube, O_CLOEXEC) != 0) return e;
    // Only the child's end crosses into it.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const int fd_enfant = 100;
    posix_spawn_file_actions_adddup2(&actions, tube[1], fd_enfant);
    std::string programme = "/proc/self/exe";
    std::string option = std::string("--quillon-enfant=") + nom + ":" + argument;
    std::vector<std::string> env = {plat_test_drives_for_child(),
                                    std::string(variable_pret) + "=" + std::to_string(fd_enfant)};
    std::vector<char *> argv = {&programme[0], &option[0], nullptr}, envp;
    for (char **v = environ; *v; ++v) envp.push_back(*v);
    for (std::string &v : env) envp.push_back(&v[0]);
    envp.push_back(nullptr);
    if (posix_spawn(&e.pid, programme.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0)
        e.pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(tube[1]);
    if (e.pid < 0)
        close(tube[0]);
    else
        e.pret = tube[0];
#endif
    return e;
}

// Kills the child after ms milliseconds (with ms < 0, waits for it to end). True when the
// child was killed, by the test or by itself, rather than done.
inline bool termine(Enfant e, int ms) {
#ifdef _WIN32
    if (e.processus == nullptr) return false;
    if (ms >= 0 && WaitForSingleObject(e.processus, (DWORD)ms) == WAIT_TIMEOUT)
        TerminateProcess(e.processus, 137);
    WaitForSingleObject(e.processus, INFINITE);
    DWORD fin = 0;
    GetExitCodeProcess(e.processus, &fin);
    CloseHandle(e.processus);
    return fin == 137;
#else
    if (e.pid < 0) return false;
    if (ms >= 0) {
        // The delay counts from the start of the work, not of the program.
        char octet;
        while (read(e.pret, &octet, 1) < 0 && errno == EINTR) {
        }
        usleep(ms * 1000);
        kill(e.pid, SIGKILL);
    }
    close(e.pret);
    int statut = 0;
    waitpid(e.pid, &statut, 0);
    return WIFSIGNALED(statut);
#endif
}

// Runs the work in a child and kills the child after ms milliseconds (with ms < 0, waits for
// it to end). True when the child was killed, by the test or by itself, rather than done.
inline bool tue_apres(int ms, const char *nom, const std::string &argument) {
    return termine(lance_enfant(nom, argument), ms);
}

// In the test program's main: when this process is such a child, does its work and ends.
inline void fait_travail_enfant(int argc, char **argv) {
    const char option[] = "--quillon-enfant=";
    for (int i = 1; i < argc; ++i) {
        if (strncmp(argv[i], option, sizeof option - 1) != 0) continue;
        std::string demande = argv[i] + sizeof option - 1;
        size_t deux_points = demande.find(':');
        auto travail = travaux_enfants().find(demande.substr(0, deux_points));
#ifndef _WIN32
        if (const char *pret = getenv(variable_pret)) close(atoi(pret));
#endif
        if (travail != travaux_enfants().end())
            travail->second(deux_points == std::string::npos ? ""
                                                             : demande.substr(deux_points + 1));
        exit(0);
    }
}

#endif
