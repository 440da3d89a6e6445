// Test entry point, the same on Linux and on Windows: the platform starts first, headless,
// with the test hooks in place; a child started for a test's work does only that work.
#include <gtest/gtest.h>
#include "enfant.h"
#include "plattest_ui.h"

// A sanitizer's report ends the process with a status of its own, never 1: a death test that
// expects the program's fatal exit (status 1) must not pass when the program crashed instead.
extern "C" const char *__asan_default_options() {
    return "exitcode=86";
}
extern "C" const char *__ubsan_default_options() {
    return "exitcode=86";
}

int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    plat_test_init(&argc, argv);
    fait_travail_enfant(argc, argv);
    return RUN_ALL_TESTS();
}
