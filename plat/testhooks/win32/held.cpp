// Windows' own notion of a hung thread (IsHungAppWindow: the thread has not read its queue
// for several seconds and is not waiting on it), minus the time the program spends in one of
// its commands or the test in one of its handlers: long work there is no hang.
#include <windows.h>
#include <atomic>
#include "plattest_ui.h"
#include "testhooks/win32/wrapped.h"

namespace {

std::atomic<DWORD> ui_thread{0};
std::atomic<int> running{0}; // commands of the program and handlers of the test under way
std::atomic<DWORD> hung_seen{0}; // when the guard first found the thread hung, 0 if not
HHOOK before = nullptr, after = nullptr;

// A command is a WM_COMMAND sent to a window of the thread, from its start to its return.
LRESULT CALLBACK command_starts(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && ((const CWPSTRUCT *)lParam)->message == WM_COMMAND) ++running;
    return CallNextHookEx(before, code, wParam, lParam);
}

LRESULT CALLBACK command_ends(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && ((const CWPRETSTRUCT *)lParam)->message == WM_COMMAND) --running;
    return CallNextHookEx(after, code, wParam, lParam);
}

BOOL CALLBACK first_window(HWND h, LPARAM found) {
    if (!IsWindowVisible(h)) return TRUE;
    *(HWND *)found = h;
    return FALSE;
}

} // namespace

void testhooks_watch_commands(void) {
    if (before != nullptr) return;
    ui_thread = GetCurrentThreadId();
    before = SetWindowsHookExA(WH_CALLWNDPROC, command_starts, nullptr, ui_thread);
    after = SetWindowsHookExA(WH_CALLWNDPROCRET, command_ends, nullptr, ui_thread);
}

void testhooks_handler_runs(bool starts) {
    running += starts ? 1 : -1;
}

long plat_test_held_ms(void) {
    HWND window = nullptr;
    if (running == 0 && ui_thread != 0)
        EnumThreadWindows(ui_thread, first_window, (LPARAM)&window);
    if (window == nullptr || !IsHungAppWindow(window)) {
        hung_seen = 0;
        return 0;
    }
    DWORD now = GetTickCount();
    if (hung_seen == 0) hung_seen = now;
    // Windows calls a thread hung after 5 seconds without reading its queue.
    return 5000 + (long)(now - hung_seen);
}
