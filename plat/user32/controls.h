// The control classes: each creates its widget and answers its class's messages. User32 keeps
// a table of the classes by name; other parts add theirs (comctl32 at InitCommonControls), as
// a Windows DLL registers its window classes, so that user32 knows nothing of them.
#ifndef QUILLON_PLAT_UI_CONTROLS_H
#define QUILLON_PLAT_UI_CONTROLS_H

#include <QRect>
#include <memory>
#include <string>
#include "user32/window.h"

// Makes the window object of a class, with its widget inside parent_widget. icon_id >= 0
// names a resource (the icon of SS_ICON).
using ControlFactory = std::unique_ptr<Window> (*)(QWidget *parent_widget, DWORD style,
                                                   int icon_id);

// Enters a class in the table (case does not matter; registering a name again replaces it).
// A class that never takes the focus (a static, a progress bar) says so.
void control_class_register(const char *name, ControlFactory factory, bool takes_focus);

// Creates a child window of a registered class inside parent, at px in the parent's client
// coordinates. Returns null when the class is unknown or the parent does not exist.
Window *control_create(HWND parent, const std::string &cls, const std::string &text, int text_id,
                       DWORD style, const QRect &px, int id);

// One factory per user32 class: the window object with its widget made inside parent_widget.
std::unique_ptr<Window> static_create(QWidget *parent_widget, DWORD style, int icon_id);
std::unique_ptr<Window> button_create(QWidget *parent_widget, DWORD style);
std::unique_ptr<Window> edit_create(QWidget *parent_widget, DWORD style);
std::unique_ptr<Window> listbox_create(QWidget *parent_widget, DWORD style);

// Windows over widgets that exist already (the controls of the open/save dialog).
std::unique_ptr<Window> edit_wrap(class QLineEdit *edit);
std::unique_ptr<Window> button_wrap(class QAbstractButton *button);

// The image of an icon resource (null image when there is none).
QImage icon_image(int resource_id);

#endif
