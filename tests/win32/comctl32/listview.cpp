// The report list view ("SysListView32") as a caller fills and reads it: columns, items and
// their sub-item texts.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include "app/quillonid.h"
#include "dialogue.h"

namespace {

LRESULT lvm(HWND lv, UINT msg, WPARAM w, const void *l) {
    return SendMessageA(lv, msg, w, (LPARAM)l);
}

} // namespace

TEST(Win32ListView, ReportViewColumnsItemsAndSubItems) {
    InitCommonControls();
    dans_dialogue(DLG_APROPOS, [](HWND h) {
        HWND lv = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 8, 10,
                                  250, 80, h, (HMENU)140, GetModuleHandleA(nullptr), nullptr);
        EXPECT_NE(lv, nullptr);
        EXPECT_EQ(GetDlgItem(h, 140), lv);
        LVCOLUMNA col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.cx = 100;
        int at = 0;
        for (const char *t : {"Nom", "Taille", "Date"}) {
            col.pszText = (LPSTR)t;
            EXPECT_EQ(lvm(lv, LVM_INSERTCOLUMNA, 9, &col), at++); // past the end: appended
        }
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.pszText = (LPSTR) "b.txt";
        EXPECT_EQ(lvm(lv, LVM_INSERTITEMA, 0, &item), 0);
        item.pszText = (LPSTR) "a.txt";
        EXPECT_EQ(lvm(lv, LVM_INSERTITEMA, 0, &item), 0);
        item.iSubItem = 1;
        item.pszText = (LPSTR) "1234";
        EXPECT_TRUE(lvm(lv, LVM_SETITEMTEXTA, 1, &item));
        EXPECT_EQ(lvm(lv, LVM_GETITEMCOUNT, 0, nullptr), 2);
        char text[16];
        item.pszText = text;
        item.cchTextMax = sizeof text;
        EXPECT_EQ(lvm(lv, LVM_GETITEMTEXTA, 1, &item), 4);
        EXPECT_STREQ(text, "1234");
        item.iSubItem = 0;
        lvm(lv, LVM_GETITEMTEXTA, 0, &item);
        EXPECT_STREQ(text, "a.txt");
        lvm(lv, LVM_GETITEMTEXTA, 1, &item);
        EXPECT_STREQ(text, "b.txt");
        EXPECT_TRUE(lvm(lv, LVM_DELETEALLITEMS, 0, nullptr));
        EXPECT_EQ(lvm(lv, LVM_GETITEMCOUNT, 0, nullptr), 0);
        EXPECT_TRUE(DestroyWindow(lv));
        EXPECT_EQ(GetDlgItem(h, 140), nullptr);
        EndDialog(h, 0);
    });
}
