// Modal dialogs from the resource script and the dialog manager's keyboard.
#ifndef QUILLON_PLAT_UI_DIALOG_H
#define QUILLON_PLAT_UI_DIALOG_H

#include <QEventLoop>
#include <QKeyEvent>
#include "user32/units.h"
#include "user32/window.h"

class DialogWindow : public Window {
  public:
    DLGPROC proc = nullptr;
    int template_id = 0;
    int default_id = 0; // the default push button (DM_GETDEFID), 0 for none
    BaseUnits units{0, 0};
    bool ended = false;
    bool destroyed = false;
    INT_PTR result = -1;
    QEventLoop *loop = nullptr;
    HICON small_icon = nullptr;

    // DefDlgProc: the dialog procedure first, then the default handling.
    LRESULT message(UINT msg, WPARAM wParam, LPARAM lParam) override;
    std::string text() const override;
    void set_text(const std::string &ansi) override;
    void end(INT_PTR value);
};

DialogWindow *dialog_from(HWND h);

// The dialog manager's share of a key press inside one of our dialogs (Escape, Enter,
// mnemonics); true when it consumed the key.
bool dialog_handle_key(QObject *receiver, QKeyEvent *e);

// The user moves the focus (Tab, a mnemonic, a click): a push button it reaches becomes the
// one Enter presses, as Windows' dialog manager makes it the default button; a button given
// the focus by SetFocus alone does not.
void dialog_user_moves_focus(void);

// DestroyWindow on a modal dialog: the procedure gets WM_DESTROY now and the loop ends.
void dialog_destroy_request(HWND h);

// Called once a modal dialog is up, from inside its loop (template 0 for the open/save
// dialogs): where the test hooks catch each dialog, as a thread hook does on Windows, without
// user32 knowing them. None is set unless the hooks are linked in.
using DialogShownHook = void (*)(HWND h, int template_id);
void dialog_set_shown_hook(DialogShownHook hook);
void dialog_announce(HWND h, int template_id);

#endif
