// Dialog fonts and dialog units, as the dialog manager computes them.
#ifndef QUILLON_PLAT_UI_UNITS_H
#define QUILLON_PLAT_UI_UNITS_H

#include <QFont>
#include <QRect>
#include <string>

// The host font standing for a template's font: the old Windows sans-serif faces ("MS Sans
// Serif", "Helv", "MS Shell Dlg") become DejaVu Sans, at the pixel height Windows gives the
// point size on a 96 dpi screen.
QFont dialog_font(const std::string &face, int points);

struct BaseUnits {
    int x; // average character width: (width of "a..zA..Z" / 26 + 1) / 2
    int y; // character height
};
BaseUnits base_units(const QFont &font);

// Dialog units to pixels: x * base.x / 4 and y * base.y / 8, rounded to nearest, position
// and size each converted on its own.
QRect dialog_rect_to_pixels(int x, int y, int cx, int cy, BaseUnits base);

#endif
