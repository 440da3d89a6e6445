// The progress bar's guard and its test hook (its stepping as Windows has it:
// tests/win32/comctl32/progress.cpp).
#include <gtest/gtest.h>
#include <commctrl.h>
#include "app/quillonid.h"
#include "comctl32/progress.h"
#include "plattest_ui.h"

// A bar whose bounds are equal stays there (no division by nought); the hook reads a bar and
// only a bar.
TEST(PlatProgress, EqualBoundsAndTheTestHook) {
    EXPECT_EQ(progress_wrap(9, 5, 5), 5);
    plat_test_push_dialog_handler([](HWND h, int) {
        HWND pb = CreateWindowExA(0, PROGRESS_CLASSA, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 100, 16,
                                  h, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(pb, nullptr);
        SendMessageA(pb, PBM_SETRANGE, 0, MAKELPARAM(10, 20));
        SendMessageA(pb, PBM_SETPOS, 15, 0);
        int low, high, pos;
        ASSERT_TRUE(plat_test_progress(pb, &low, &high, &pos));
        EXPECT_EQ(low, 10);
        EXPECT_EQ(high, 20);
        EXPECT_EQ(pos, 15);
        EXPECT_FALSE(plat_test_progress(h, &low, &high, &pos));
        EndDialog(h, 0);
    });
    DialogBoxParamA(
        GetModuleHandleA(nullptr), MAKEINTRESOURCE(DLG_APROPOS), nullptr,
        [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
}
