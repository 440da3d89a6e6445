// Start of a test program on Windows: the dialog hook in place on the test's thread, and the
// common controls registered, as the program's own start registers them.
#include <windows.h>
#include <cstdlib>
#include "plattest_ui.h"
#include "testhooks/handlers.h"
#include "testhooks/win32/wrapped.h"

void plat_test_init(int *, char **) {
    // A failing test must not stop on the system's error boxes: it reports and ends.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    testhooks_install_ui();
    if (!testhooks_under_wine()) return;
    // Under Wine a test's folder becomes C:, where Wine keeps its system folder and the
    // temporary one (fs_hooks.cpp): the libraries that the dialogs and the shell load on
    // demand are loaded now, and the temporary folder is reached by Wine's host name.
    for (const char *library :
         {"ole32.dll",  "oleaut32.dll",      "rpcrt4.dll",   "combase.dll", "uxtheme.dll",
          "msctf.dll",  "comdlg32.dll",      "comctl32.dll", "shell32.dll", "shlwapi.dll",
          "shcore.dll", "propsys.dll",       "winspool.drv", "imm32.dll",   "usp10.dll",
          "dwmapi.dll", "explorerframe.dll", "actxprxy.dll", "version.dll", "msimg32.dll"})
        LoadLibraryA(library);
    // The shell's dialogs reach COM, whose service (RpcSs) Wine starts on first need: it is
    // started now, while Wine's own drive C: is there to start it from.
    if (SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT)) {
        if (SC_HANDLE rpcss = OpenServiceA(manager, "RpcSs", SERVICE_START)) {
            StartServiceA(rpcss, 0, nullptr);
            CloseServiceHandle(rpcss);
        }
        CloseServiceHandle(manager);
    }
    testhooks_child_loaded();
    // The tests that make their own folder in the temporary one (tests/support/tempfolder.h)
    // want it on Wine's drive, where names ignore case as on Windows: they find it here.
    char wine_temp[MAX_PATH];
    DWORD n = GetTempPathA(sizeof wine_temp, wine_temp);
    if (n > 0 && n < sizeof wine_temp) _putenv_s("QUILLON_DRIVE_TEMP", wine_temp);
    for (const char *name : {"TMP", "TEMP"}) {
        _putenv_s(name, "\\\\?\\unix\\tmp");
        SetEnvironmentVariableA(name, "\\\\?\\unix\\tmp");
    }
}
