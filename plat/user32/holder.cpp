// The holder of the interface thread and since when, kept where another thread can read it.
#include "user32/holder.h"
#include <atomic>
#include <chrono>

namespace {

std::atomic<bool> in_command{true}; // the start (WinMain, a test's body) is its own work
std::atomic<long long> since{0};

long long now_ms() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

UiHolder::UiHolder(bool command) : outer(in_command.exchange(command)) {
    since = now_ms();
}

UiHolder::~UiHolder() {
    in_command = outer;
    since = now_ms();
}

long ui_loop_held_ms() {
    return in_command ? 0 : (long)(now_ms() - since);
}
