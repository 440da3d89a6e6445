// The "Static" class: texts (left, centred, right, with '&' mnemonics), icons and frames,
// painted as Windows paints them: text from the top, words wrapped (or one line ended with an
// ellipsis for the ellipsis styles), a thin border for WS_BORDER. A text without mnemonics
// (SS_NOPREFIX) is wrapped as DrawTextA measures it.
#include <QPainter>
#include "gdi32/fonts.h"
#include "kernel32/ansi.h"
#include "user32/controls.h"

namespace {

class StaticWidget : public QWidget {
  public:
    StaticWidget(QWidget *parent, DWORD style) : QWidget(parent), style_(style) {
        setAttribute(Qt::WA_TransparentForMouseEvents, !(style & SS_NOTIFY));
    }
    QString text;
    QImage icon;

  protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        DWORD type = style_ & SS_TYPEMASK;
        QRect r = rect();
        if (style_ & WS_BORDER) {
            p.setPen(palette().color(QPalette::Shadow));
            p.drawRect(r.adjusted(0, 0, -1, -1));
            r.adjust(2, 1, -2, -1);
        }
        switch (type) {
        case SS_ICON:
            if (!icon.isNull()) p.drawImage(QPoint(0, 0), icon);
            return;
        case SS_BLACKFRAME:
        case SS_GRAYFRAME:
        case SS_WHITEFRAME:
            p.setPen(frame_color(type - SS_BLACKFRAME));
            p.drawRect(rect().adjusted(0, 0, -1, -1));
            return;
        case SS_BLACKRECT:
        case SS_GRAYRECT:
        case SS_WHITERECT:
            p.fillRect(rect(), frame_color(type - SS_BLACKRECT));
            return;
        default:
            break;
        }
        int flags = Qt::AlignTop;
        flags |= type == SS_CENTER  ? Qt::AlignHCenter
                 : type == SS_RIGHT ? Qt::AlignRight
                                    : Qt::AlignLeft;
        if (type != SS_LEFTNOWORDWRAP && (style_ & SS_ELLIPSISMASK) == 0)
            flags |= Qt::TextWordWrap;
        QString drawn = shown_text();
        p.setPen(palette().color(isEnabled() ? QPalette::WindowText : QPalette::PlaceholderText));
        if ((style_ & SS_NOPREFIX) && (flags & Qt::TextWordWrap)) {
            // Laid out line by line as DrawTextA measures it, so that a text measured there
            // fits here.
            int h = fontMetrics().height(), y = r.top();
            for (const QString &line : gdi_wrap_lines(font(), r.width(), drawn)) {
                p.drawText(QRect(r.left(), y, r.width(), h), flags & ~Qt::TextWordWrap, line);
                y += h;
            }
            return;
        }
        if (style_ & SS_NOPREFIX) drawn.replace("&", "&&");
        p.drawText(r, flags | Qt::TextShowMnemonic, drawn);
    }

  public:
    // The text as drawn. An ellipsis style makes it one line, shortened with "..." where it
    // does not fit: at its end, or in the middle for a path (its end tells paths apart).
    QString shown_text() const {
        QString shown = text;
        shown.replace("\r\n", "\n");
        DWORD ellipsis = style_ & SS_ELLIPSISMASK;
        if (ellipsis == 0) return shown;
        int width = rect().width() - ((style_ & WS_BORDER) ? 4 : 0);
        return fontMetrics().elidedText(shown.replace('\n', ' '),
                                        ellipsis == SS_PATHELLIPSIS ? Qt::ElideMiddle
                                                                    : Qt::ElideRight,
                                        width, (style_ & SS_NOPREFIX) ? 0 : Qt::TextShowMnemonic);
    }

  private:
    DWORD style_;
    QColor frame_color(int which) const {
        return which == 0   ? palette().color(QPalette::Shadow)
               : which == 1 ? palette().color(QPalette::Mid)
                            : palette().color(QPalette::Light);
    }
};

class StaticWindow : public Window {
  public:
    StaticWidget *w;
    explicit StaticWindow(StaticWidget *widget_) : w(widget_) { widget = widget_; }
    void set_text(const std::string &ansi) override {
        text_ = ansi;
        w->text = qstring_from_ansi(ansi);
        w->update();
    }
    std::string shown_text() const override { return ansi_from_qstring(w->shown_text()); }
};

} // namespace

std::unique_ptr<Window> static_create(QWidget *parent_widget, DWORD style, int icon_id) {
    auto *w = new StaticWidget(parent_widget, style);
    if ((style & SS_TYPEMASK) == SS_ICON && icon_id >= 0) w->icon = icon_image(icon_id);
    return std::make_unique<StaticWindow>(w);
}
