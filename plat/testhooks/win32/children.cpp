// Processes that a test starts (gtest's death tests run the test program again). Under Wine
// a process needs C:\\windows to start, and C: is the test's folder: it is Wine's own again
// while the child loads its libraries, then the test's; the child keeps its parent's drives.
#include <cstdio>
#include <cstdlib>
#include <string>
#include "testhooks/win32/wrapped.h"

namespace {
const char loaded_variable[] = "QUILLON_ENFANT_CHARGE";

std::string event_name(DWORD pid, unsigned n, const char *what) {
    return "Local\\quillon-enfant-" + std::to_string(pid) + "-" + std::to_string(n) + what;
}
} // namespace

WRAPPED(BOOL, CreateProcessA, 40,
        (LPCSTR app, LPSTR line, LPSECURITY_ATTRIBUTES pa, LPSECURITY_ATTRIBUTES ta, BOOL inherit,
         DWORD flags, LPVOID env, LPCSTR dir, LPSTARTUPINFOA si, LPPROCESS_INFORMATION pi)) {
    if (env != nullptr || !testhooks_system_drive(true))
        return real_CreateProcessA(app, line, pa, ta, inherit, flags, env, dir, si, pi);
    static unsigned n = 0;
    ++n;
    std::string loaded = event_name(GetCurrentProcessId(), n, "-charge");
    HANDLE events[2] = {
        CreateEventA(nullptr, TRUE, FALSE, loaded.c_str()),
        CreateEventA(nullptr, TRUE, FALSE, event_name(GetCurrentProcessId(), n, "-suite").c_str())};
    SetEnvironmentVariableA(loaded_variable, loaded.c_str());
    BOOL made = real_CreateProcessA(app, line, pa, ta, inherit, flags, env, dir, si, pi);
    SetEnvironmentVariableA(loaded_variable, nullptr);
    if (made) {
        HANDLE wait[2] = {events[0], pi->hProcess};
        WaitForMultipleObjects(2, wait, FALSE, 60000);
    }
    testhooks_system_drive(false);
    SetEvent(events[1]);
    CloseHandle(events[0]);
    CloseHandle(events[1]);
    return made;
}

void testhooks_child_loaded(void) {
    char loaded[128];
    DWORD n = GetEnvironmentVariableA(loaded_variable, loaded, sizeof loaded);
    if (n == 0 || n >= sizeof loaded) return;
    SetEnvironmentVariableA(loaded_variable, nullptr);
    testhooks_drives_inherited();
    std::string next(loaded);
    next.replace(next.size() - strlen("-charge"), std::string::npos, "-suite");
    HANDLE go = OpenEventA(SYNCHRONIZE, FALSE, next.c_str());
    HANDLE done = OpenEventA(EVENT_MODIFY_STATE, FALSE, loaded);
    if (done) SetEvent(done);
    if (go) WaitForSingleObject(go, 60000);
    if (done) CloseHandle(done);
    if (go) CloseHandle(go);
}
