// The progress bar ("msctls_progress32") as the program steps it: PBM_SETRANGE packs the
// bounds in 16-bit halves and returns the old range; PBM_STEPIT returns the old position and
// wraps past the maximum.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <vector>
#include "app/quillonid.h"
#include "dialogue.h"

namespace {

LRESULT pbm(HWND pb, UINT msg, WPARAM w = 0, LPARAM l = 0) {
    return SendMessageA(pb, msg, w, l);
}

} // namespace

// The bar is made and driven inside a dialog of the program.
TEST(Win32Progress, SteppingWrapsAsWindowsDoes) {
    InitCommonControls(); // the class exists once the program asks for the common controls
    dans_dialogue(DLG_APROPOS, [](HWND h) {
        HWND pb = CreateWindowExA(0, PROGRESS_CLASSA, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 100, 16,
                                  h, nullptr, GetModuleHandleA(nullptr), nullptr);
        EXPECT_NE(pb, nullptr);
        EXPECT_EQ(pbm(pb, PBM_SETRANGE, 0, MAKELPARAM(0, 100)), MAKELONG(0, 100));
        EXPECT_EQ(pbm(pb, PBM_SETRANGE, 0, MAKELPARAM(0, 60000)), MAKELONG(0, 100));
        EXPECT_EQ(pbm(pb, PBM_GETRANGE, FALSE), 60000);
        pbm(pb, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
        EXPECT_EQ(pbm(pb, PBM_SETSTEP, 10), 10);
        for (int i = 0; i < 10; ++i) EXPECT_EQ(pbm(pb, PBM_STEPIT), i * 10);
        EXPECT_EQ(pbm(pb, PBM_GETPOS), 100); // the maximum itself stays
        EXPECT_EQ(pbm(pb, PBM_STEPIT), 100);
        EXPECT_EQ(pbm(pb, PBM_GETPOS), 10); // past it, round from the minimum
        // Range 10-20: 17 + 6 is 23, which wraps to 13; below the minimum, round from the maximum.
        pbm(pb, PBM_SETRANGE, 0, MAKELPARAM(10, 20));
        EXPECT_EQ(pbm(pb, PBM_GETRANGE, TRUE), 10);
        EXPECT_EQ(pbm(pb, PBM_SETPOS, 17), 10);
        pbm(pb, PBM_SETSTEP, 6);
        EXPECT_EQ(pbm(pb, PBM_STEPIT), 17);
        EXPECT_EQ(pbm(pb, PBM_GETPOS), 13);
        pbm(pb, PBM_SETSTEP, (WPARAM)-5);
        EXPECT_EQ(pbm(pb, PBM_STEPIT), 13);
        EXPECT_EQ(pbm(pb, PBM_GETPOS), 18);
        int low, high, pos; // the test hook reads a bar, and only a bar
        EXPECT_TRUE(plat_test_progress(pb, &low, &high, &pos));
        EXPECT_EQ(std::vector<int>({low, high, pos}), std::vector<int>({10, 20, 18}));
        EXPECT_FALSE(plat_test_progress(h, &low, &high, &pos));
        EXPECT_TRUE(DestroyWindow(pb));
        EndDialog(h, 0);
    });
}
