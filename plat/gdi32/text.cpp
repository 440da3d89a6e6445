// Fonts selected into a device context, and the size of a text drawn with them, so that the
// program can measure its texts in a control's own font (WM_GETFONT, SelectObject,
// GetTextExtentPoint32A), as it does on Windows.
#include <QApplication>
#include <QFontMetrics>
#include <array>
#include <map>
#include <vector>
#include "gdi32/fonts.h"
#include "kernel32/ansi.h"

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

// Windows measures a text as the sum of its characters' widths, without the kerning of pairs
// that the toolkit's shaping adds, and so at little cost however many texts are measured
// (every name of a folder that fills a list): the widths of a font's 256 characters are
// taken once.
struct Widths {
    QFont font;
    std::array<qreal, 256> width;
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
        w.width[c] = m.horizontalAdvance(qstring_from_ansi(&ansi, 1)[0]);
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
    qreal cx = 0;
    for (int i = 0; i < c; ++i) cx += w.width[(unsigned char)lpString[i]];
    // An empty text has no size at all, not even the font's height, as on Windows.
    psizl->cx = qRound(cx);
    psizl->cy = c > 0 ? w.height : 0;
    return TRUE;
}
