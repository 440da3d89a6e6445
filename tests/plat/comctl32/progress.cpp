// The progress bar's guard (its stepping as Windows has it, and the test hook:
// tests/win32/comctl32/progress.cpp).
#include <gtest/gtest.h>
#include "comctl32/progress.h"

// A bar whose bounds are equal stays there: no division by nought.
TEST(PlatProgress, EqualBoundsStayPut) {
    EXPECT_EQ(progress_wrap(9, 5, 5), 5);
}
