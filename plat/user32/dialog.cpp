// DialogBoxParamA and EndDialog: a template of the resource script becomes a modal window
// whose procedure is called as Windows calls it (WM_INITDIALOG with the parameter, then
// commands, WM_DESTROY last), with the dialog manager's defaults behind it.
#include "user32/dialog.h"
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QPushButton>
#include <QScreen>
#include <optional>
#include "resources/script.h"
#include "gdi32/qtext.h"
#include "user32/controls.h"
#include "user32/cursor.h"
#include "user32/holder.h"
#include "user32/queue.h"

namespace {

class DialogWidget : public QWidget {
  public:
    explicit DialogWidget(QWidget *owner) : QWidget(owner, Qt::Dialog) {}

  protected:
    // The close box: WM_SYSCOMMAND/SC_CLOSE, which the procedure or the default handling
    // turns into the cancel command. Ignored while the program is busy.
    void closeEvent(QCloseEvent *e) override {
        e->ignore();
        if (ui_capturing()) return;
        if (Window *d = window_of_exact_widget(this))
            SendMessageA(d->handle, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
};

// The top-level window a dialog is owned by (the owner's own top level for a control).
Window *top_level(HWND h) {
    Window *w = window_from(h);
    while (w != nullptr && (w->style & WS_CHILD)) w = window_from(w->parent);
    return w;
}

bool can_take_focus(const Window *c) {
    return c->widget && c->widget->isVisibleTo(c->widget->parentWidget()) &&
           c->widget->isEnabled() && c->widget->focusPolicy() != Qt::NoFocus;
}

HWND first_tab_stop(HWND dlg) {
    for (Window *c : window_children(dlg))
        if ((c->style & WS_TABSTOP) && can_take_focus(c)) return c->handle;
    return nullptr;
}

void show_default(DialogWindow *d) {
    for (Window *c : window_children(d->handle))
        if (auto *b = qobject_cast<QPushButton *>(c->widget.data()))
            b->setDefault(d->default_id != 0 && c->id == d->default_id);
}

QPoint place(const RcDialog &t, const QRect &px, QWidget *owner, QSize size) {
    QRect screen = QGuiApplication::primaryScreen()->geometry();
    QPoint origin = owner ? owner->mapToGlobal(QPoint(0, 0)) : QPoint(0, 0);
    QPoint pos = origin + px.topLeft();
    if (t.style & DS_CENTER) {
        QRect ref = owner ? owner->frameGeometry() : screen;
        pos = ref.center() - QPoint(size.width() / 2, size.height() / 2);
    }
    // The dialog manager keeps a new dialog on the screen.
    pos.setX(std::max(screen.left(), std::min(pos.x(), screen.right() + 1 - size.width())));
    pos.setY(std::max(screen.top(), std::min(pos.y(), screen.bottom() + 1 - size.height())));
    return pos;
}

// Builds the window and its controls from the template; the dialog is not shown yet.
DialogWindow *create_dialog(const RcDialog &t, HWND owner, DLGPROC proc) {
    Window *owner_window = top_level(owner);
    QWidget *owner_widget = owner_window ? owner_window->widget.data() : nullptr;
    auto *widget = new DialogWidget(owner_widget);
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (t.style & WS_SYSMENU) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    widget->setWindowFlags(flags);
    // As on Windows, a modal dialog disables its owner only: the help viewer, which no dialog
    // owns, stays usable while the program's windows are open.
    widget->setWindowModality(owner_widget ? Qt::WindowModal : Qt::NonModal);
    QFont font = dialog_font(t.font_name, t.font_size);
    widget->setFont(font);

    auto d = std::make_unique<DialogWindow>();
    d->proc = proc;
    d->template_id = t.id;
    d->parent = owner_window ? owner_window->handle : nullptr;
    d->style = t.style;
    d->units = base_units(font);
    d->widget = widget;
    DialogWindow *raw = d.get();
    HWND h = window_register(std::move(d));
    raw->set_text(t.caption);

    QRect px = dialog_rect_to_pixels(t.x, t.y, t.cx, t.cy, raw->units);
    widget->setFixedSize(px.size());
    // The native window exists from now on, so that its frame counts in GetWindowRect
    // during WM_INITDIALOG, where the program centres its dialogs.
    widget->winId();
    widget->move(place(t, px, owner_widget, widget->frameGeometry().size()));

    std::vector<Window *> controls;
    for (const RcControl &c : t.controls) {
        QRect r = dialog_rect_to_pixels(c.x, c.y, c.cx, c.cy, raw->units);
        Window *w = control_create(h, c.cls, c.text, c.text_id, c.style, r, c.id);
        if (w == nullptr) continue;
        controls.push_back(w);
        if ((c.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON && w->is_push_button())
            raw->default_id = c.id;
    }
    // The first control lies on top, as in a dialog built by Windows.
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) (*it)->widget->raise();
    QWidget *previous = nullptr;
    for (Window *w : controls) {
        if (w->widget->focusPolicy() == Qt::NoFocus) continue;
        if (previous) QWidget::setTabOrder(previous, w->widget);
        previous = w->widget;
    }
    show_default(raw);
    return raw;
}

// Removes the dialog: WM_DESTROY to the procedure (unless sent already), then the window.
void destroy_dialog(DialogWindow *d) {
    HWND h = d->handle;
    QWidget *widget = d->widget;
    if (widget) widget->hide();
    if (!d->destroyed) {
        d->destroyed = true;
        SendMessageA(h, WM_DESTROY, 0, 0);
    }
    window_forget(h);
    delete widget;
}

} // namespace

DialogWindow *dialog_from(HWND h) {
    Window *w = window_from(h);
    return w && !(w->style & WS_CHILD) ? dynamic_cast<DialogWindow *>(w) : nullptr;
}

std::string DialogWindow::text() const {
    return widget ? ansi_from_qstring(widget->windowTitle()) : std::string();
}

void DialogWindow::set_text(const std::string &ansi) {
    if (widget) widget->setWindowTitle(qstring_from_ansi(ansi));
}

void DialogWindow::end(INT_PTR value) {
    result = value;
    ended = true;
    if (widget) widget->hide();
    if (loop) loop->quit();
}

LRESULT DialogWindow::message(UINT msg, WPARAM wParam, LPARAM lParam) {
    std::optional<UiHolder> command;
    if (msg == WM_COMMAND) command.emplace(true); // the program's own work, however long
    INT_PTR handled = proc ? proc(handle, msg, wParam, lParam) : FALSE;
    if (msg == WM_INITDIALOG || handled) return handled;
    switch (msg) {
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) SendMessageA(handle, WM_CLOSE, 0, 0);
        return 0;
    case WM_CLOSE:
        PostMessageA(handle, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     (LPARAM)GetDlgItem(handle, IDCANCEL));
        return 0;
    case DM_GETDEFID:
        return default_id ? MAKELONG(default_id, DC_HASDEFID) : 0;
    case DM_SETDEFID:
        default_id = (int)wParam;
        show_default(this);
        return TRUE;
    case WM_SETICON: {
        HICON old = small_icon;
        small_icon = (HICON)lParam;
        if (widget) widget->setWindowIcon(QIcon(QPixmap::fromImage(ui_icon_image(small_icon))));
        return (LRESULT)old;
    }
    default:
        return Window::message(msg, wParam, lParam);
    }
}

void dialog_destroy_request(HWND h) {
    DialogWindow *d = dialog_from(h);
    if (d == nullptr || d->destroyed) return;
    d->destroyed = true;
    SendMessageA(h, WM_DESTROY, 0, 0);
    if (!d->ended) d->end(-1);
}

INT_PTR WINAPI DialogBoxParamA(HINSTANCE, LPCSTR lpTemplateName, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam) {
    ui_start();
    const RcDialog *t =
        IS_INTRESOURCE(lpTemplateName) ? rc_find_dialog((int)(ULONG_PTR)lpTemplateName) : nullptr;
    if (t == nullptr || QApplication::instance() == nullptr) {
        SetLastError(1814); // ERROR_RESOURCE_NAME_NOT_FOUND
        return -1;
    }
    DialogWindow *d = create_dialog(*t, hWndParent, lpDialogFunc);
    HWND h = d->handle;
    HWND first = first_tab_stop(h);
    if (SendMessageA(h, WM_INITDIALOG, (WPARAM)first, dwInitParam) && first != nullptr)
        SetFocus(first);
    else if (QApplication::focusWidget() == nullptr ||
             !d->widget->isAncestorOf(QApplication::focusWidget()))
        d->widget->setFocus(); // no control has the focus: keys go to the dialog itself
    // As on Windows, the owner takes no input while its dialog runs.
    HWND owner = d->parent;
    bool owner_enabled = owner != nullptr && IsWindowEnabled(owner);
    if (owner_enabled) EnableWindow(owner, FALSE);
    if (!d->ended) {
        d->widget->show();
        // A dialog that runs comes to the front with the keyboard, as on Windows.
        d->widget->activateWindow();
        QApplication::setActiveWindow(d->widget);
        ui_post_call([h]() {
            DialogWindow *up = dialog_from(h);
            if (up && !up->ended) dialog_announce(h, up->template_id);
        });
        QEventLoop loop;
        d->loop = &loop;
        if (!d->ended) {
            UiHolder held(false);
            loop.exec(QEventLoop::DialogExec);
        }
        d->loop = nullptr;
    }
    if (owner_enabled) EnableWindow(owner, TRUE);
    // The owner comes back to the front with the keyboard where it was, as Windows gives it
    // back when a dialog ends, with or without a window manager to do it.
    if (Window *o = window_from(owner); o && o->widget && o->widget->isVisible()) {
        o->widget->activateWindow();
        QApplication::setActiveWindow(o->widget);
    }
    INT_PTR result = d->result;
    destroy_dialog(d);
    return result;
}

BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult) {
    DialogWindow *d = dialog_from(hDlg);
    if (d == nullptr) return FALSE;
    d->end(nResult);
    return TRUE;
}

static QPointer<QWidget> focus_set_by_program; // since the user last moved the focus

void dialog_user_moves_focus(void) {
    focus_set_by_program = nullptr;
}

HWND WINAPI SetFocus(HWND hWnd) {
    HWND previous = GetFocus();
    Window *w = window_from(hWnd);
    if (w && w->widget) {
        w->widget->setFocus(Qt::OtherFocusReason);
        focus_set_by_program = w->widget;
    }
    return previous;
}

HWND WINAPI GetFocus(void) {
    QWidget *f = QApplication::focusWidget();
    if (f == nullptr) {
        QWidget *top = QApplication::activeModalWidget();
        if (top == nullptr) top = QApplication::activeWindow();
        if (top != nullptr) f = top->focusWidget() ? top->focusWidget() : top;
    }
    Window *w = window_of_exact_widget(f);
    return w ? w->handle : nullptr;
}

// ---- The dialog manager's keys

namespace {

QChar mnemonic_of(const std::string &ansi) {
    for (size_t i = 0; i + 1 < ansi.size(); ++i) {
        if (ansi[i] != '&') continue;
        if (ansi[i + 1] != '&') return qstring_from_ansi(&ansi[i + 1], 1).at(0).toUpper();
        ++i;
    }
    return QChar();
}

bool is_static(const Window *c) {
    return c->widget && c->widget->focusPolicy() == Qt::NoFocus;
}

// A label's mnemonic moves the focus to the next control that can take it.
bool mnemonic(DialogWindow *d, QChar ch) {
    std::vector<Window *> controls = window_children(d->handle);
    for (size_t i = 0; i < controls.size(); ++i) {
        Window *c = controls[i];
        if (!is_static(c) || (c->style & SS_NOPREFIX) || mnemonic_of(c->text()) != ch) continue;
        for (size_t j = i + 1; j < controls.size(); ++j)
            if (!is_static(controls[j]) && can_take_focus(controls[j])) {
                controls[j]->widget->setFocus(Qt::ShortcutFocusReason);
                dialog_user_moves_focus();
                return true;
            }
    }
    return false;
}

} // namespace

bool dialog_handle_key(QObject *receiver, QKeyEvent *e) {
    auto *w = qobject_cast<QWidget *>(receiver);
    Window *top = w ? window_of_exact_widget(w->window()) : nullptr;
    DialogWindow *d = top ? dialog_from(top->handle) : nullptr;
    if (d == nullptr || d->ended) return false;
    HWND h = d->handle;
    Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    if (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) dialog_user_moves_focus();
    if (e->key() == Qt::Key_Escape && mods == Qt::NoModifier) {
        SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     (LPARAM)GetDlgItem(h, IDCANCEL));
        return true;
    }
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && !(mods & Qt::AltModifier)) {
        // The push button the user moved the focus to, else the enabled default button, else
        // IDOK.
        Window *focus = window_of_exact_widget(w);
        int id = IDOK;
        if (focus && focus->parent == h && focus->is_push_button() &&
            focus_set_by_program != w) {
            id = focus->id;
        } else {
            LRESULT def = SendMessageA(h, DM_GETDEFID, 0, 0);
            if (HIWORD(def) == DC_HASDEFID && IsWindowEnabled(GetDlgItem(h, LOWORD(def))))
                id = LOWORD(def);
        }
        SendMessageA(h, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(h, id));
        return true;
    }
    // Alt+letter, or the letter alone while a button has the focus.
    Window *focus = window_of_exact_widget(w);
    bool plain_ok = focus && qobject_cast<QAbstractButton *>(focus->widget.data());
    if ((mods == Qt::AltModifier || (mods == Qt::NoModifier && plain_ok)) && !e->text().isEmpty())
        return mnemonic(d, e->text().at(0).toUpper());
    if (mods == Qt::AltModifier && e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z)
        return mnemonic(d, QChar(e->key()));
    return false;
}

static DialogShownHook shown_hook = nullptr;

void dialog_set_shown_hook(DialogShownHook hook) {
    shown_hook = hook;
}

void dialog_announce(HWND h, int template_id) {
    if (shown_hook) shown_hook(h, template_id);
}
