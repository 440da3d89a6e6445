// InitCommonControls: on Windows it makes the common controls' window classes exist; here
// they exist from the start of the platform layer, so there is nothing left to do.
#include <windows.h>
#include <commctrl.h>

void WINAPI InitCommonControls(void) {}
