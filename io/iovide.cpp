// Flushing several files to the disk at once.
#include <io.h>
#include <system_error>
#include <thread>
#include <vector>
#include "io/iofile.h"

// A thread for each file but the last, which the caller's own thread flushes meanwhile: the
// disk serves flushes issued together in far fewer turns than the same flushes one after
// another. A file whose thread the system refuses is flushed by the caller too. The threads'
// room is taken before the first starts: without it, the caller flushes every file itself.
void vide_ensemble(const int *fd, int *ok, int n) {
    std::vector<std::thread> fils;
    bool en_fils = n > 1;
    try {
        if (en_fils) fils.reserve((size_t)n - 1);
    } catch (const std::exception &) {
        en_fils = false;
    }
    for (int i = 0; i + 1 < n; ++i) {
        int *r = &ok[i];
        int f = fd[i];
        try {
            if (en_fils) {
                fils.emplace_back([r, f] { *r = _commit(f) == 0; });
                continue;
            }
        } catch (const std::system_error &) {
        }
        *r = _commit(f) == 0;
    }
    if (n > 0) ok[n - 1] = _commit(fd[n - 1]) == 0;
    for (auto &t : fils) t.join();
}
