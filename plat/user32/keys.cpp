// Virtual-key codes and the toolkit's key codes.
#include <Qt>
#include "user32/queue.h"

static const struct {
    int vk;
    int key;
} keys[] = {
    {VK_BACK, Qt::Key_Backspace}, {VK_TAB, Qt::Key_Tab},         {VK_RETURN, Qt::Key_Return},
    {VK_SHIFT, Qt::Key_Shift},    {VK_CONTROL, Qt::Key_Control}, {VK_MENU, Qt::Key_Alt},
    {VK_ESCAPE, Qt::Key_Escape},  {VK_SPACE, Qt::Key_Space},     {VK_END, Qt::Key_End},
    {VK_HOME, Qt::Key_Home},      {VK_LEFT, Qt::Key_Left},       {VK_UP, Qt::Key_Up},
    {VK_RIGHT, Qt::Key_Right},    {VK_DOWN, Qt::Key_Down},       {VK_DELETE, Qt::Key_Delete},
    {VK_F1, Qt::Key_F1},
};

int vk_from_qt_key(int key) {
    if (key == Qt::Key_Enter) return VK_RETURN;
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return key; // the same codes
    for (const auto &k : keys)
        if (k.key == key) return k.vk;
    return 0;
}

int qt_key_from_vk(int vk) {
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return vk;
    for (const auto &k : keys)
        if (k.vk == vk) return k.key;
    return 0;
}
