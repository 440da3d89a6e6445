// Test-only services on the window side, implemented over the platform layer
// (plat/testhooks/qt) and over the real Win32 API (plat/testhooks/win32): a test acts on the
// real dialogs as a user would, through the real dialog procedures.
#ifndef QUILLON_PLAT_PLATTEST_UI_H
#define QUILLON_PLAT_PLATTEST_UI_H

#include <functional>
#include <string>
#include <windows.h>

// Starts the platform for a test program, before any test, with the hooks in place: every
// dialog comes to them, and one that no handler waits for is closed at once.
void plat_test_init(int *argc, char **argv);

// How long the user interface thread has been stuck outside the program's commands, in
// milliseconds; 0 when it is not. Over the platform layer: the platform has held the thread
// for that long without a command of the program, or a handler of the test, starting or
// ending (a layout that never settles, a dialog that nobody ends, a procedure that never
// returns from a message other than a command). Over Windows, Windows' own notion: the
// thread has not read its queue for that long while no command nor handler runs. Safe to
// call from any thread.
long plat_test_held_ms(void);

// Called when a modal dialog (message boxes, open/save dialogs included) has been
// initialised and shown, from inside its own modal loop. template_id is the resource
// number of its layout (0 for the open/save dialogs).
using PlatDialogHandler = std::function<void(HWND hDlg, int template_id)>;

// Queues a handler for the next dialog that opens; handlers are used in order, one each.
void plat_test_push_dialog_handler(PlatDialogHandler handler);
// Dialogs that opened while no handler was queued; each of them was closed with its close
// box so that no test hangs.
int plat_test_unhandled_dialogs(void);
// Handlers still waiting for a dialog.
int plat_test_pending_handlers(void);

// Acting as a user, on the dialog that is open (all go through the real input path).
void plat_test_click(HWND hDlg, int id);                  // left click on a button
void plat_test_key(HWND hDlg, int vk);                    // a key (VK_ESCAPE, VK_RETURN, ...)
void plat_test_close_box(HWND hDlg);                      // the caption's close box
void plat_test_type(HWND hDlg, int id, const char *ansi); // replaces an edit field's text
void plat_test_select(HWND hDlg, int id, int index, int modifiers); // click an entry
void plat_test_double_click(HWND hDlg, int id, int index);          // double-click an entry
std::string plat_test_text(HWND hDlg, int id); // a control's text, Windows-1252
std::string plat_test_caption(HWND hWnd);      // a window's caption, Windows-1252
// A control's text as it is drawn: a static text shortened to fit, for instance.
std::string plat_test_shown_text(HWND hDlg, int id);
bool plat_test_save_png(HWND hWnd, const char *path); // a picture of the window
// Simple beeps (MessageBeep) given since the program started.
int plat_test_beep_count(void);
// Lets the event loop run for ms milliseconds (timers fire, windows repaint).
void plat_test_wait(int ms);

#define PLAT_MOD_SHIFT 1
#define PLAT_MOD_CTRL 2
#define PLAT_MOD_ALT 4

// A key with modifiers (Alt+F for a mnemonic, ...).
void plat_test_key_mod(HWND hDlg, int vk, int modifiers);
// A key pressed while the program is busy: it waits in the window system's queue until the
// program looks at its messages (PeekMessageA) or returns to a message loop.
void plat_test_post_key(HWND hWnd, int vk);
// A click on a control, or on the window's close box, made while the program is busy: it
// waits in the window system's queue as the key above does.
void plat_test_post_click(HWND hDlg, int id);
void plat_test_post_close_box(HWND hWnd);
// Resource number of the cursor made current by SetCursor; 0 once the windows' own cursor is
// back (the pointer moved) or when none was set.
int plat_test_cursor_id(void);
// The pointer moves over the program's windows while a message loop runs.
void plat_test_move_pointer(HWND hWnd);
// Range and position of a progress bar; false when hWnd is not one.
bool plat_test_progress(HWND hWnd, int *low, int *high, int *pos);
// Thread and window timers alive.
int plat_test_timer_count(void);

// The open and save dialogs: their file name field is control 0x47C (cmb13; the hooks find
// it in the older layout too, where it is edt1), their buttons IDOK and IDCANCEL.
#define PLAT_FILE_NAME_ID 0x47C

#endif
