// Fonts as the program holds them: a handle per font the toolkit draws a window with.
#ifndef QUILLON_PLAT_GDI32_FONTS_H
#define QUILLON_PLAT_GDI32_FONTS_H

#include <QFont>
#include <QStringList>
#include <windows.h>

// The handle of a font, the same for equal fonts (what WM_GETFONT answers).
HFONT gdi_font_handle(const QFont &font);

// A text's lines as DrawTextA with DT_WORDBREAK lays it out at width pixels (as the static
// controls draw it too): CR LF, CR and LF end a line; a line is broken between words, and a
// word wider than the whole width is not broken: it stands on a line of its own, wider than
// width. Each line is the font's height high.
QStringList gdi_wrap_lines(const QFont &font, int width, const QString &text);

#endif
