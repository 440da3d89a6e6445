// List boxes as the user drives them, through the test hooks: selection by clicks and its
// notifications.
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>
#include <windows.h>
#include "app/quillonid.h"
#include "plattest_ui.h"

namespace {

std::vector<WPARAM> notes; // WM_COMMAND of the lists

INT_PTR CALLBACK keep_notes(HWND, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_COMMAND && LOWORD(wParam) >= IDD_FICHIERS && LOWORD(wParam) <= IDD_LECTEURS)
        notes.push_back(wParam);
    return msg == WM_INITDIALOG;
}

void in_main_window(const std::function<void(HWND)> &body) {
    notes.clear();
    plat_test_push_dialog_handler([&](HWND h, int) {
        body(h);
        EndDialog(h, 0);
    });
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCE(DLG_PRINCIPAL), nullptr, keep_notes,
                    0);
}

LRESULT lb(HWND h, int id, UINT msg, WPARAM w = 0, LPARAM l = 0) {
    return SendDlgItemMessageA(h, id, msg, w, l);
}

} // namespace

// Extended selection: click selects one, Shift-click a range from the anchor, Ctrl-click
// toggles one; the user's changes notify LBN_SELCHANGE.
TEST(Win32ListBoxClicks, ExtendedSelectionWithShiftAndCtrl) {
    in_main_window([](HWND h) {
        for (const char *n : {"a", "b", "c", "d", "e", "f"})
            lb(h, IDD_FICHIERS, LB_ADDSTRING, 0, (LPARAM)n);
        EXPECT_EQ(lb(h, IDD_FICHIERS, LB_GETSELCOUNT), 0);
        plat_test_select(h, IDD_FICHIERS, 1, 0);
        plat_test_select(h, IDD_FICHIERS, 3, PLAT_MOD_SHIFT);
        plat_test_select(h, IDD_FICHIERS, 5, PLAT_MOD_CTRL);
        plat_test_select(h, IDD_FICHIERS, 2, PLAT_MOD_CTRL);
        int items[8];
        // 1, then 1 to 3, then 5 added, then 2 taken away.
        ASSERT_EQ(lb(h, IDD_FICHIERS, LB_GETSELITEMS, 8, (LPARAM)items), 3);
        EXPECT_EQ(items[0], 1);
        EXPECT_EQ(items[1], 3);
        EXPECT_EQ(items[2], 5);
        // Each click tells the change (the list may also tell it took the focus).
        EXPECT_GE(std::count(notes.begin(), notes.end(), MAKEWPARAM(IDD_FICHIERS, LBN_SELCHANGE)),
                  4);
    });
}

// Single selection by clicks; a double-click notifies LBN_DBLCLK (LBS_NOTIFY).
TEST(Win32ListBoxClicks, SingleSelectionAndDoubleClick) {
    in_main_window([](HWND h) {
        for (const char *n : {"[..]", "[sub]", "[autre]"})
            lb(h, IDD_REPERTOIRES, LB_ADDSTRING, 0, (LPARAM)n);
        plat_test_select(h, IDD_REPERTOIRES, 2, 0);
        EXPECT_EQ(lb(h, IDD_REPERTOIRES, LB_GETCURSEL), 2);
        plat_test_select(h, IDD_REPERTOIRES, 0, 0);
        EXPECT_EQ(lb(h, IDD_REPERTOIRES, LB_GETCURSEL), 0);
        notes.clear();
        plat_test_double_click(h, IDD_REPERTOIRES, 1);
        EXPECT_EQ(lb(h, IDD_REPERTOIRES, LB_GETCURSEL), 1);
        ASSERT_FALSE(notes.empty());
        EXPECT_EQ(notes.back(), MAKEWPARAM(IDD_REPERTOIRES, LBN_DBLCLK));
    });
}
