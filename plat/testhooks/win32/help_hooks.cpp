// The help seen from the tests on Windows: the program hands its help document to the shell,
// which opens it in the user's browser. The tests start no browser: opening a document is
// answered here as the shell answers when a program is registered for it (success when the
// document can be read, "file not found" otherwise), and the document handed over is kept.
// The real shell and a registered stand-in browser are tried by tests/windows/programme.cpp.
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <cstring>
#include <string>
#include "plattest_fs.h"
#include "plattest_help.h"
#include "testhooks/win32/wrapped.h"

namespace {
PlatHelpState shown = [] {
    PlatHelpState s;
    s.own_viewer = false;
    return s;
}();
bool com = false;
} // namespace

WRAPPED(HINSTANCE, ShellExecuteA, 24,
        (HWND hWnd, LPCSTR verb, LPCSTR file, LPCSTR params, LPCSTR dir, INT show)) {
    // A thread already in a single-threaded apartment answers S_FALSE, and the call is undone.
    HRESULT essai = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    com = essai == S_FALSE;
    if (SUCCEEDED(essai)) CoUninitialize();
    const char *ext = file ? strrchr(file, '.') : nullptr;
    bool document = ext && (lstrcmpiA(ext, ".htm") == 0 || lstrcmpiA(ext, ".html") == 0) &&
                    (verb == nullptr || strcmp(verb, "open") == 0);
    if (!document) return real_ShellExecuteA(hWnd, verb, file, params, dir, show);
    HANDLE f = CreateFileA(file, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return (HINSTANCE)SE_ERR_FNF;
    std::string text;
    char buf[4096];
    DWORD n = 0;
    while (ReadFile(f, buf, sizeof buf, &n, nullptr) && n > 0) text.append(buf, n);
    CloseHandle(f);
    shown.windows = 1;
    shown.visible = show != SW_HIDE;
    shown.page = plat_test_host_path(file);
    shown.text = text;
    shown.scroll = 0;
    return (HINSTANCE)33;
}

// The document last opened: its text as the file holds it (the browser's title and scroll
// position are not the program's to know).
PlatHelpState plat_test_help_state(void) {
    return shown;
}

bool plat_test_help_com(void) {
    return com;
}

// Following links is the browser's: no link is clicked.
bool plat_test_help_click_link(const char *) {
    return false;
}
