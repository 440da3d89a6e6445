// Flushing several files to the disk at once.
#include <io.h>
#include <atomic>
#include <new>
#include <system_error>
#include <thread>
#include <vector>
#include "io/iofile.h"

// Flushes in flight at once: the caller's thread and this many more. The disk serves flushes
// issued together in far fewer turns than the same flushes one after another (sixteen at
// once take about a sixth of the time of one after another), and a thread started for every
// file of a batch cost more than its flush gained.
#define FILS_VIDAGE 15

// Each thread, the caller's included, takes the next file not yet taken until none is left.
// A thread the system refuses leaves its share to the others; with none, the caller flushes
// every file itself.
void vide_ensemble(const int *fd, int *ok, int n) {
    std::atomic<int> suivant{0};
    auto travaille = [&] {
        for (int i; (i = suivant.fetch_add(1)) < n;) ok[i] = _commit(fd[i]) == 0;
    };
    std::vector<std::thread> fils;
    int voulus = n - 1 < FILS_VIDAGE ? n - 1 : FILS_VIDAGE;
    try {
        fils.reserve(voulus > 0 ? (size_t)voulus : 0);
        for (int k = 0; k < voulus; ++k) fils.emplace_back(travaille);
    } catch (const std::system_error &) {
    } catch (const std::bad_alloc &) {
    }
    travaille();
    for (auto &t : fils) t.join();
}
