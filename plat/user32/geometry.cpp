// Window rectangles and moves: screen coordinates for the window (frame included), client
// coordinates inside, the parent's client coordinates for a child.
#include <QAbstractScrollArea>
#include <QWidget>
#include "user32/window.h"

static RECT rect_of(const QRect &r) {
    RECT out;
    out.left = r.left();
    out.top = r.top();
    out.right = r.left() + r.width();
    out.bottom = r.top() + r.height();
    return out;
}

BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect) {
    Window *w = window_from(hWnd);
    if (w == nullptr || !w->widget || lpRect == nullptr) return FALSE;
    QWidget *widget = w->widget;
    QRect r = widget->isWindow() ? widget->frameGeometry()
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
        QSize frame_extra =
            widget->isWindow() ? widget->frameGeometry().size() - widget->size() : QSize(0, 0);
        QSize client(std::max(cx - frame_extra.width(), 0), std::max(cy - frame_extra.height(), 0));
        if (widget->isWindow() && widget->minimumSize() == widget->maximumSize())
            widget->setFixedSize(client); // a dialog's frame does not let the user resize it
        else
            widget->resize(client);
    }
    if (!(uFlags & SWP_NOMOVE)) widget->move(X, Y); // a window's frame goes to (X, Y)
    if (!(uFlags & SWP_NOZORDER)) widget->raise();
    return TRUE;
}
