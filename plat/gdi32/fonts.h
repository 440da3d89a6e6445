// Fonts as the program holds them: a handle per font the toolkit draws a window with.
#ifndef QUILLON_PLAT_GDI32_FONTS_H
#define QUILLON_PLAT_GDI32_FONTS_H

#include <QFont>
#include <windows.h>

// The handle of a font, the same for equal fonts (what WM_GETFONT answers).
HFONT gdi_font_handle(const QFont &font);

#endif
