// Window rectangles and moves: screen coordinates for the window (frame included), client
// coordinates inside, the parent's client coordinates for a child.
#include <QAbstractScrollArea>
#include <QMargins>
#include <QWidget>
#include <QWindow>
#include "user32/frame.h"
#include "user32/window.h"

static RECT rect_of(const QRect &r) {
    RECT out;
    out.left = r.left();
    out.top = r.top();
    out.right = r.left() + r.width();
    out.bottom = r.top() + r.height();
    return out;
}

// Windows knows a window's frame from the window's creation; a window manager tells the
// toolkit only once the window is on the screen. Until then a window's frame is taken to be
// the last one the manager gave a window (it frames the program's windows alike), so that a
// dialog sized and placed before it shows fits where it was meant to. The process's first
// window asks the manager what frame it will get: sized for none, it would come out a frame
// too large, beyond the screen's edge when sized to the screen.
static QMargins last_frame;

// The frame the manager has given the window, as the toolkit's native window last heard it
// (the widget's own copy of it may be left from before the manager told).
static QMargins told_frame(const QWidget *window) {
    const QWindow *native = window->windowHandle();
    return native ? native->frameMargins() : QMargins();
}

static QMargins frame_of(const QWidget *window) {
    static bool asked = false;
    QMargins m = told_frame(window);
    if (!m.isNull()) return last_frame = m;
    if (last_frame.isNull() && !asked && window->internalWinId() != 0) {
        asked = true;
        last_frame = frame_estimate(window).value_or(QMargins());
    }
    return last_frame;
}

// The manager frames a window, moves the frame to the window's place, then maps it: until the
// window is on the screen its position may still be the frame's first, at the screen's corner.
bool frame_pending(const QWidget *window) {
    if (!window->isWindow() || last_frame.isNull()) return false;
    const QWindow *native = window->windowHandle();
    return native == nullptr || told_frame(window).isNull() || !native->isExposed();
}

BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect) {
    Window *w = window_from(hWnd);
    if (w == nullptr || !w->widget || lpRect == nullptr) return FALSE;
    QWidget *widget = w->widget;
    QRect r = widget->isWindow() ? widget->geometry().marginsAdded(frame_of(widget))
                                 : QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
    *lpRect = rect_of(r);
    return TRUE;
}

// A list's client area lies inside its border and its scroll bars, as on Windows.
BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect) {
    Window *w = window_from(hWnd);
    if (w == nullptr || !w->widget || lpRect == nullptr) return FALSE;
    auto *area = qobject_cast<QAbstractScrollArea *>(w->widget);
    *lpRect = rect_of(QRect(QPoint(0, 0), area ? area->viewport()->size() : w->widget->size()));
    return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hWnd, LPPOINT lpPoint) {
    Window *w = window_from(hWnd);
    if (w == nullptr || !w->widget || lpPoint == nullptr) return FALSE;
    QPoint p = w->widget->mapToGlobal(QPoint(lpPoint->x, lpPoint->y));
    lpPoint->x = p.x();
    lpPoint->y = p.y();
    return TRUE;
}

BOOL WINAPI SetWindowPos(HWND hWnd, HWND, int X, int Y, int cx, int cy, UINT uFlags) {
    Window *w = window_from(hWnd);
    if (w == nullptr || !w->widget) return FALSE;
    QWidget *widget = w->widget;
    if (!(uFlags & SWP_NOSIZE)) {
        // cx and cy measure the whole window; the widget's size is its client area.
        QSize frame_extra(0, 0);
        if (widget->isWindow()) {
            QMargins m = frame_of(widget);
            frame_extra = QSize(m.left() + m.right(), m.top() + m.bottom());
        }
        QSize client(std::max(cx - frame_extra.width(), 0), std::max(cy - frame_extra.height(), 0));
        if (widget->isWindow() && widget->minimumSize() == widget->maximumSize())
            widget->setFixedSize(client); // a dialog's frame does not let the user resize it
        else
            widget->resize(client);
    }
    if (!(uFlags & SWP_NOMOVE)) {
        // A window's frame goes to (X, Y): the toolkit places a frame it knows of itself,
        // and the client inside the frame the window is to get.
        QMargins m = widget->isWindow() && widget->frameGeometry() == widget->geometry()
                         ? frame_of(widget)
                         : QMargins();
        widget->move(X + m.left(), Y + m.top());
    }
    if (!(uFlags & SWP_NOZORDER)) widget->raise();
    return TRUE;
}
