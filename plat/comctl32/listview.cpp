// The "SysListView32" class in report view: columns, items and their sub-item texts.
#include <QHeaderView>
#include <QTreeWidget>
#include <commctrl.h>
#include "gdi32/qtext.h"
#include "comctl32/classes.h"

namespace {

class ListViewWindow : public Window {
  public:
    QTreeWidget *tree;
    explicit ListViewWindow(QTreeWidget *t) : tree(t) { widget = t; }

    LRESULT message(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
        case LVM_GETITEMCOUNT:
            return tree->topLevelItemCount();
        case LVM_DELETEALLITEMS:
            tree->clear();
            return TRUE;
        case LVM_INSERTCOLUMNA: {
            const LVCOLUMNA *col = (const LVCOLUMNA *)lParam;
            if (col == nullptr) return -1;
            int n = tree->columnCount();
            int at = std::min(std::max((int)wParam, 0), n);
            QStringList labels;
            for (int i = 0; i < n; ++i) labels << tree->headerItem()->text(i);
            labels.insert(at, (col->mask & LVCF_TEXT) ? qstring_from_ansi(col->pszText) : "");
            tree->setColumnCount(n + 1);
            tree->setHeaderLabels(labels);
            if (col->mask & LVCF_WIDTH) tree->setColumnWidth(at, col->cx);
            if ((col->mask & LVCF_FMT) && (col->fmt & LVCFMT_RIGHT))
                tree->headerItem()->setTextAlignment(at, Qt::AlignRight);
            return at;
        }
        case LVM_INSERTITEMA: {
            const LVITEMA *it = (const LVITEMA *)lParam;
            if (it == nullptr || it->iItem < 0 || it->iSubItem != 0) return -1;
            int at = std::min(it->iItem, tree->topLevelItemCount());
            auto *item = new QTreeWidgetItem;
            if ((it->mask & LVIF_TEXT) && it->pszText)
                item->setText(0, qstring_from_ansi(it->pszText));
            tree->insertTopLevelItem(at, item);
            return at;
        }
        case LVM_SETITEMTEXTA: {
            const LVITEMA *it = (const LVITEMA *)lParam;
            QTreeWidgetItem *item = tree->topLevelItem((int)wParam);
            if (it == nullptr || item == nullptr || it->iSubItem < 0) return FALSE;
            item->setText(it->iSubItem, qstring_from_ansi(it->pszText ? it->pszText : ""));
            return TRUE;
        }
        case LVM_GETITEMTEXTA: {
            LVITEMA *it = (LVITEMA *)lParam;
            QTreeWidgetItem *item = tree->topLevelItem((int)wParam);
            if (it == nullptr) return 0;
            std::string t = item ? ansi_from_qstring(item->text(it->iSubItem)) : "";
            return copy_text_out(t, it->pszText, it->cchTextMax);
        }
        default:
            return Window::message(msg, wParam, lParam);
        }
    }
};

} // namespace

std::unique_ptr<Window> listview_create(QWidget *parent_widget, DWORD style, int) {
    auto *t = new QTreeWidget(parent_widget);
    t->setRootIsDecorated(false);
    t->setColumnCount(0);
    t->setHeaderHidden((style & LVS_REPORT) == 0);
    t->setSelectionMode((style & LVS_SINGLESEL) ? QAbstractItemView::SingleSelection
                                                : QAbstractItemView::ExtendedSelection);
    t->header()->setStretchLastSection(false);
    return std::make_unique<ListViewWindow>(t);
}
