// The thread's message queue as Windows has it.
#include <gtest/gtest.h>
#include <windows.h>

// PM_NOREMOVE looks without taking, PM_REMOVE with a range takes only such messages; WM_QUIT
// comes once the queue holds nothing else and ends GetMessageA's loop.
TEST(Win32Queue, PeekFiltersAndGetStopsAtQuit) {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    } // whatever the start left
    PostMessageA(nullptr, WM_USER + 1, 7, 8);
    PostMessageA(nullptr, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(m.message, (UINT)WM_USER + 1);
    EXPECT_EQ(m.lParam, 8);
    EXPECT_TRUE(PeekMessageA(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
    EXPECT_EQ(m.message, (UINT)WM_KEYDOWN);
    EXPECT_EQ(m.wParam, (WPARAM)VK_ESCAPE);
    EXPECT_FALSE(PeekMessageA(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
    PostQuitMessage(4);
    ASSERT_TRUE(GetMessageA(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, (UINT)WM_USER + 1);
    EXPECT_EQ(m.wParam, (WPARAM)7);
    EXPECT_FALSE(GetMessageA(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, (UINT)WM_QUIT);
    EXPECT_EQ(m.wParam, (WPARAM)4);
    EXPECT_FALSE(PostMessageA((HWND)(uintptr_t)0x1234, WM_USER, 0, 0)); // no such window
}
