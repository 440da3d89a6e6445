// List boxes and the list view as the program drives them, with Windows' rules for sorting,
// selection and notifications.
#include <gtest/gtest.h>
#include <commctrl.h>
#include <string>
#include <vector>
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

// LBS_SORT inserts each entry at its place ignoring case (Windows-1252 letters included);
// the unsorted list keeps the insertion order.
TEST(PlatListBox, SortedListsIgnoreCaseAndOthersKeepTheirOrder) {
    in_main_window([](HWND h) {
        const char *names[] = {"zeta.txt",    "Beta.TXT", "alpha", "\xc9t\xe9",
                               "\xe9l\xe8ve", "ALPHA2",   "b"};
        for (const char *n : names) {
            LRESULT at = lb(h, IDD_FICHIERS, LB_ADDSTRING, 0, (LPARAM)n);
            EXPECT_EQ(entries(h, IDD_FICHIERS)[at], n);
        }
        std::vector<std::string> sorted = {"alpha",    "ALPHA2",      "b",        "Beta.TXT",
                                           "zeta.txt", "\xe9l\xe8ve", "\xc9t\xe9"};
        EXPECT_EQ(entries(h, IDD_FICHIERS), sorted);
        for (const char *n : {"[C:]", "[A:]"}) lb(h, IDD_LECTEURS, LB_ADDSTRING, 0, (LPARAM)n);
        EXPECT_EQ(entries(h, IDD_LECTEURS), (std::vector<std::string>{"[C:]", "[A:]"}));
        EXPECT_EQ(lb(h, IDD_FICHIERS, LB_GETTEXTLEN, 99), LB_ERR);
        lb(h, IDD_FICHIERS, LB_RESETCONTENT);
        EXPECT_EQ(lb(h, IDD_FICHIERS, LB_GETCOUNT), 0);
    });
}

// Extended selection: click selects one, Shift-click a range from the anchor, Ctrl-click
// toggles one; only the user's changes notify LBN_SELCHANGE.
TEST(PlatListBox, ExtendedSelectionWithShiftAndCtrl) {
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
        EXPECT_EQ(lb(h, IDD_FICHIERS, LB_GETSELITEMS, 2, (LPARAM)items), 2); // at most what fits
        EXPECT_EQ(lb(h, IDD_FICHIERS, LB_GETSELCOUNT), 3);
        EXPECT_GT(lb(h, IDD_FICHIERS, LB_GETSEL, 3), 0);
        EXPECT_EQ(lb(h, IDD_FICHIERS, LB_GETSEL, 2), 0);
        EXPECT_EQ(lb(h, IDD_FICHIERS, LB_GETSEL, 9), LB_ERR);
        size_t user_notes = notes.size();
        EXPECT_GE(user_notes, 4u);
        for (WPARAM n : notes) EXPECT_EQ(n, MAKEWPARAM(IDD_FICHIERS, LBN_SELCHANGE));
        // The program deselects as it goes (FALSE), or everything at once (-1); no notice.
        EXPECT_EQ(lb(h, IDD_FICHIERS, LB_SETSEL, FALSE, 3), 0);
        EXPECT_EQ(lb(h, IDD_FICHIERS, LB_GETSELCOUNT), 2);
        lb(h, IDD_FICHIERS, LB_SETSEL, TRUE, -1);
        EXPECT_EQ(lb(h, IDD_FICHIERS, LB_GETSELCOUNT), 6);
        lb(h, IDD_FICHIERS, LB_SETSEL, FALSE, -1);
        EXPECT_EQ(lb(h, IDD_FICHIERS, LB_GETSELCOUNT), 0);
        EXPECT_EQ(notes.size(), user_notes);
        // Messages of single selection do not apply here.
        EXPECT_EQ(lb(h, IDD_FICHIERS, LB_SETCURSEL, 1), LB_ERR);
    });
}

// Single selection: LB_GETCURSEL gives the entry or LB_ERR; a double-click notifies LBN_DBLCLK
// (LBS_NOTIFY); the selection messages of multiple selection fail.
TEST(PlatListBox, SingleSelectionAndDoubleClick) {
    in_main_window([](HWND h) {
        EXPECT_EQ(lb(h, IDD_REPERTOIRES, LB_GETCURSEL), LB_ERR);
        for (const char *n : {"[..]", "[sub]", "[autre]"})
            lb(h, IDD_REPERTOIRES, LB_ADDSTRING, 0, (LPARAM)n);
        EXPECT_EQ(lb(h, IDD_REPERTOIRES, LB_GETCURSEL), LB_ERR);
        plat_test_select(h, IDD_REPERTOIRES, 2, 0);
        EXPECT_EQ(lb(h, IDD_REPERTOIRES, LB_GETCURSEL), 2);
        plat_test_select(h, IDD_REPERTOIRES, 0, 0);
        EXPECT_EQ(lb(h, IDD_REPERTOIRES, LB_GETCURSEL), 0);
        notes.clear();
        plat_test_double_click(h, IDD_REPERTOIRES, 1);
        EXPECT_EQ(lb(h, IDD_REPERTOIRES, LB_GETCURSEL), 1);
        ASSERT_FALSE(notes.empty());
        EXPECT_EQ(notes.back(), MAKEWPARAM(IDD_REPERTOIRES, LBN_DBLCLK));
        EXPECT_EQ(lb(h, IDD_REPERTOIRES, LB_SETCURSEL, 2), 2);
        EXPECT_EQ(lb(h, IDD_REPERTOIRES, LB_SETCURSEL, (WPARAM)-1), LB_ERR);
        EXPECT_EQ(lb(h, IDD_REPERTOIRES, LB_GETCURSEL), LB_ERR);
        EXPECT_EQ(lb(h, IDD_REPERTOIRES, LB_GETSELCOUNT), LB_ERR);
        EXPECT_EQ(lb(h, IDD_REPERTOIRES, LB_SETSEL, TRUE, 0), LB_ERR);
    });
}

// The report list view a caller creates: columns, items, sub-item texts.
TEST(PlatListBox, ReportListView) {
    in_main_window([](HWND h) {
        HWND lv = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 8, 100,
                                  250, 150, h, (HMENU)140, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(lv, nullptr);
        EXPECT_EQ(GetDlgItem(h, 140), lv);
        LVCOLUMNA col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.cx = 100;
        for (const char *t : {"Nom", "Taille", "Date"}) {
            col.pszText = (LPSTR)t;
            SendMessageA(lv, LVM_INSERTCOLUMNA, 9, (LPARAM)&col);
        }
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = 0;
        item.pszText = (LPSTR) "b.txt";
        EXPECT_EQ(SendMessageA(lv, LVM_INSERTITEMA, 0, (LPARAM)&item), 0);
        item.pszText = (LPSTR) "a.txt";
        EXPECT_EQ(SendMessageA(lv, LVM_INSERTITEMA, 0, (LPARAM)&item), 0);
        item.iSubItem = 1;
        item.pszText = (LPSTR) "1234";
        EXPECT_TRUE(SendMessageA(lv, LVM_SETITEMTEXTA, 1, (LPARAM)&item));
        EXPECT_EQ(SendMessageA(lv, LVM_GETITEMCOUNT, 0, 0), 2);
        char text[16];
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(lv, LVM_GETITEMTEXTA, 1, (LPARAM)&item);
        EXPECT_STREQ(text, "1234");
        item.iSubItem = 0;
        SendMessageA(lv, LVM_GETITEMTEXTA, 0, (LPARAM)&item);
        EXPECT_STREQ(text, "a.txt");
        EXPECT_TRUE(SendMessageA(lv, LVM_DELETEALLITEMS, 0, 0));
        EXPECT_EQ(SendMessageA(lv, LVM_GETITEMCOUNT, 0, 0), 0);
        EXPECT_TRUE(DestroyWindow(lv));
        EXPECT_EQ(GetDlgItem(h, 140), nullptr);
    });
}
