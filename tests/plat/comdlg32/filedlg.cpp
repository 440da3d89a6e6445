// The open dialog as the program opens it for signature files: the type list shows the
// filter's description as the program gives it, the pattern proposed as the name picks its
// filter, the columns of the details are not cut, and a dialog made shorter by the hook still
// shows every control whole.
#include <gtest/gtest.h>
#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QTreeView>
#include <commdlg.h>
#include "plattest_ui.h"
#include "tempdrive.h"

namespace {
UINT_PTR CALLBACK much_shorter(HWND hDlg, UINT msg, WPARAM, LPARAM lParam) {
    if (msg == WM_NOTIFY && ((LPNMHDR)lParam)->code == CDN_INITDONE) {
        HWND frame = GetParent(hDlg);
        RECT r;
        GetWindowRect(frame, &r);
        SetWindowPos(frame, nullptr, 0, 0, r.right - r.left, (r.bottom - r.top) / 3,
                     SWP_NOMOVE | SWP_NOZORDER);
    }
    return 0;
}
} // namespace

TEST(PlatFileDialog, ShowsTheProgramsFilterAndEveryControlWhole) {
    TempDrives d;
    d.write("quillon.sig", "DOC,WDBNMSWD,Document\r\n");
    char file[MAX_PATH] = "*.sig";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.lpstrFilter = "Tous les fichiers\0*.*\0Fichiers de signatures [*.sig]\0*.sig\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpfnHook = much_shorter;
    ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK;
    plat_test_push_dialog_handler([&](HWND frame, int) {
        EXPECT_EQ(plat_test_text(frame, 0x470), "Fichiers de signatures [*.sig]");
        RECT f;
        GetWindowRect(frame, &f);
        for (int id : {PLAT_FILE_NAME_ID, 0x470, IDOK, IDCANCEL}) {
            RECT c;
            GetWindowRect(GetDlgItem(frame, id), &c);
            EXPECT_LE(c.bottom, f.bottom) << id;
        }
        plat_test_wait(300); // the folder is read in the background
        int cells = 0;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *view = w->findChild<QTreeView *>("treeView");
            for (int row = 0; view && row < view->model()->rowCount(view->rootIndex()); ++row)
                for (int column = 1; column < view->header()->count(); ++column, ++cells) {
                    QString shown =
                        view->model()->index(row, column, view->rootIndex()).data().toString();
                    EXPECT_GE(view->header()->sectionSize(column),
                              view->fontMetrics().horizontalAdvance(shown))
                        << shown.toStdString();
                }
        }
        EXPECT_GT(cells, 0);
        plat_test_save_png(frame, QUILLON_PNG_DIR "/open-signatures.png");
        plat_test_click(frame, IDCANCEL);
    });
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(plat_test_unhandled_dialogs(), 0);
}
