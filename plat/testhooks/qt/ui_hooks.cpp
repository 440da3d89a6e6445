// The test hooks: a test acts on the open dialog through the same input path as a user (the
// toolkit's mouse and key events on the real widgets), so the real dialog procedure runs. A
// dialog is handed to the test once it has settled, and each action lets the windows settle
// after it, as the hooks over Windows run the queue after each action.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <commctrl.h>
#include <chrono>
#include <cstring>
#include "plattest_ui.h"
#include "testhooks/handlers.h"
#include "gdi32/qtext.h"
#include "user32/cursor.h"
#include "user32/dialog.h"
#include "user32/frame.h"
#include "user32/holder.h"
#include "user32/queue.h"
#include "user32/timer.h"

namespace {

// Counts the events the toolkit delivers, to every object of the thread.
class Deliveries : public QObject {
  public:
    int count = 0;
    bool eventFilter(QObject *, QEvent *) override {
        ++count;
        return false;
    }
};

// What waits is delivered (layouts, repaints, queued calls, the program's posted messages)
// until a round delivers nothing, as a user sees the window come to rest before acting again.
// A layout that never comes to rest holds the thread here, where the tests' guard sees it.
void settle() {
    static Deliveries *deliveries = [] {
        auto *d = new Deliveries;
        QCoreApplication::instance()->installEventFilter(d);
        return d;
    }();
    UiHolder held(false);
    do {
        deliveries->count = 0;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    } while (deliveries->count > 0);
}

QWidget *control_widget(HWND hDlg, int id) {
    Window *w = window_from(GetDlgItem(hDlg, id));
    return w ? w->widget.data() : nullptr;
}

Qt::KeyboardModifiers qt_modifiers(int mods) {
    Qt::KeyboardModifiers m;
    if (mods & PLAT_MOD_SHIFT) m |= Qt::ShiftModifier;
    if (mods & PLAT_MOD_CTRL) m |= Qt::ControlModifier;
    if (mods & PLAT_MOD_ALT) m |= Qt::AltModifier;
    return m;
}

// Where the keyboard goes in a window: its focused widget, else the window itself.
QWidget *keyboard_target(HWND hWnd) {
    Window *w = window_from(hWnd);
    if (w == nullptr || !w->widget) return nullptr;
    QWidget *top = w->widget->window();
    return top->focusWidget() ? top->focusWidget() : top;
}

QListWidget *list_at(HWND hDlg, int id, int index, QPoint *where) {
    auto *l = qobject_cast<QListWidget *>(control_widget(hDlg, id));
    if (l == nullptr || index < 0 || index >= l->count()) return nullptr;
    l->scrollToItem(l->item(index));
    *where = l->visualItemRect(l->item(index)).center();
    return l;
}

// A window the manager is to frame is handed over framed, as the user sees it: a busy manager
// may frame it after the program has come to rest.
void await_frame(HWND h) {
    Window *w = window_from(h);
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (w && w->widget && frame_pending(w->widget) && std::chrono::steady_clock::now() < until) {
        UiHolder held(false);
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        w = window_from(h);
    }
}

} // namespace

static void ui_announce_dialog(HWND h, int template_id) {
    settle();
    await_frame(h);
    settle();
    DialogWindow *d = dialog_from(h); // null for the open and save dialogs
    if (!IsWindow(h) || (d && d->ended)) return; // gone while it settled
    PlatDialogHandler handler;
    if (testhooks_next_handler(&handler)) {
        UiHolder handler_runs(true); // the test acts as a command would
        handler(h, template_id);
        return;
    }
    // Nobody answers a test's dialog: close it so that nothing waits for ever.
    testhooks_unanswered();
    plat_test_close_box(h);
    if ((d = dialog_from(h)) && !d->ended) EndDialog(h, -1);
}

void testhooks_install_ui(void) {
    dialog_set_shown_hook(ui_announce_dialog);
}

long plat_test_held_ms(void) {
    return ui_loop_held_ms();
}

void plat_test_click(HWND hDlg, int id) {
    QWidget *w = control_widget(hDlg, id);
    if (w == nullptr || !w->isVisible()) return;
    // A check box answers to a click on its box or its label, at its left.
    QPoint at = qobject_cast<QCheckBox *>(w) ? QPoint(6, w->height() / 2) : w->rect().center();
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, at);
    settle();
}

void plat_test_key_mod(HWND hDlg, int vk, int modifiers) {
    QWidget *target = keyboard_target(hDlg);
    int key = qt_key_from_vk(vk);
    if (target == nullptr || key == 0) return;
    QTest::keyClick(target, Qt::Key(key), qt_modifiers(modifiers));
    settle();
}

void plat_test_key(HWND hDlg, int vk) {
    plat_test_key_mod(hDlg, vk, 0);
}

void plat_test_post_key(HWND hWnd, int vk) {
    QWidget *target = keyboard_target(hWnd);
    int key = qt_key_from_vk(vk);
    if (target == nullptr || key == 0) return;
    QString text = vk == VK_ESCAPE ? QString(QChar(27)) : QString();
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
    QCoreApplication::postEvent(target,
                                new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, text));
}

void plat_test_post_click(HWND hDlg, int id) {
    QWidget *w = control_widget(hDlg, id);
    if (w == nullptr) return;
    QPointF at = w->rect().center();
    QPointF global = w->mapToGlobal(at);
    for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        QCoreApplication::postEvent(w, new QMouseEvent(t, at, global, Qt::LeftButton,
                                                       t == QEvent::MouseButtonPress
                                                           ? Qt::LeftButton
                                                           : Qt::NoButton,
                                                       Qt::NoModifier));
}

void plat_test_post_close_box(HWND hWnd) {
    Window *w = window_from(hWnd);
    if (w && w->widget) QCoreApplication::postEvent(w->widget, new QCloseEvent);
}

void plat_test_close_box(HWND hDlg) {
    Window *w = window_from(hDlg);
    if (w && w->widget) w->widget->close();
    settle();
}

void plat_test_type(HWND hDlg, int id, const char *ansi) {
    auto *edit = qobject_cast<QLineEdit *>(control_widget(hDlg, id));
    if (edit == nullptr) return;
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    // One key per character, carrying the character as a keyboard's event does.
    for (QChar ch : qstring_from_ansi(ansi ? ansi : "")) {
        int key = ch.unicode() < 0x100 ? (int)ch.toUpper().unicode() : (int)Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key(key), QString(ch), Qt::NoModifier);
    }
    settle();
}

void plat_test_select(HWND hDlg, int id, int index, int modifiers) {
    QPoint at;
    if (QListWidget *l = list_at(hDlg, id, index, &at))
        QTest::mouseClick(l->viewport(), Qt::LeftButton, qt_modifiers(modifiers), at);
    settle();
}

void plat_test_double_click(HWND hDlg, int id, int index) {
    QPoint at;
    QListWidget *l = list_at(hDlg, id, index, &at);
    if (l == nullptr) return;
    // What the window system delivers: press, release, double-click, release.
    QTest::mouseClick(l->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(l->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(l->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    settle();
}

std::string plat_test_text(HWND hDlg, int id) {
    Window *w = window_from(GetDlgItem(hDlg, id));
    return w ? w->text() : std::string();
}

std::string plat_test_shown_text(HWND hDlg, int id) {
    Window *w = window_from(GetDlgItem(hDlg, id));
    return w ? w->shown_text() : std::string();
}

std::string plat_test_caption(HWND hWnd) {
    Window *w = window_from(hWnd);
    return w ? w->text() : std::string();
}

bool plat_test_save_png(HWND hWnd, const char *path) {
    Window *w = window_from(hWnd);
    if (w == nullptr || !w->widget || path == nullptr) return false;
    QWidget *widget = w->widget;
    QRect frame = widget->frameGeometry();
    QPixmap client = widget->grab();
    QPixmap shot = client;
    if (widget->isWindow() && frame != widget->geometry() && widget->screen()) {
        // Framed by a window manager: the window as the display shows it, frame included.
        shot = widget->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(),
                                            frame.height());
    } else if (widget->isWindow()) {
        // A caption bar above the client area, as the window manager would draw it.
        const int bar = 24;
        shot = QPixmap(client.width() + 2, client.height() + bar + 1);
        shot.fill(QColor(0x40, 0x40, 0x40));
        QPainter p(&shot);
        p.fillRect(1, 1, client.width(), bar - 1, QColor(0x2a, 0x55, 0x9a));
        QFont f = widget->font();
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRect(8, 1, client.width() - 40, bar - 1), Qt::AlignVCenter | Qt::AlignLeft,
                   widget->windowTitle());
        p.drawText(QRect(client.width() - 26, 1, 24, bar - 1), Qt::AlignCenter, "x");
        p.drawPixmap(1, bar, client);
    }
    QDir().mkpath(QFileInfo(QString::fromLocal8Bit(path)).absolutePath());
    return shot.save(QString::fromLocal8Bit(path), "PNG");
}

void plat_test_wait(int ms) {
    QTest::qWait(ms);
}

int plat_test_cursor_id(void) {
    return ui_current_cursor_id();
}

// The move reaches the window at once, as the clicks do: a real display would move the
// pointer and report it later.
void plat_test_move_pointer(HWND hWnd) {
    Window *w = window_from(hWnd);
    if (w == nullptr || !w->widget) return;
    QPoint at = w->widget->rect().center();
    QMouseEvent move(QEvent::MouseMove, at, w->widget->mapToGlobal(at), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w->widget, &move);
    settle();
}

bool plat_test_progress(HWND hWnd, int *low, int *high, int *pos) {
    Window *w = window_from(hWnd);
    if (w == nullptr || strcmp(w->class_name(), PROGRESS_CLASSA) != 0) return false;
    *low = (int)SendMessageA(hWnd, PBM_GETRANGE, TRUE, 0);
    *high = (int)SendMessageA(hWnd, PBM_GETRANGE, FALSE, 0);
    *pos = (int)SendMessageA(hWnd, PBM_GETPOS, 0, 0);
    return true;
}

int plat_test_timer_count(void) {
    return ui_timer_count();
}
