// The functions the test program reaches through the hooks (linker option --wrap on their
// import pointers, __imp__Name@bytes): each records what the tests read, then calls Windows.
#include <map>
#include <set>
#include <utility>
#include "testhooks/win32/wrapped.h"

namespace {
int template_next = 0;
std::map<HWND, int> templates;
int beeps = 0;
std::set<std::pair<HWND, UINT_PTR>> timers;
} // namespace

WRAPPED(INT_PTR, DialogBoxParamA, 20,
        (HINSTANCE hInst, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param)) {
    int before = template_next;
    template_next = IS_INTRESOURCE(name) ? (int)(ULONG_PTR)name : 0;
    INT_PTR result = real_DialogBoxParamA(hInst, name, owner, proc, param);
    template_next = before;
    return result;
}

WRAPPED(BOOL, MessageBeep, 4, (UINT type)) {
    ++beeps;
    return real_MessageBeep(type);
}

WRAPPED(UINT_PTR, SetTimer, 16, (HWND hWnd, UINT_PTR id, UINT ms, TIMERPROC proc)) {
    UINT_PTR made = real_SetTimer(hWnd, id, ms, proc);
    if (made != 0) timers.insert({hWnd, hWnd ? id : made});
    return made;
}

WRAPPED(BOOL, KillTimer, 8, (HWND hWnd, UINT_PTR id)) {
    BOOL ok = real_KillTimer(hWnd, id);
    if (ok) timers.erase({hWnd, id});
    return ok;
}

void testhooks_dialog_initialised(HWND hDlg) {
    templates[hDlg] = template_next;
    template_next = 0; // the dialogs it opens in turn are others
}

int testhooks_template_of(HWND hDlg) {
    auto it = templates.find(hDlg);
    return it == templates.end() ? 0 : it->second;
}

int testhooks_beeps(void) {
    return beeps;
}

// A window's timers end with it.
int testhooks_timers_alive(void) {
    int n = 0;
    for (auto &t : timers) n += t.first == nullptr || IsWindow(t.first);
    return n;
}

UINT_PTR testhooks_real_SetTimer(HWND hWnd, UINT_PTR id, UINT ms, TIMERPROC proc) {
    return real_SetTimer(hWnd, id, ms, proc);
}

BOOL testhooks_real_KillTimer(HWND hWnd, UINT_PTR id) {
    return real_KillTimer(hWnd, id);
}
