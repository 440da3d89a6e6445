// List boxes as the program fills and reads them, in its main window's layout, and as the user
// clicks them: Windows' sorted insertion, the selection messages of single and extended
// selection, clicks and their notifications, the width of the longest entry.
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>
#include <windows.h>
#include "app/quillonid.h"
#include "dialogue.h"

namespace {

std::vector<WPARAM> notes; // the lists' WM_COMMAND

INT_PTR CALLBACK keep_notes(HWND, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_COMMAND && LOWORD(wParam) >= IDD_FICHIERS && LOWORD(wParam) <= IDD_LECTEURS)
        notes.push_back(wParam);
    return msg == WM_INITDIALOG;
}

void in_main_window(const std::function<void(HWND)> &body) {
    notes.clear();
    EXPECT_EQ(dans_dialogue(
                  DLG_PRINCIPAL,
                  [&](HWND h) {
                      body(h);
                      EndDialog(h, 0);
                  },
                  keep_notes),
              0);
}

LRESULT lb(HWND h, int id, UINT msg, WPARAM w = 0, LPARAM l = 0) {
    return SendDlgItemMessageA(h, id, msg, w, l);
}

void fill(HWND h, int id, const std::vector<const char *> &names) {
    for (const char *n : names) lb(h, id, LB_ADDSTRING, 0, (LPARAM)n);
}

} // namespace

// LBS_SORT puts each entry at its place in the user's collation, which ignores case and sorts
// an accented letter with its base letter; the unsorted list keeps the insertion order.
TEST(Win32ListBox, SortedListsIgnoreCaseAndAccents) {
    in_main_window([](HWND h) {
        const char *names[] = {"zeta.txt",    "Beta.TXT", "alpha", "\xc9t\xe9",
                               "\xe9l\xe8ve", "ALPHA2",   "b",     "[..]"};
        for (const char *n : names) {
            LRESULT at = lb(h, IDD_FICHIERS, LB_ADDSTRING, 0, (LPARAM)n);
            EXPECT_EQ(entrees(h, IDD_FICHIERS)[at], n);
        }
        std::vector<std::string> sorted = {"[..]",     "alpha",       "ALPHA2",    "b",
                                           "Beta.TXT", "\xe9l\xe8ve", "\xc9t\xe9", "zeta.txt"};
        EXPECT_EQ(entrees(h, IDD_FICHIERS), sorted);
        fill(h, IDD_LECTEURS, {"[C:]", "[A:]"});
        EXPECT_EQ(entrees(h, IDD_LECTEURS), (std::vector<std::string>{"[C:]", "[A:]"}));
        EXPECT_EQ(lb(h, IDD_FICHIERS, LB_GETTEXTLEN, 99), LB_ERR);
        lb(h, IDD_FICHIERS, LB_RESETCONTENT);
        EXPECT_EQ(lb(h, IDD_FICHIERS, LB_GETCOUNT), 0);
    });
}

// Extended selection as the program sets and reads it, without notification for its own
// changes (the messages of single selection fail there); then as the user makes it: click
// selects one, Shift-click a range from the anchor, Ctrl-click toggles one, and each of the
// user's changes notifies LBN_SELCHANGE.
TEST(Win32ListBox, ExtendedSelection) {
    in_main_window([](HWND h) {
        fill(h, IDD_FICHIERS, {"a", "b", "c", "d", "e", "f"});
        EXPECT_EQ(lb(h, IDD_FICHIERS, LB_GETSELCOUNT), 0);
        for (int i : {1, 3, 5}) EXPECT_EQ(lb(h, IDD_FICHIERS, LB_SETSEL, TRUE, i), 0);
        int items[8];
        ASSERT_EQ(lb(h, IDD_FICHIERS, LB_GETSELITEMS, 8, (LPARAM)items), 3);
        EXPECT_EQ(std::vector<int>(items, items + 3), (std::vector<int>{1, 3, 5}));
        EXPECT_EQ(lb(h, IDD_FICHIERS, LB_GETSELITEMS, 2, (LPARAM)items), 2); // at most what fits
        EXPECT_GT(lb(h, IDD_FICHIERS, LB_GETSEL, 3), 0);
        EXPECT_EQ(lb(h, IDD_FICHIERS, LB_GETSEL, 2), 0);
        EXPECT_EQ(lb(h, IDD_FICHIERS, LB_GETSEL, 9), LB_ERR);
        EXPECT_EQ(lb(h, IDD_FICHIERS, LB_SETSEL, FALSE, 3), 0);
        EXPECT_EQ(lb(h, IDD_FICHIERS, LB_GETSELCOUNT), 2);
        lb(h, IDD_FICHIERS, LB_SETSEL, TRUE, -1); // -1: every entry
        EXPECT_EQ(lb(h, IDD_FICHIERS, LB_GETSELCOUNT), 6);
        lb(h, IDD_FICHIERS, LB_SETSEL, FALSE, -1);
        EXPECT_EQ(lb(h, IDD_FICHIERS, LB_GETSELCOUNT), 0);
        EXPECT_EQ(lb(h, IDD_FICHIERS, LB_SETCURSEL, 1), LB_ERR);
        EXPECT_TRUE(notes.empty());

        plat_test_select(h, IDD_FICHIERS, 1, 0);
        plat_test_select(h, IDD_FICHIERS, 3, PLAT_MOD_SHIFT);
        plat_test_select(h, IDD_FICHIERS, 5, PLAT_MOD_CTRL);
        plat_test_select(h, IDD_FICHIERS, 2, PLAT_MOD_CTRL);
        // 1, then 1 to 3, then 5 added, then 2 taken away.
        ASSERT_EQ(lb(h, IDD_FICHIERS, LB_GETSELITEMS, 8, (LPARAM)items), 3);
        EXPECT_EQ(std::vector<int>(items, items + 3), (std::vector<int>{1, 3, 5}));
        // (The list may also tell that it took the focus.)
        EXPECT_GE(std::count(notes.begin(), notes.end(), MAKEWPARAM(IDD_FICHIERS, LBN_SELCHANGE)),
                  4);
        // Entries selected one by one with Ctrl, then one of them taken away.
        plat_test_select(h, IDD_FICHIERS, 0, 0);
        for (int i = 1; i < 6; ++i) plat_test_select(h, IDD_FICHIERS, i, PLAT_MOD_CTRL);
        plat_test_select(h, IDD_FICHIERS, 2, PLAT_MOD_CTRL);
        EXPECT_EQ(lb(h, IDD_FICHIERS, LB_GETSELCOUNT), 5);
        ASSERT_EQ(lb(h, IDD_FICHIERS, LB_GETSELITEMS, 8, (LPARAM)items), 5);
        EXPECT_EQ(std::vector<int>(items, items + 5), (std::vector<int>{0, 1, 3, 4, 5}));
    });
}

// Single selection: LB_GETCURSEL gives the entry or LB_ERR; LB_GETSELCOUNT and
// LB_GETSELITEMS, which are for multiple selection, fail there; no notification for the
// program's own changes. Then clicks, and a double-click notifies LBN_DBLCLK (LBS_NOTIFY).
TEST(Win32ListBox, SingleSelection) {
    in_main_window([](HWND h) {
        EXPECT_EQ(lb(h, IDD_REPERTOIRES, LB_GETCURSEL), LB_ERR);
        fill(h, IDD_REPERTOIRES, {"[..]", "[sub]", "[autre]"});
        EXPECT_EQ(lb(h, IDD_REPERTOIRES, LB_GETCURSEL), LB_ERR);
        EXPECT_EQ(lb(h, IDD_REPERTOIRES, LB_SETCURSEL, 2), 2);
        EXPECT_EQ(lb(h, IDD_REPERTOIRES, LB_GETCURSEL), 2);
        EXPECT_EQ(lb(h, IDD_REPERTOIRES, LB_SETCURSEL, (WPARAM)-1), LB_ERR); // none selected
        EXPECT_EQ(lb(h, IDD_REPERTOIRES, LB_GETCURSEL), LB_ERR);
        EXPECT_EQ(lb(h, IDD_REPERTOIRES, LB_SETCURSEL, 7), LB_ERR);
        EXPECT_EQ(lb(h, IDD_REPERTOIRES, LB_GETSELCOUNT), LB_ERR);
        int items[4];
        EXPECT_EQ(lb(h, IDD_REPERTOIRES, LB_GETSELITEMS, 4, (LPARAM)items), LB_ERR);
        EXPECT_TRUE(notes.empty());

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

// A list is widened to its longest entry as the program does it: the entries measured in the
// list's own font (WM_GETFONT, SelectObject, GetTextExtentPoint32A), the width given to the
// list (LB_SETHORIZONTALEXTENT), which scrolls sideways when it has WS_HSCROLL. Each scroll bar
// shows while the contents need it, and only then; the client area lies inside the bars.
TEST(Win32ListBox, HorizontalExtentMeasuredInTheListsFont) {
    in_main_window([](HWND h) {
        HWND list = GetDlgItem(h, IDD_FICHIERS);
        HDC dc = GetDC(list);
        ASSERT_NE(dc, nullptr);
        HGDIOBJ font = (HGDIOBJ)SendMessageA(list, WM_GETFONT, 0, 0);
        ASSERT_NE(font, nullptr); // the dialog's font, given to its controls
        HGDIOBJ before = SelectObject(dc, font);
        EXPECT_NE(before, nullptr);
        SIZE narrow, wide, none;
        ASSERT_TRUE(GetTextExtentPoint32A(dc, "iiii", 4, &narrow));
        ASSERT_TRUE(GetTextExtentPoint32A(dc, "WWWWxx", 4, &wide)); // the count is what counts
        ASSERT_TRUE(GetTextExtentPoint32A(dc, "", 0, &none));
        // A text is as wide as its characters together: no pair is kerned closer.
        SIZE a, v, pairs;
        ASSERT_TRUE(GetTextExtentPoint32A(dc, "A", 1, &a));
        ASSERT_TRUE(GetTextExtentPoint32A(dc, "V", 1, &v));
        ASSERT_TRUE(GetTextExtentPoint32A(dc, "AVAV", 4, &pairs));
        EXPECT_EQ(pairs.cx, 2 * (a.cx + v.cx));
        EXPECT_GT(narrow.cx, 0);
        EXPECT_GT(wide.cx, narrow.cx);
        EXPECT_EQ(wide.cy, narrow.cy);
        EXPECT_EQ(none.cx, 0); // an empty text has no size at all
        EXPECT_EQ(none.cy, 0);
        EXPECT_EQ(SelectObject(dc, before), font);
        EXPECT_EQ(ReleaseDC(list, dc), 1);
        EXPECT_EQ(lb(h, IDD_FICHIERS, LB_GETHORIZONTALEXTENT), 0);
        verifie_barres(list, "empty");
        lb(h, IDD_FICHIERS, LB_SETHORIZONTALEXTENT, 500);
        EXPECT_EQ(lb(h, IDD_FICHIERS, LB_GETHORIZONTALEXTENT), 500);
        plat_test_wait(50);
        verifie_barres(list, "extent 500");
        lb(h, IDD_FICHIERS, LB_SETHORIZONTALEXTENT, 0);
        for (int i = 0; i < 40; ++i) fill(h, IDD_FICHIERS, {"entry"});
        plat_test_wait(50);
        verifie_barres(list, "40 entries");
    });
}
