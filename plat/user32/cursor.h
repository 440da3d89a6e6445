// Cursors and icons from the resources.
#ifndef QUILLON_PLAT_UI_CURSOR_H
#define QUILLON_PLAT_UI_CURSOR_H

#include <QImage>
#include <windows.h>

QImage ui_icon_image(HICON icon);
// The pointer moved over one of the windows while a message loop runs: the window's own
// cursor comes back, as WM_SETCURSOR brings it back on Windows.
void ui_pointer_moved();
// Resource number of the cursor SetCursor made current (0: the windows' own cursor).
int ui_current_cursor_id();

#endif
