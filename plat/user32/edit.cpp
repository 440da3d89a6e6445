// The "Edit" class, single line: the text scrolls sideways as it grows (ES_AUTOHSCROLL).
#include <QLineEdit>
#include "kernel32/ansi.h"
#include "user32/controls.h"

namespace {

class EditWindow : public Window {
  public:
    QLineEdit *edit;
    explicit EditWindow(QLineEdit *e) : edit(e) { widget = e; }
    std::string text() const override { return ansi_from_qstring(edit->text()); }
    void set_text(const std::string &ansi) override { edit->setText(qstring_from_ansi(ansi)); }
};

} // namespace

std::unique_ptr<Window> edit_wrap(QLineEdit *edit) {
    return std::make_unique<EditWindow>(edit);
}

std::unique_ptr<Window> edit_create(QWidget *parent_widget, DWORD style) {
    auto *e = new QLineEdit(parent_widget);
    e->setFrame((style & WS_BORDER) != 0);
    e->setTextMargins(1, 0, 1, 0);
    e->setReadOnly((style & ES_READONLY) != 0);
    if (style & ES_RIGHT)
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    else if (style & ES_CENTER)
        e->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    return std::make_unique<EditWindow>(e);
}
