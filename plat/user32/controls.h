// The control classes: each creates its widget and answers its class's messages.
#ifndef QUILLON_PLAT_UI_CONTROLS_H
#define QUILLON_PLAT_UI_CONTROLS_H

#include <QRect>
#include <memory>
#include <string>
#include "user32/window.h"

// Creates a child window of a Win32 class ("Static", "Button", "Edit", "ListBox",
// "msctls_progress32", "SysListView32"; case does not matter) inside parent, at px in the
// parent's client coordinates. text_id >= 0 names a resource (the icon of SS_ICON). Returns
// null when the class is unknown or the parent does not exist.
Window *control_create(HWND parent, const std::string &cls, const std::string &text, int text_id,
                       DWORD style, const QRect &px, int id);

// One factory per class: the window object with its widget made inside parent_widget.
std::unique_ptr<Window> static_create(QWidget *parent_widget, DWORD style, int icon_id);
std::unique_ptr<Window> button_create(QWidget *parent_widget, DWORD style);
std::unique_ptr<Window> edit_create(QWidget *parent_widget, DWORD style);
std::unique_ptr<Window> listbox_create(QWidget *parent_widget, DWORD style);
std::unique_ptr<Window> listview_create(QWidget *parent_widget, DWORD style);
std::unique_ptr<Window> progress_create(QWidget *parent_widget, DWORD style);

// Windows over widgets that exist already (the controls of the open/save dialog).
std::unique_ptr<Window> edit_wrap(class QLineEdit *edit);
std::unique_ptr<Window> button_wrap(class QAbstractButton *button);

// The image of an icon resource (null image when there is none).
QImage icon_image(int resource_id);

#endif
