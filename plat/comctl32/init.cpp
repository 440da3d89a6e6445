// InitCommonControls: the common controls' window classes enter user32's class table, as
// comctl32 registers them on Windows. A program calls it before it creates one of them.
#include <windows.h>
#include <commctrl.h>
#include "comctl32/classes.h"
#include "user32/controls.h"

void WINAPI InitCommonControls(void) {
    control_class_register(PROGRESS_CLASSA, progress_create, false);
    control_class_register(WC_LISTVIEWA, listview_create, true);
}
