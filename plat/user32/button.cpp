// The "Button" class: push buttons (the default one framed), check boxes that toggle
// themselves (BS_AUTOCHECKBOX) or wait for the program (BS_CHECKBOX), group boxes, and
// owner-drawn buttons, which nobody draws here: they are invisible and still clickable.
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include "gdi32/qtext.h"
#include "user32/controls.h"

namespace {

class InvisibleButton : public QAbstractButton {
  public:
    using QAbstractButton::QAbstractButton;

  protected:
    void paintEvent(QPaintEvent *) override {}
};

// A check box the program ticks itself: clicking only notifies.
class ManualCheckBox : public QCheckBox {
  public:
    using QCheckBox::QCheckBox;

  protected:
    void nextCheckState() override {}
};

class ButtonWindow : public Window {
  public:
    QAbstractButton *button = nullptr; // null for a group box
    QGroupBox *group = nullptr;

    bool is_push_button() const override {
        DWORD type = style & BS_TYPEMASK;
        return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
    }

    void set_text(const std::string &ansi) override {
        text_ = ansi;
        QString t = qstring_from_ansi(ansi);
        if (button) button->setText(t);
        if (group) group->setTitle(t);
    }

    LRESULT message(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
        case BM_GETCHECK:
            return button && button->isCheckable() && button->isChecked() ? BST_CHECKED
                                                                          : BST_UNCHECKED;
        case BM_SETCHECK:
            if (button && button->isCheckable()) button->setChecked(wParam == BST_CHECKED);
            return 0;
        case BM_CLICK:
            if (button && button->isEnabled()) button->click();
            return 0;
        default:
            return Window::message(msg, wParam, lParam);
        }
    }
};

} // namespace

std::unique_ptr<Window> button_wrap(QAbstractButton *button) {
    auto win = std::make_unique<ButtonWindow>();
    win->button = button;
    win->widget = button;
    win->set_text(ansi_from_qstring(button->text()));
    return win;
}

std::unique_ptr<Window> button_create(QWidget *parent_widget, DWORD style) {
    auto win = std::make_unique<ButtonWindow>();
    DWORD type = style & BS_TYPEMASK;
    if (type == BS_GROUPBOX) {
        win->group = new QGroupBox(parent_widget);
        win->group->setAttribute(Qt::WA_TransparentForMouseEvents);
        win->widget = win->group;
        return win;
    }
    if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX) {
        win->button =
            type == BS_CHECKBOX ? new ManualCheckBox(parent_widget) : new QCheckBox(parent_widget);
    } else if (type == BS_OWNERDRAW) {
        win->button = new InvisibleButton(parent_widget);
    } else {
        auto *push = new QPushButton(parent_widget);
        push->setAutoDefault(false);
        push->setDefault(type == BS_DEFPUSHBUTTON);
        win->button = push;
    }
    // Every click the user makes (mouse, space bar, mnemonic) tells the dialog.
    QAbstractButton *b = win->button;
    QObject::connect(b, &QAbstractButton::clicked, [b]() {
        if (Window *self = window_of_exact_widget(b)) notify_parent(self, BN_CLICKED);
    });
    win->widget = win->button;
    return win;
}
