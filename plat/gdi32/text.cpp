// Fonts selected into a device context, and the size of a text drawn with them, so that the
// program can measure its texts in a control's own font (WM_GETFONT, SelectObject,
// GetTextExtentPoint32A), and the room a text takes in lines (DrawTextA's DT_CALCRECT), as
// it does on Windows.
#include <QApplication>
#include <QFontMetrics>
#include <QTextLayout>
#include <array>
#include <map>
#include <vector>
#include "gdi32/fonts.h"
#include "gdi32/qtext.h"

namespace {
std::vector<QFont> &fonts() {
    static std::vector<QFont> all;
    return all;
}
std::map<HDC, HFONT> selected; // a context without one draws with the system font

QFont font_of(HFONT h) {
    size_t i = (size_t)h;
    return i >= 1 && i <= fonts().size() ? fonts()[i - 1] : QApplication::font();
}

// Windows measures a text as the sum of its characters' widths, whole pixels each, without
// the kerning of pairs that the toolkit's shaping adds; and so at little cost however many
// texts are measured (every name of a folder that fills a list): the widths of a font's 256
// characters are taken once.
struct Widths {
    QFont font;
    std::array<int, 256> width;
    int height;
};

const Widths &widths_of(const QFont &font) {
    static std::vector<Widths> known;
    for (const Widths &w : known)
        if (w.font == font) return w;
    QFontMetricsF m(font);
    Widths w{font, {}, QFontMetrics(font).height()};
    for (int c = 0; c < 256; ++c) {
        char ansi = (char)c;
        w.width[c] = qRound(m.horizontalAdvance(qstring_from_ansi(&ansi, 1)[0]));
    }
    known.push_back(w);
    return known.back();
}
} // namespace

HFONT gdi_font_handle(const QFont &font) {
    std::vector<QFont> &all = fonts();
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i] == font) return (HFONT)(i + 1);
    all.push_back(font);
    return (HFONT)all.size();
}

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
    if (hdc == nullptr || h == nullptr) return nullptr;
    auto it = selected.find(hdc);
    HGDIOBJ previous =
        it != selected.end() ? (HGDIOBJ)it->second : (HGDIOBJ)gdi_font_handle(QApplication::font());
    selected[hdc] = (HFONT)h;
    return previous;
}

BOOL WINAPI GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl) {
    if (hdc == nullptr || (lpString == nullptr && c > 0) || c < 0 || psizl == nullptr) return FALSE;
    auto it = selected.find(hdc);
    const Widths &w = widths_of(font_of(it != selected.end() ? it->second : nullptr));
    psizl->cx = 0;
    for (int i = 0; i < c; ++i) psizl->cx += w.width[(unsigned char)lpString[i]];
    // An empty text has no size at all, not even the font's height, as on Windows.
    psizl->cy = c > 0 ? w.height : 0;
    return TRUE;
}

QStringList gdi_wrap_lines(const QFont &font, int width, const QString &text) {
    QStringList lines;
    QString paragraphs = text;
    paragraphs.replace("\r\n", "\n").replace('\r', '\n');
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    for (const QString &paragraph : paragraphs.split('\n')) {
        QTextLayout layout(paragraph, font);
        layout.setTextOption(option);
        layout.beginLayout();
        int before = (int)lines.size();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(std::max(width, 1));
            // The spaces where a line breaks take no room.
            QString text = paragraph.mid(line.textStart(), line.textLength());
            while (!text.isEmpty() && text.back() == ' ') text.chop(1);
            lines << text;
        }
        layout.endLayout();
        if ((int)lines.size() == before) lines << QString();
    }
    return lines;
}

// Only the measure is asked for (DT_CALCRECT), of a text without mnemonics (DT_NOPREFIX):
// the rectangle keeps its top left corner and takes the text's widest line and its lines'
// height; the result is that height.
int WINAPI DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format) {
    if (hdc == nullptr || lpchText == nullptr || lprc == nullptr || !(format & DT_CALCRECT))
        return 0;
    auto it = selected.find(hdc);
    QFont font = font_of(it != selected.end() ? it->second : nullptr);
    QFontMetrics m(font);
    // Without DT_WORDBREAK only the line ends break the text.
    int width = (format & DT_WORDBREAK) ? lprc->right - lprc->left : 1 << 24;
    QStringList lines = gdi_wrap_lines(font, width, qstring_from_ansi(lpchText, cchText));
    int widest = 0;
    for (const QString &line : lines) widest = std::max(widest, m.horizontalAdvance(line));
    lprc->right = lprc->left + widest;
    lprc->bottom = lprc->top + (int)lines.size() * m.height();
    return (int)lines.size() * m.height();
}
