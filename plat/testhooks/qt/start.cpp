// What a test program needs from the platform layer before its tests: the layer started
// headless with the common controls' classes, as the program's WinMain makes them, and
// fresh host folders for the tests' drives.
#include <sys/stat.h>
#include <unistd.h>
#include <cstdlib>
#include <string>
#include <windows.h>
#include <commctrl.h>
#include "platinit.h"
#include "plattest_fs.h"
#include "plattest_ui.h"

void plat_test_init(int *argc, char **argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (!getenv("XDG_RUNTIME_DIR")) {
        std::string runtime = "/tmp/quillon-runtime-" + std::to_string(getuid());
        mkdir(runtime.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 0);
    }
    plat_init(argc, argv);
    InitCommonControls();
}

std::string plat_test_temp_dir(void) {
    char tmpl[] = "/tmp/quillon-test-XXXXXX";
    return mkdtemp(tmpl) ? tmpl : "";
}
