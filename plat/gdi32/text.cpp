// Fonts selected into a device context, and the size of a text drawn with them, so that the
// program can measure its texts in a control's own font (WM_GETFONT, SelectObject,
// GetTextExtentPoint32A), as it does on Windows.
#include <QApplication>
#include <QFontMetrics>
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
    QFontMetrics m(font_of(it != selected.end() ? it->second : nullptr));
    // An empty text has no size at all, not even the font's height, as on Windows.
    psizl->cx = c > 0 ? m.horizontalAdvance(qstring_from_ansi(lpString, c)) : 0;
    psizl->cy = c > 0 ? m.height() : 0;
    return TRUE;
}
