// Child windows by class name: the dialog's controls and CreateWindowExA's children.
#include "user32/controls.h"
#include <cctype>
#include <vector>
#include "kernel32/ansi.h"
#include "user32/dialog.h"
#include "user32/queue.h"

static bool same_class(const std::string &a, const char *b) {
    if (a.size() != strlen(b)) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (tolower((unsigned char)a[i]) != tolower((unsigned char)b[i])) return false;
    return true;
}

namespace {

struct ControlClass {
    std::string name;
    ControlFactory factory;
    bool takes_focus;
};

// User32's own classes are there from the start; the others come as their parts register.
std::vector<ControlClass> &classes() {
    static std::vector<ControlClass> table = {
        {"Static", [](QWidget *p, DWORD s, int icon) { return static_create(p, s, icon); }, false},
        {"Button", [](QWidget *p, DWORD s, int) { return button_create(p, s); }, true},
        {"Edit", [](QWidget *p, DWORD s, int) { return edit_create(p, s); }, true},
        {"ListBox", [](QWidget *p, DWORD s, int) { return listbox_create(p, s); }, true},
    };
    return table;
}

const ControlClass *find_class(const std::string &name) {
    for (const ControlClass &c : classes())
        if (same_class(name, c.name.c_str())) return &c;
    return nullptr;
}

} // namespace

void control_class_register(const char *name, ControlFactory factory, bool takes_focus) {
    for (ControlClass &c : classes())
        if (same_class(name, c.name.c_str())) {
            c = {name, factory, takes_focus};
            return;
        }
    classes().push_back({name, factory, takes_focus});
}

Window *control_create(HWND parent, const std::string &cls, const std::string &text, int text_id,
                       DWORD style, const QRect &px, int id) {
    Window *owner = window_from(parent);
    const ControlClass *kind = find_class(cls);
    if (owner == nullptr || !owner->widget || kind == nullptr) return nullptr;
    std::unique_ptr<Window> w = kind->factory(owner->widget, style, text_id);
    if (!w) return nullptr;
    w->parent = parent;
    w->id = id;
    w->style = style | WS_CHILD;
    QWidget *widget = w->widget;
    widget->setGeometry(px);
    widget->setEnabled(!(style & WS_DISABLED));
    bool is_static = !kind->takes_focus ||
                     (same_class(cls, "Button") && (style & BS_TYPEMASK) == BS_GROUPBOX);
    // Tab reaches the controls marked WS_TABSTOP; a click focuses any control but a static.
    widget->setFocusPolicy(is_static              ? Qt::NoFocus
                           : (style & WS_TABSTOP) ? Qt::StrongFocus
                                                  : Qt::ClickFocus);
    Window *raw = w.get();
    window_register(std::move(w));
    raw->set_text(text);
    widget->setVisible((style & WS_VISIBLE) != 0);
    return raw;
}

HWND WINAPI CreateWindowExA(DWORD, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X,
                            int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE,
                            LPVOID) {
    ui_start();
    // Only child controls exist here: the program's top-level windows are all dialogs.
    if (lpClassName == nullptr || IS_INTRESOURCE(lpClassName) || !(dwStyle & WS_CHILD))
        return nullptr;
    Window *w = control_create(hWndParent, lpClassName, lpWindowName ? lpWindowName : "", -1,
                               dwStyle, QRect(X, Y, nWidth, nHeight), (int)(INT_PTR)hMenu);
    if (w == nullptr) return nullptr;
    // It repaints over the siblings it overlaps, as the progress bar does on Windows.
    w->widget->raise();
    return w->handle;
}

BOOL WINAPI DestroyWindow(HWND hWnd) {
    Window *w = window_from(hWnd);
    if (w == nullptr) return FALSE;
    if (!(w->style & WS_CHILD)) {
        dialog_destroy_request(hWnd);
        return TRUE;
    }
    QWidget *widget = w->widget;
    SendMessageA(hWnd, WM_DESTROY, 0, 0);
    window_forget(hWnd);
    delete widget;
    return TRUE;
}
