// What a test program needs from the platform layer before its tests: the layer started with
// the hooks in place and the common controls' classes, as the program's WinMain makes them,
// and fresh host folders for the tests' drives. A copy of the test program started for a
// test's work takes that test's drives back first. The display is the one QT_QPA_PLATFORM names
// (make test gives each test a real one); without it, the headless one.
#include <sys/stat.h>
#include <unistd.h>
#include <cstdlib>
#include <string>
#include <windows.h>
#include <commctrl.h>
#include "kernel32/drives.h"
#include "platinit.h"
#include "plattest_fs.h"
#include "plattest_ui.h"
#include "testhooks/handlers.h"

void plat_test_init(int *argc, char **argv) {
    fs_take_inherited_drives();
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (!getenv("XDG_RUNTIME_DIR")) {
        std::string runtime = "/tmp/quillon-runtime-" + std::to_string(getuid());
        mkdir(runtime.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 0);
    }
    plat_init(argc, argv);
    testhooks_install_ui();
    InitCommonControls();
}

std::string plat_test_temp_dir(void) {
    char tmpl[] = "/tmp/quillon-test-XXXXXX";
    return mkdtemp(tmpl) ? tmpl : "";
}
