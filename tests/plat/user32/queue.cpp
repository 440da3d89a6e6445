// Timers in modal loops, the progress bar's test hook, the code page's table (the queue and
// the bar's stepping: tests/win32/user32/queue.cpp, tests/win32/comctl32/progress.cpp).
#include <gtest/gtest.h>
#include <commctrl.h>
#include <string>
#include "app/quillonid.h"
#include "plattest_ui.h"
#include "kernel32/ansi.h"
#include "comctl32/progress.h"

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
TEST(PlatQueue, ThreadTimersFireInsideModalLoopsUntilKilled) {
    UINT_PTR id = SetTimer(nullptr, 0, 20, count_timer);
    ASSERT_NE(id, 0u);
    plat_test_push_dialog_handler([](HWND h, int) {
        plat_test_wait(150);
        EndDialog(h, 0);
    });
    DialogBoxParamA(
        GetModuleHandleA(nullptr), MAKEINTRESOURCE(DLG_APROPOS), nullptr,
        [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
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

// A bar whose bounds are equal stays there (no division by nought); the hook reads a bar and
// only a bar.
TEST(PlatQueue, ProgressBarWithEqualBoundsAndTheTestHook) {
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

// Every byte of Windows-1252 survives the trip to Unicode and back; the five undefined codes
// stand for the C1 controls; what the code page lacks comes back as '?'.
TEST(PlatQueue, Windows1252RoundTrip) {
    std::string all;
    for (int c = 0; c < 256; ++c) all.push_back((char)c);
    QString u = qstring_from_ansi(all);
    ASSERT_EQ(u.size(), 256);
    EXPECT_EQ(ansi_from_qstring(u), all);
    EXPECT_EQ(u.at(0x80).unicode(), 0x20AC); // euro
    EXPECT_EQ(u.at(0x92).unicode(), 0x2019); // right quote
    EXPECT_EQ(u.at(0x9F).unicode(), 0x0178); // Y diaeresis
    for (int c : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) EXPECT_EQ(u.at(c).unicode(), c);
    EXPECT_EQ(u.at(0xE9).unicode(), 0xE9);
    EXPECT_EQ(ansi_from_qstring(QString::fromUtf8("a\xe2\x82\xac\xe6\x97\xa5\xf0\x9f\x98\x80")),
              "a\x80??");
    EXPECT_EQ(ansi_lower(0xC9), 0xE9);
    EXPECT_EQ(ansi_lower(0xD7), 0xD7); // the multiplication sign has no case
    EXPECT_EQ(ansi_lower(0x8A), 0x9A);
}
