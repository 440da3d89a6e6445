// The thread's message queue over the toolkit's event loop. The program sees posted
// messages, timer messages and keyboard input through PeekMessageA/GetMessageA; while it is
// looking (and so not in a message loop of its own) user input is queued or dropped, never
// delivered, so no command can start in the middle of another.
#ifndef QUILLON_PLAT_UI_QUEUE_H
#define QUILLON_PLAT_UI_QUEUE_H

#include <QEvent>
#include <QObject>
#include <functional>
#include <windows.h>

// Starts the window side once: the input filter and the queue's pump.
void ui_start();

// The application-wide filter through which input reaches the dialog manager (user32/input.cpp).
void ui_install_input_filter();

// True while the program is looking at its queue from outside any message loop.
bool ui_capturing();

// Runs fn from the event loop, in order, never while the program looks at its queue.
void ui_post_call(std::function<void()> fn);

// Adds a message at the end of the queue; the message loop that runs next dispatches it.
void ui_post(const MSG &msg);
// Adds keyboard input with the toolkit event that replays it when dispatched.
void ui_post_input(const MSG &msg, QObject *target, QEvent *event);
// Timer messages: at most one waits per timer, and KillTimer takes it back.
bool ui_timer_message_waiting(HWND hwnd, UINT_PTR id);
void ui_remove_timer_messages(HWND hwnd, UINT_PTR id);

// Milliseconds since the start of the process, as GetTickCount counts.
DWORD ui_tick_count();

// Win32 virtual keys and the toolkit's keys (Qt::Key), both ways; 0 when unknown.
int vk_from_qt_key(int key);
int qt_key_from_vk(int vk);

#endif
