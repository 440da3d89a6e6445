// The window objects behind HWND: each wraps a toolkit widget and answers the messages of
// its Win32 class. Handles are never reused, so a stale handle finds nothing.
#ifndef QUILLON_PLAT_UI_WINDOW_H
#define QUILLON_PLAT_UI_WINDOW_H

#include <QPointer>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>
#include <windows.h>

class Window {
  public:
    virtual ~Window() = default;

    HWND handle = nullptr;
    HWND parent = nullptr; // the dialog of a control; the owner of a dialog (GetParent)
    int id = 0;
    DWORD style = 0;
    QPointer<QWidget> widget;
    // A top-level window disabled by EnableWindow (a modal dialog's owner): it takes no input
    // but, as on Windows, its controls are not greyed.
    bool disabled = false;

    // The window procedure of the window's class: what SendMessageA reaches.
    virtual LRESULT message(UINT msg, WPARAM wParam, LPARAM lParam);
    // The window text in Windows-1252.
    virtual std::string text() const { return text_; }
    virtual void set_text(const std::string &ansi) { text_ = ansi; }
    // The text as the user sees it drawn (a static text shortened to fit, ...).
    virtual std::string shown_text() const { return text(); }
    // The Win32 class of a control whose class the layer must tell apart ("" otherwise).
    virtual const char *class_name() const { return ""; }
    // The key a push button answers to Enter: true for push buttons only (not owner-drawn).
    virtual bool is_push_button() const { return false; }

  protected:
    std::string text_;
};

// Enters a window in the table and tags its widget; returns its new handle.
HWND window_register(std::unique_ptr<Window> w);
Window *window_from(HWND h);
// The window whose widget is w or the nearest ancestor of w.
Window *window_of_widget(const QObject *w);
// The window whose own widget is w (null once the window is gone).
Window *window_of_exact_widget(const QObject *w);
// False for a widget of a disabled top-level window: input meant for it is dropped.
bool window_takes_input(const QObject *target);
// The window's children in creation order, which is the layout order of a dialog.
std::vector<Window *> window_children(HWND parent);
// Removes a window and its children from the table; their widgets are left to the caller.
void window_forget(HWND h);

// WM_COMMAND to the control's parent, as a control notifies its dialog.
void notify_parent(Window *control, WORD code);

// Copies text into a caller's buffer of max bytes, terminator included (max <= 0: nothing);
// returns the number of characters copied.
int copy_text_out(const std::string &text, char *buf, int max);

#endif
