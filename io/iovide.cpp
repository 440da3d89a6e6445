// Flushing several files to the disk at once.
#include <windows.h>
#include <io.h>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include "io/iofile.h"

// Flushes in flight at once: the caller's thread and this many more. The disk serves flushes
// issued together in far fewer turns than the same flushes one after another (sixteen at
// once take about a sixth of the time of one after another).
#define FILS_VIDAGE 15

namespace {

// The threads that flush beside the caller, started by the first batch that wants them and
// kept waiting for the next: starting them again for each batch cost a tenth of a pass.
// They are never stopped; the end of the process ends them, idle.
class Equipe {
  public:
    // Runs tache on the caller's thread and on up to n of the team's at once; returns when
    // every one has returned. tache must share out the work itself: a thread of the team
    // may come to it only after the caller has done everything.
    void travaille(int n, void (*tache)(void *), void *donnees) {
        std::unique_lock<std::mutex> verrou(m);
        while ((int)nombre < n && demarre()) ++nombre;
        this->tache = tache;
        this->donnees = donnees;
        places = n < (int)nombre ? n : (int)nombre;
        ++tour;
        verrou.unlock();
        debut.notify_all();
        tache(donnees);
        verrou.lock();
        places = 0; // the work is all taken: a thread that wakes only now has nothing to do
        fin.wait(verrou, [&] { return en_cours == 0; });
    }

  private:
    std::mutex m;
    std::condition_variable debut, fin;
    unsigned nombre = 0, tour = 0;
    int places = 0, en_cours = 0;
    void (*tache)(void *) = nullptr;
    void *donnees = nullptr;

    bool demarre() {
        try {
            std::thread(&Equipe::attend, this, tour).detach();
            return true;
        } catch (const std::system_error &) {
        } catch (const std::bad_alloc &) {
        }
        return false; // the system refuses: the others, the caller at least, do its share
    }

    void attend(unsigned vu) {
        std::unique_lock<std::mutex> verrou(m);
        for (;;) {
            debut.wait(verrou, [&] { return tour != vu; });
            vu = tour;
            if (places == 0) continue;
            --places;
            ++en_cours;
            void (*t)(void *) = tache;
            void *d = donnees;
            verrou.unlock();
            t(d);
            verrou.lock();
            if (--en_cours == 0) fin.notify_all();
        }
    }
};

struct Lot {
    const int *fd;
    int *ok;
    int n;
    std::atomic<int> suivant{0};
};

// Each thread, the caller's included, takes the next file not yet taken until none is left.
void vide_suivants(void *donnees) {
    Lot &lot = *static_cast<Lot *>(donnees);
    for (int i; (i = lot.suivant.fetch_add(1)) < lot.n;) lot.ok[i] = _commit(lot.fd[i]) == 0;
}

} // namespace

void vide_ensemble(const int *fd, int *ok, int n) {
    Lot lot;
    lot.fd = fd;
    lot.ok = ok;
    lot.n = n;
    if (n <= 1) return vide_suivants(&lot);
    // A process made by copying this one has none of its threads: it starts a team of its own.
    static Equipe *equipe = nullptr;
    static DWORD processus = 0;
    if (equipe == nullptr || processus != GetCurrentProcessId()) {
        equipe = new (std::nothrow) Equipe;
        processus = GetCurrentProcessId();
    }
    if (equipe == nullptr) return vide_suivants(&lot);
    equipe->travaille(n - 1 < FILS_VIDAGE ? n - 1 : FILS_VIDAGE, vide_suivants, &lot);
}
