// Dialog units from the toolkit's fonts, as Windows computes them from a dialog's font.
#include <gtest/gtest.h>
#include <QFontMetrics>
#include "app/quillonid.h"
#include "dialogue.h"
#include "user32/units.h"

// Dialog units: x * baseX / 4, y * baseY / 8, baseX = (width of a..zA..Z / 26 + 1) / 2 and
// baseY the font's height; "MS Sans Serif" 8 and "Helv" 8 give the same font.
TEST(PlatDialog, DialogUnitsFollowTheDialogsFont) {
    QFont f = dialog_font("MS Sans Serif", 8);
    EXPECT_EQ(f.pixelSize(), 11);
    QFontMetrics fm(f);
    int w = fm.horizontalAdvance("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    BaseUnits b = base_units(dialog_font("Helv", 8));
    EXPECT_EQ(b.x, (w / 26 + 1) / 2);
    EXPECT_EQ(b.y, fm.height());
    dans_dialogue(DLG_PRINCIPAL, [&](HWND h) {
        RECT client, edit;
        GetClientRect(h, &client);
        EXPECT_EQ(client.right, (344 * b.x * 2 + 4) / 8);
        EXPECT_EQ(client.bottom, (222 * b.y + 4) / 8);
        GetWindowRect(GetDlgItem(h, IDD_NOMFICHIER), &edit);
        POINT origin = {0, 0};
        ClientToScreen(h, &origin);
        EXPECT_EQ(edit.left - origin.x, (78 * b.x + 2) / 4);
        EXPECT_EQ(edit.top - origin.y, (4 * b.y + 4) / 8);
        EXPECT_EQ(edit.right - edit.left, (206 * b.x + 2) / 4);
        EXPECT_EQ(edit.bottom - edit.top, (11 * b.y + 4) / 8);
        EndDialog(h, 0);
    });
}
