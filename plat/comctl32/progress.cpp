// The progress bar class "msctls_progress32": range, step and position as Windows keeps
// them, painted at once on every change, since the program dispatches no messages while it
// steps the bar.
#include <QPainter>
#include <commctrl.h>
#include "comctl32/classes.h"
#include "comctl32/progress.h"

namespace {

class ProgressWidget : public QWidget {
  public:
    using QWidget::QWidget;
    int low = 0, high = 100, pos = 0;

    // The width of the filled part for a position: what a step changes on screen, if anything.
    int filled_width(int at) const {
        int inner = width() - 4;
        if (high <= low || inner <= 0) return 0;
        return (int)((long long)inner * (at - low) / (high - low));
    }

  protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        QRect r = rect();
        p.fillRect(r, palette().color(QPalette::Base));
        p.setPen(palette().color(QPalette::Shadow));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        QRect inner = r.adjusted(2, 2, -2, -2);
        if (high <= low || inner.width() <= 0) return;
        int filled = filled_width(pos);
        // Blocks as the classic bar draws them, two pixels apart.
        int block = std::max(inner.height() * 2 / 3, 4);
        QColor c = palette().color(QPalette::Highlight);
        for (int x = 0; x < filled; x += block + 2)
            p.fillRect(inner.x() + x, inner.y(), std::min(block, filled - x), inner.height(), c);
    }
};

class ProgressWindow : public Window {
  public:
    ProgressWidget *bar;
    int step = 10;
    explicit ProgressWindow(ProgressWidget *b) : bar(b) {
        widget = b;
        // The bar paints all of itself: nothing under it needs painting first.
        b->setAttribute(Qt::WA_OpaquePaintEvent);
    }
    const char *class_name() const override { return PROGRESS_CLASSA; }

    // Painted at once, but only when the step shows: a long copy steps thousands of times
    // across a bar a few hundred pixels wide.
    void set_pos(int p) {
        if (p == bar->pos) return;
        bool shows = bar->filled_width(p) != bar->filled_width(bar->pos);
        bar->pos = p;
        if (shows) bar->repaint();
    }

    LRESULT message(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
        case PBM_SETRANGE: {
            LRESULT old = MAKELONG(bar->low, bar->high);
            bar->low = LOWORD(lParam);
            bar->high = HIWORD(lParam);
            set_pos(std::min(std::max(bar->pos, bar->low), bar->high));
            bar->repaint();
            return old;
        }
        case PBM_SETSTEP: {
            int old = step;
            step = (int)(short)LOWORD(wParam);
            return old;
        }
        case PBM_STEPIT: {
            int old = bar->pos;
            set_pos(progress_wrap(old + step, bar->low, bar->high));
            return old;
        }
        case PBM_SETPOS: {
            int old = bar->pos;
            set_pos(std::min(std::max((int)(INT_PTR)wParam, bar->low), bar->high));
            return old;
        }
        case PBM_GETPOS:
            return bar->pos;
        case PBM_GETRANGE:
            return wParam ? bar->low : bar->high;
        default:
            return Window::message(msg, wParam, lParam);
        }
    }
};

} // namespace

int progress_wrap(int pos, int low, int high) {
    if (low == high) return low;
    if (pos > high) return (pos - low) % (high - low) + low;
    if (pos < low) return (pos - low) % (high - low) + high;
    return pos;
}

std::unique_ptr<Window> progress_create(QWidget *parent_widget, DWORD, int) {
    return std::make_unique<ProgressWindow>(new ProgressWidget(parent_widget));
}
