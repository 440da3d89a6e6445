// Timers: each fires by putting one WM_TIMER message in the queue.
#ifndef QUILLON_PLAT_UI_TIMER_H
#define QUILLON_PLAT_UI_TIMER_H

#include <windows.h>

// The callback of a live timer; false when the timer does not exist (any more).
bool ui_timer_proc(HWND hwnd, UINT_PTR id, TIMERPROC *proc);
int ui_timer_count();

#endif
