// The "Edit" class: single line, the text scrolling sideways as it grows (ES_AUTOHSCROLL);
// or, with ES_MULTILINE, lines ended by CR LF, wrapped at the control's width, scrolled up and
// down (WS_VSCROLL).
#include <QLineEdit>
#include <QPlainTextEdit>
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

class MultilineWindow : public Window {
  public:
    QPlainTextEdit *edit;
    explicit MultilineWindow(QPlainTextEdit *e) : edit(e) { widget = e; }
    std::string text() const override {
        return ansi_from_qstring(edit->toPlainText().replace("\n", "\r\n"));
    }
    void set_text(const std::string &ansi) override {
        edit->setPlainText(qstring_from_ansi(ansi).replace("\r\n", "\n"));
    }
};

std::unique_ptr<Window> multiline_create(QWidget *parent_widget, DWORD style) {
    auto *e = new QPlainTextEdit(parent_widget);
    e->setFrameShape((style & WS_BORDER) ? QFrame::Box : QFrame::NoFrame);
    e->setReadOnly((style & ES_READONLY) != 0);
    e->setTabChangesFocus(true); // Tab goes on to the next control, as in a dialog on Windows
    e->setLineWrapMode((style & WS_HSCROLL) ? QPlainTextEdit::NoWrap
                                            : QPlainTextEdit::WidgetWidth);
    e->setVerticalScrollBarPolicy((style & WS_VSCROLL) ? Qt::ScrollBarAlwaysOn
                                                       : Qt::ScrollBarAlwaysOff);
    return std::make_unique<MultilineWindow>(e);
}

} // namespace

std::unique_ptr<Window> edit_wrap(QLineEdit *edit) {
    return std::make_unique<EditWindow>(edit);
}

std::unique_ptr<Window> edit_create(QWidget *parent_widget, DWORD style) {
    if (style & ES_MULTILINE) return multiline_create(parent_widget, style);
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
