// Test entry point, the same on Linux and on Windows: the platform starts first, headless,
// with the test hooks in place.
#include <gtest/gtest.h>
#include "plattest_ui.h"

int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    plat_test_init(&argc, argv);
    return RUN_ALL_TESTS();
}
