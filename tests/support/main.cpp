// Test entry point: every test runs headless, and the platform layer starts first, as it
// does in the program; the common controls' classes exist, as the program's WinMain makes them.
#include <gtest/gtest.h>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <windows.h>
#include <commctrl.h>
#include "platinit.h"

// A sanitizer's report ends the process with a status of its own, never 1: a death test that
// expects the program's fatal exit (status 1) must not pass when the program crashed instead.
extern "C" const char *__asan_default_options() {
    return "exitcode=86";
}
extern "C" const char *__ubsan_default_options() {
    return "exitcode=86";
}

int main(int argc, char **argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (!getenv("XDG_RUNTIME_DIR")) {
        std::string runtime = "/tmp/quillon-runtime-" + std::to_string(getuid());
        mkdir(runtime.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 0);
    }
    testing::InitGoogleTest(&argc, argv);
    plat_init(&argc, argv);
    InitCommonControls();
    return RUN_ALL_TESTS();
}
