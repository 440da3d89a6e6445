// Thread timers as Windows runs them: from whatever message loop the thread is in.
#include <gtest/gtest.h>
#include <windows.h>
#include "app/quillonid.h"
#include "dialogue.h"

namespace {
int fired = 0;
UINT_PTR fired_id = 0;
void CALLBACK count_timer(HWND, UINT msg, UINT_PTR id, DWORD) {
    EXPECT_EQ(msg, (UINT)WM_TIMER);
    fired_id = id;
    ++fired;
}
} // namespace

// A thread timer fires repeatedly from whatever loop runs, a modal dialog's included, until
// KillTimer, which also takes back a WM_TIMER already waiting.
TEST(Win32Timers, ThreadTimersFireInsideModalLoopsUntilKilled) {
    UINT_PTR id = SetTimer(nullptr, 0, 20, count_timer);
    ASSERT_NE(id, 0u);
    dans_dialogue(DLG_APROPOS, [](HWND h) {
        plat_test_wait(150);
        EndDialog(h, 0);
    });
    EXPECT_GE(fired, 2);
    EXPECT_EQ(fired_id, id);
    // Any loop that runs dispatches it, the test's own waiting included.
    int before = fired;
    MSG m;
    plat_test_wait(40);
    EXPECT_GT(fired, before);
    EXPECT_TRUE(KillTimer(nullptr, id));
    EXPECT_FALSE(KillTimer(nullptr, id));
    before = fired;
    plat_test_wait(60);
    EXPECT_EQ(fired, before);
    EXPECT_FALSE(PeekMessageA(&m, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE));
    EXPECT_EQ(plat_test_timer_count(), 0);
}
