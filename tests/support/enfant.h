// Work done in a child process that the test ends at a chosen moment, as a killed program or
// a power cut would end it: on Linux a fork ended by SIGKILL; on Windows the test program
// started again for that work alone (--quillon-enfant=NAME:ARGUMENT), ended by
// TerminateProcess. The child works on the test's drives, from its current folder; the test
// may wait for it or act beside it meanwhile.
#ifndef QUILLON_TESTS_ENFANT_H
#define QUILLON_TESTS_ENFANT_H

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
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
#endif
};

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
    e.pid = fork();
    if (e.pid == 0) {
        travaux_enfants()[nom](argument);
        _exit(0);
    }
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
        usleep(ms * 1000);
        kill(e.pid, SIGKILL);
    }
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
        if (travail != travaux_enfants().end())
            travail->second(deux_points == std::string::npos ? ""
                                                             : demande.substr(deux_points + 1));
        exit(0);
    }
}

#endif
