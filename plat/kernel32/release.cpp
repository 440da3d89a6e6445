// A replacing rename frees the replaced file when its last reference goes. The rename keeps
// that reference and a thread of its own lets it go, so that the caller goes on at once;
// nothing a program sees changes (the name is the new file's from the rename on, and the old
// file was already unreachable). Only the space comes back a moment later, as it does on a
// volume with a journal, which frees blocks at its next commit: so little is ever held back,
// and never on a volume short of room.
#include "kernel32/release.h"
#include <sys/resource.h>
#include <sys/statfs.h>
#include <unistd.h>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

namespace {

const size_t max_files = 256;                         // held at once, at most,
const size_t share_of_descriptors = 4;                // and a quarter of the process's
const unsigned long long max_bytes = 64ull << 20;     // and no more space than this
const unsigned long long min_free_bytes = 1ull << 30; // on a volume with this much free
const unsigned long long min_free_files = 4096;       // and this many files still to make

struct Held {
    int fd;
    unsigned long long bytes;
};

struct Releaser {
    std::mutex m;
    std::condition_variable work;
    std::deque<Held> queue;
    unsigned long long bytes = 0;
    pid_t process = 0;

    void loop() {
        std::unique_lock<std::mutex> lock(m);
        for (;;) {
            work.wait(lock, [&] { return !queue.empty(); });
            Held h = queue.front();
            queue.pop_front();
            lock.unlock();
            close(h.fd);
            lock.lock();
            bytes -= h.bytes;
        }
    }

    bool take(const Held &h) {
        // The descriptors held must never be the ones the program runs short of.
        static const size_t files = [] {
            struct rlimit l;
            rlim_t n = getrlimit(RLIMIT_NOFILE, &l) == 0 ? l.rlim_cur / share_of_descriptors : 0;
            return n < max_files ? (size_t)n : max_files;
        }();
        std::lock_guard<std::mutex> lock(m);
        if (queue.size() >= files || bytes + h.bytes > max_bytes) return false;
        queue.push_back(h);
        bytes += h.bytes;
        work.notify_one();
        return true;
    }
};

// This process's thread; null when the system refuses one. A process made by copying this
// one has no such thread: it starts its own.
Releaser *releaser() {
    static Releaser *r = nullptr;
    static std::mutex making;
    std::lock_guard<std::mutex> lock(making);
    if (r != nullptr && r->process == getpid()) return r;
    Releaser *made = new (std::nothrow) Releaser;
    if (made == nullptr) return nullptr;
    made->process = getpid();
    try {
        std::thread(&Releaser::loop, made).detach();
    } catch (const std::system_error &) {
        delete made;
        return nullptr;
    }
    return r = made;
}

bool room_to_spare(int fd) {
    struct statfs v;
    return fstatfs(fd, &v) == 0 && (unsigned long long)v.f_bavail * v.f_bsize >= min_free_bytes &&
           (unsigned long long)v.f_ffree >= min_free_files;
}

} // namespace

void fs_release_replaced(int fd, const struct stat &st) {
    Held h = {fd, (unsigned long long)st.st_blocks * 512};
    if (h.bytes <= max_bytes && room_to_spare(fd)) {
        Releaser *r = releaser();
        if (r != nullptr && r->take(h)) return;
    }
    close(fd);
}
