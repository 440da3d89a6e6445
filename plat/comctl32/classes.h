// The common controls' window objects, made for user32's class table (see init.cpp).
#ifndef QUILLON_PLAT_COMCTL32_CLASSES_H
#define QUILLON_PLAT_COMCTL32_CLASSES_H

#include <memory>
#include "user32/window.h"

std::unique_ptr<Window> progress_create(QWidget *parent_widget, DWORD style, int icon_id);
std::unique_ptr<Window> listview_create(QWidget *parent_widget, DWORD style, int icon_id);

#endif
