// The frame a window manager will put around a top-level window not yet on the screen.
#ifndef QUILLON_PLAT_UI_FRAME_H
#define QUILLON_PLAT_UI_FRAME_H

#include <QMargins>
#include <QWidget>
#include <optional>

// Asks the window manager (a round trip, and a wait for its answer): nothing when there is
// no manager to ask, off X, or when the window has no native window yet.
std::optional<QMargins> frame_estimate(const QWidget *window);

// True while a top-level window is still to get the frame the manager gives the program's
// windows, and to be shown in its place.
bool frame_pending(const QWidget *window);

#endif
