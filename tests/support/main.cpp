// Test entry point, the same on Linux and on Windows: the platform starts first, with the test
// hooks in place; a child started for a test's work does only that work. A guard fails the
// test under way, naming it, when the user interface thread is stuck outside the program's
// commands (a layout that never settles, a dialog that nobody ends), rather than letting it
// wait for CTest's time-out.
#include <gtest/gtest.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
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

namespace {

std::mutex verrou;
std::string test_en_cours;

struct NommeLeTest : testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo &t) override {
        std::lock_guard<std::mutex> l(verrou);
        test_en_cours = std::string(t.test_suite_name()) + "." + t.name();
    }
};

// The limit leaves room for the program's longest wait, its transient message (5 s).
void garde() {
    const long limite_ms = 10000;
    for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        long tenu = plat_test_held_ms();
        if (tenu < limite_ms) continue;
        std::lock_guard<std::mutex> l(verrou);
        fprintf(stderr,
                "[  HANG    ] %s: the user interface thread has been stuck for %ld s outside "
                "the program's commands\n",
                test_en_cours.c_str(), tenu / 1000);
        fflush(stderr);
        std::_Exit(1);
    }
}

} // namespace

int main(int argc, char **argv) {
    // A death test's child is a program of its own, not a copy of its parent: a copy would
    // share its parent's connection to the display, which the child's windows would wedge.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    testing::InitGoogleTest(&argc, argv);
    plat_test_init(&argc, argv);
    fait_travail_enfant(argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new NommeLeTest);
    std::thread(garde).detach();
    return RUN_ALL_TESTS();
}
