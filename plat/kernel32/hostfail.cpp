// The failures planted at the host boundary, one per kind of call.
#include "kernel32/hostfail.h"
#include <atomic>

static std::atomic<int> planted[3];

void fs_test_fail_host(FsHostCall call, int error) {
    planted[call] = error;
}

int fs_host_planted(FsHostCall call) {
    // No test planted anything: a plain load, which a flush from several threads can share.
    if (planted[call].load(std::memory_order_relaxed) == 0) return 0;
    return planted[call].exchange(0);
}
