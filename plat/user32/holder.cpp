// The holder of the interface thread and since when, kept where another thread can read it.
#include "user32/holder.h"
#include <atomic>
#include <chrono>

namespace {

std::atomic<bool> in_program{true}; // the program starts in its own code
std::atomic<long long> since{0};

long long now_ms() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

UiHolder::UiHolder(bool program) : outer(in_program.exchange(program)) {
    since = now_ms();
}

UiHolder::~UiHolder() {
    in_program = outer;
    since = now_ms();
}

long ui_loop_held_ms() {
    return in_program ? 0 : (long)(now_ms() - since);
}
