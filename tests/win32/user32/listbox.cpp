// List boxes as the program fills and reads them, in its main window's layout: Windows' sorted
// insertion, and the selection messages of single and extended selection.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include <windows.h>
#include "app/quillonid.h"

namespace {

std::function<void(HWND)> body;
std::vector<WPARAM> notes; // the lists' WM_COMMAND

// The test's body runs once the dialog is made; the dialog ends there.
INT_PTR CALLBACK run_body(HWND h, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_COMMAND && LOWORD(wParam) >= IDD_FICHIERS && LOWORD(wParam) <= IDD_LECTEURS)
        notes.push_back(wParam);
    if (msg != WM_INITDIALOG) return FALSE;
    body(h);
    EndDialog(h, 0);
    return TRUE;
}

void in_main_window(std::function<void(HWND)> b) {
    body = std::move(b);
    notes.clear();
    EXPECT_EQ(DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCE(DLG_PRINCIPAL), nullptr,
                              run_body, 0),
              0);
}

LRESULT lb(HWND h, int id, UINT msg, WPARAM w = 0, LPARAM l = 0) {
    return SendDlgItemMessageA(h, id, msg, w, l);
}

std::vector<std::string> entries(HWND h, int id) {
    std::vector<std::string> out;
    for (int i = 0; i < lb(h, id, LB_GETCOUNT); ++i) {
        std::string s(lb(h, id, LB_GETTEXTLEN, i), '\0');
        EXPECT_EQ(lb(h, id, LB_GETTEXT, i, (LPARAM)&s[0]), (LRESULT)s.size());
        out.push_back(s);
    }
    return out;
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
            EXPECT_EQ(entries(h, IDD_FICHIERS)[at], n);
        }
        std::vector<std::string> sorted = {"[..]",        "alpha",     "ALPHA2",  "b", "Beta.TXT",
                                           "\xe9l\xe8ve", "\xc9t\xe9", "zeta.txt"};
        EXPECT_EQ(entries(h, IDD_FICHIERS), sorted);
        for (const char *n : {"[C:]", "[A:]"}) lb(h, IDD_LECTEURS, LB_ADDSTRING, 0, (LPARAM)n);
        EXPECT_EQ(entries(h, IDD_LECTEURS), (std::vector<std::string>{"[C:]", "[A:]"}));
        EXPECT_EQ(lb(h, IDD_FICHIERS, LB_GETTEXTLEN, 99), LB_ERR);
        lb(h, IDD_FICHIERS, LB_RESETCONTENT);
        EXPECT_EQ(lb(h, IDD_FICHIERS, LB_GETCOUNT), 0);
    });
}

// Extended selection as the program sets and reads it: no notification for its own changes;
// the messages of single selection fail there.
TEST(Win32ListBox, ExtendedSelectionByMessages) {
    in_main_window([](HWND h) {
        for (const char *n : {"a", "b", "c", "d", "e", "f"})
            lb(h, IDD_FICHIERS, LB_ADDSTRING, 0, (LPARAM)n);
        EXPECT_EQ(lb(h, IDD_FICHIERS, LB_GETSELCOUNT), 0);
        for (int i : {1, 3, 5}) EXPECT_EQ(lb(h, IDD_FICHIERS, LB_SETSEL, TRUE, i), 0);
        int items[8];
        ASSERT_EQ(lb(h, IDD_FICHIERS, LB_GETSELITEMS, 8, (LPARAM)items), 3);
        EXPECT_EQ(items[0], 1);
        EXPECT_EQ(items[1], 3);
        EXPECT_EQ(items[2], 5);
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
    });
}

// Single selection: LB_GETCURSEL gives the entry or LB_ERR; LB_GETSELCOUNT and
// LB_GETSELITEMS, which are for multiple selection, fail there.
TEST(Win32ListBox, SingleSelectionByMessages) {
    in_main_window([](HWND h) {
        EXPECT_EQ(lb(h, IDD_REPERTOIRES, LB_GETCURSEL), LB_ERR);
        for (const char *n : {"[..]", "[sub]", "[autre]"})
            lb(h, IDD_REPERTOIRES, LB_ADDSTRING, 0, (LPARAM)n);
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
    });
}

// A list is widened to its longest entry as the program does it: the entries measured in the
// list's own font (WM_GETFONT, SelectObject, GetTextExtentPoint32A), the width given to the
// list (LB_SETHORIZONTALEXTENT), which scrolls sideways when it has WS_HSCROLL.
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
        EXPECT_GT(narrow.cx, 0);
        EXPECT_GT(wide.cx, narrow.cx);
        EXPECT_EQ(wide.cy, narrow.cy);
        EXPECT_EQ(none.cx, 0); // an empty text has no size at all
        EXPECT_EQ(none.cy, 0);
        EXPECT_EQ(SelectObject(dc, before), font);
        EXPECT_EQ(ReleaseDC(list, dc), 1);
        EXPECT_EQ(lb(h, IDD_FICHIERS, LB_GETHORIZONTALEXTENT), 0);
        lb(h, IDD_FICHIERS, LB_SETHORIZONTALEXTENT, 500);
        EXPECT_EQ(lb(h, IDD_FICHIERS, LB_GETHORIZONTALEXTENT), 500);
    });
}
