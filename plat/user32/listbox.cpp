// The "ListBox" class: sorted or in insertion order, single or extended selection, the LB_
// messages, and LBN_SELCHANGE / LBN_DBLCLK for the user's actions when it has LBS_NOTIFY.
// Entries keep their Windows-1252 bytes exactly.
#include <QCollator>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>
#include "gdi32/qtext.h"
#include "user32/controls.h"

namespace {

// A sorted list box orders its entries as Windows compares texts for the user (lstrcmpi):
// case ignored, an accented letter with its base letter and after it, punctuation before
// digits before letters. The toolkit's collation for English orders these alike.
int compare_as_windows(const QString &a, const QString &b) {
    static QCollator collator = [] {
        QCollator c(QLocale(QLocale::English, QLocale::UnitedStates));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator.compare(a, b);
}

// Windows draws each entry across the list's whole width, or across the horizontal extent
// that the program sets (LB_SETHORIZONTALEXTENT) when the list has WS_HSCROLL, which then
// scrolls sideways: a text longer than that is cut at the edge, never given an ellipsis. The
// toolkit's list already stretches each row to the wider of the list and its contents, so a
// row asks for the extent alone: its size never follows the list's, and the bars settle at
// once (the vertical one while the entries pass the height, the horizontal one while the
// extent passes the width, entries or none), as Windows shows them.
class ListWidget : public QListWidget {
  public:
    using QListWidget::QListWidget;
    int extent = 0;

  protected:
    // Without rows the toolkit scrolls nothing; Windows still scrolls the extent sideways.
    void updateGeometries() override {
        if (count() > 0) return QListWidget::updateGeometries();
        verticalScrollBar()->setRange(0, 0);
        horizontalScrollBar()->setRange(0, std::max(0, extent - viewport()->width()));
        horizontalScrollBar()->setPageStep(viewport()->width());
        QAbstractItemView::updateGeometries();
    }
};

class RowDelegate : public QStyledItemDelegate {
  public:
    explicit RowDelegate(ListWidget *l) : QStyledItemDelegate(l), list(l) {}
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override {
        if (height < 0) height = QStyledItemDelegate::sizeHint(option, index).height();
        return QSize(list->extent, height);
    }

  private:
    ListWidget *list;
    mutable int height = -1;
};

// The rows of a selection as runs of adjoining rows, first and last, in order.
std::vector<std::pair<int, int>> row_runs(const QItemSelection &selection) {
    std::vector<std::pair<int, int>> rows, runs;
    for (const QItemSelectionRange &r : selection) rows.push_back({r.top(), r.bottom()});
    std::sort(rows.begin(), rows.end());
    for (const auto &r : rows) {
        if (!runs.empty() && r.first <= runs.back().second + 1)
            runs.back().second = std::max(runs.back().second, r.second);
        else
            runs.push_back(r);
    }
    return runs;
}

// Windows keeps one selected state per entry, so that selecting entries one by one costs the
// same at the thousandth as at the first. The toolkit keeps ranges, one more at each click with
// Ctrl, and goes through all of them at each click. Here, when the user's next change begins
// (a command without Current, which makes the previous change part of the kept selection), the
// kept selection is laid out again as runs of adjoining rows, one range each.
class RowSelection : public QItemSelectionModel {
  public:
    using QItemSelectionModel::QItemSelectionModel;
    using QItemSelectionModel::select;

    void select(const QItemSelection &selection, SelectionFlags command) override {
        if (!(command & (Current | Clear))) {
            QItemSelection kept = this->selection();
            std::vector<std::pair<int, int>> runs = row_runs(kept);
            if (runs.size() < (size_t)kept.size()) {
                QItemSelection merged;
                for (const auto &run : runs)
                    merged.select(model()->index(run.first, 0), model()->index(run.second, 0));
                QItemSelectionModel::select(merged, ClearAndSelect); // the same rows: no signal
            }
        }
        QItemSelectionModel::select(selection, command);
    }
};

class ListBoxWindow : public Window {
  public:
    ListWidget *list;
    int programmatic = 0; // > 0 while the program, not the user, changes the selection

    explicit ListBoxWindow(ListWidget *l) : list(l) { widget = l; }

    bool multi() const { return (style & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL)) != 0; }
    bool valid(LPARAM i) const { return i >= 0 && i < list->count(); }
    // The code page's every byte has a character of its own: the text shown gives the bytes back.
    std::string bytes(int i) const { return ansi_from_qstring(list->item(i)->text()); }

    void user_changed_selection() {
        if (programmatic == 0 && (style & LBS_NOTIFY)) notify_parent(this, LBN_SELCHANGE);
    }
    void user_double_clicked() {
        if (style & LBS_NOTIFY) notify_parent(this, LBN_DBLCLK);
    }

    int add(const char *text) {
        QString shown = qstring_from_ansi(text ? text : "");
        int pos = list->count();
        // Binary search for the first entry not below the new one; a list filled in order
        // (as a folder is listed) finds its place at the end at once.
        auto below = [&](int i) { return compare_as_windows(list->item(i)->text(), shown) < 0; };
        if ((style & LBS_SORT) && pos > 0 && !below(pos - 1)) {
            int lo = 0, hi = pos - 1;
            while (lo < hi) {
                int mid = (lo + hi) / 2;
                if (below(mid))
                    lo = mid + 1;
                else
                    hi = mid;
            }
            pos = lo;
        }
        auto *item = new QListWidgetItem(shown);
        ++programmatic;
        list->insertItem(pos, item);
        --programmatic;
        return pos;
    }

    void select(int i, bool on) {
        ++programmatic;
        list->item(i)->setSelected(on);
        --programmatic;
    }

    LRESULT message(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
        case LB_ADDSTRING:
            return add((const char *)lParam);
        case LB_RESETCONTENT:
            ++programmatic;
            list->clear();
            --programmatic;
            return 0;
        case LB_GETCOUNT:
            return list->count();
        case LB_GETTEXT: {
            if (!valid((LPARAM)wParam)) return LB_ERR;
            std::string b = bytes((int)wParam);
            // As on Windows the buffer is the caller's to size (LB_GETTEXTLEN + 1).
            if (lParam) {
                memcpy((char *)lParam, b.data(), b.size());
                ((char *)lParam)[b.size()] = '\0';
            }
            return b.size();
        }
        case LB_GETTEXTLEN:
            return valid((LPARAM)wParam) ? (LRESULT)bytes((int)wParam).size() : LB_ERR;
        case LB_GETCURSEL:
            if (list->count() == 0) return LB_ERR;
            if (multi()) return list->currentRow() >= 0 ? list->currentRow() : 0; // the caret
            for (int i = 0; i < list->count(); ++i)
                if (list->item(i)->isSelected()) return i;
            return LB_ERR;
        case LB_SETCURSEL: {
            if (multi()) return LB_ERR;
            int i = (int)(INT_PTR)wParam;
            ++programmatic;
            list->clearSelection();
            if (valid(i)) {
                list->setCurrentRow(i);
                list->item(i)->setSelected(true);
                list->scrollToItem(list->item(i));
            }
            --programmatic;
            return valid(i) ? i : LB_ERR;
        }
        case LB_GETSEL:
            return valid(wParam) ? (list->item((int)wParam)->isSelected() ? 1 : 0) : LB_ERR;
        case LB_SETSEL: {
            if (!multi()) return LB_ERR;
            int i = (int)lParam;
            if (i == -1) {
                for (int k = 0; k < list->count(); ++k) select(k, wParam != FALSE);
                return 0;
            }
            if (!valid(i)) return LB_ERR;
            select(i, wParam != FALSE);
            return 0;
        }
        case LB_GETSELCOUNT: {
            if (!multi()) return LB_ERR;
            int n = 0;
            for (const auto &run : row_runs(list->selectionModel()->selection()))
                n += run.second - run.first + 1;
            return n;
        }
        case LB_GETHORIZONTALEXTENT:
            return list->extent;
        case LB_SETHORIZONTALEXTENT:
            if (style & WS_HSCROLL) {
                list->extent = (int)(WORD)wParam;
                list->doItemsLayout();
            }
            return 0;
        case LB_GETITEMRECT: {
            if (!valid((LPARAM)wParam) || lParam == 0) return LB_ERR;
            QRect r = list->visualItemRect(list->item((int)wParam)); // in the client area
            *(RECT *)lParam = RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
            return 1;
        }
        case LB_GETSELITEMS: {
            if (!multi()) return LB_ERR;
            int n = 0, *out = (int *)lParam;
            for (const auto &run : row_runs(list->selectionModel()->selection()))
                for (int i = run.first; i <= run.second && n < (int)wParam; ++i) out[n++] = i;
            return n;
        }
        default:
            return Window::message(msg, wParam, lParam);
        }
    }
};

} // namespace

std::unique_ptr<Window> listbox_create(QWidget *parent_widget, DWORD style) {
    auto *l = new ListWidget(parent_widget);
    l->setSelectionMode((style & LBS_EXTENDEDSEL)   ? QAbstractItemView::ExtendedSelection
                        : (style & LBS_MULTIPLESEL) ? QAbstractItemView::MultiSelection
                                                    : QAbstractItemView::SingleSelection);
    l->setFrameShape((style & WS_BORDER) ? QFrame::Box : QFrame::NoFrame);
    l->setFrameShadow(QFrame::Plain);
    l->setLineWidth(1);
    l->setHorizontalScrollBarPolicy((style & WS_HSCROLL) ? Qt::ScrollBarAsNeeded
                                                         : Qt::ScrollBarAlwaysOff);
    l->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    l->setTextElideMode(Qt::ElideNone);
    l->setItemDelegate(new RowDelegate(l));
    QItemSelectionModel *toolkit_selection = l->selectionModel();
    l->setSelectionModel(new RowSelection(l->model(), l));
    delete toolkit_selection;
    l->setVerticalScrollBarPolicy(
        (style & WS_VSCROLL)
            ? ((style & LBS_DISABLENOSCROLL) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded)
            : Qt::ScrollBarAlwaysOff);
    l->setUniformItemSizes(true); // every row is as wide as the extent and as high as a line
    l->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto win = std::make_unique<ListBoxWindow>(l);
    QObject::connect(l, &QListWidget::itemSelectionChanged, [l]() {
        if (auto *self = static_cast<ListBoxWindow *>(window_of_exact_widget(l)))
            self->user_changed_selection();
    });
    QObject::connect(l, &QListWidget::itemDoubleClicked, [l](QListWidgetItem *) {
        if (auto *self = static_cast<ListBoxWindow *>(window_of_exact_widget(l)))
            self->user_double_clicked();
    });
    return win;
}
