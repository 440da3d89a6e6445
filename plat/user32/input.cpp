// Every input event passes here first. While the program is looking at its queue from
// outside a message loop, keys are queued as WM_KEYDOWN/WM_KEYUP (with the event that replays
// them) and mouse buttons are dropped; otherwise keys meet the dialog manager first.
#include <QApplication>
#include <QKeyEvent>
#include "user32/cursor.h"
#include "user32/dialog.h"
#include "user32/queue.h"
#include "user32/window.h"

namespace {

MSG key_message(QObject *target, const QKeyEvent *e) {
    bool alt = e->modifiers() & Qt::AltModifier;
    bool down = e->type() == QEvent::KeyPress;
    Window *w = window_of_widget(target);
    MSG m{};
    m.hwnd = w ? w->handle : nullptr;
    m.message = down ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
    m.wParam = (WPARAM)vk_from_qt_key(e->key());
    // Repeat count 1; bit 30 the previous state, bit 31 the transition; bit 29 for Alt.
    DWORD flags = 1;
    if (e->isAutoRepeat() || !down) flags |= 0x40000000u;
    if (!down) flags |= 0x80000000u;
    if (alt) flags |= 0x20000000u;
    m.lParam = (LPARAM)flags;
    m.time = ui_tick_count();
    return m;
}

class InputFilter : public QObject {
  protected:
    bool eventFilter(QObject *obj, QEvent *e) override {
        switch (e->type()) {
        case QEvent::MouseMove:
        case QEvent::Enter:
            if (!ui_capturing()) ui_pointer_moved();
            return false;
        case QEvent::ShortcutOverride:
            if (!ui_capturing() || !obj->isWidgetType()) return false;
            e->accept(); // no shortcut acts while the program is busy
            return true;
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            if (!obj->isWidgetType()) return false;
            if (!window_takes_input(obj)) return true;
            auto *k = static_cast<QKeyEvent *>(e);
            if (ui_capturing()) {
                ui_post_input(key_message(obj, k), obj, k->clone());
                return true;
            }
            return e->type() == QEvent::KeyPress && dialog_handle_key(obj, k);
        }
        case QEvent::MouseButtonPress:
            dialog_user_moves_focus();
            [[fallthrough]];
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            return obj->isWidgetType() && (ui_capturing() || !window_takes_input(obj));
        default:
            return false;
        }
    }
};

} // namespace

void ui_install_input_filter() {
    qApp->installEventFilter(new InputFilter);
}
