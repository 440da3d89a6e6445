// Fonts and dialog units.
#include "user32/units.h"
#include <QFontMetrics>
#include <cctype>

QFont dialog_font(const std::string &face, int points) {
    std::string lower;
    for (char c : face) lower.push_back((char)tolower((unsigned char)c));
    bool old_sans = lower.empty() || lower == "ms sans serif" || lower == "helv" ||
                    lower == "ms shell dlg" || lower == "ms shell dlg 2" || lower == "system";
    QFont font(old_sans ? QString("DejaVu Sans") : QString::fromLatin1(face.c_str()));
    font.setStyleHint(QFont::SansSerif);
    if (points <= 0) points = 8;
    font.setPixelSize((points * 96 + 36) / 72); // MulDiv(points, 96, 72)
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

BaseUnits base_units(const QFont &font) {
    QFontMetrics fm(font);
    int w = fm.horizontalAdvance("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    return BaseUnits{(w / 26 + 1) / 2, fm.height()};
}

// MulDiv(v, num, den): rounded to nearest, halves away from zero.
static int mul_div(int v, int num, int den) {
    long long p = (long long)v * num;
    return (int)(p >= 0 ? (p + den / 2) / den : -((-p + den / 2) / den));
}

QRect dialog_rect_to_pixels(int x, int y, int cx, int cy, BaseUnits base) {
    return QRect(mul_div(x, base.x, 4), mul_div(y, base.y, 8), mul_div(cx, base.x, 4),
                 mul_div(cy, base.y, 8));
}
