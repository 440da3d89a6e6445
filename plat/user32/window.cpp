// The handle table, and the functions every window class shares: texts, messages, items.
#include "user32/window.h"
#include "gdi32/fonts.h"
#include <QVariant>
#include <cstdio>
#include <cstring>
#include <map>

namespace {
const char *const handle_property = "plat_hwnd";

std::map<uintptr_t, std::unique_ptr<Window>> &table() {
    static std::map<uintptr_t, std::unique_ptr<Window>> t;
    return t;
}
uintptr_t next_handle = 0x10000;
} // namespace

HWND window_register(std::unique_ptr<Window> w) {
    next_handle += 4;
    HWND h = (HWND)next_handle;
    w->handle = h;
    if (w->widget)
        w->widget->setProperty(handle_property, QVariant::fromValue((qulonglong)next_handle));
    table()[next_handle] = std::move(w);
    return h;
}

Window *window_from(HWND h) {
    auto it = table().find((uintptr_t)h);
    return it == table().end() ? nullptr : it->second.get();
}

Window *window_of_widget(const QObject *w) {
    for (; w != nullptr; w = w->parent()) {
        QVariant v = w->property(handle_property);
        if (v.isValid()) {
            Window *win = window_from((HWND)(uintptr_t)v.toULongLong());
            if (win != nullptr) return win;
        }
    }
    return nullptr;
}

Window *window_of_exact_widget(const QObject *w) {
    QVariant v = w ? w->property(handle_property) : QVariant();
    return v.isValid() ? window_from((HWND)(uintptr_t)v.toULongLong()) : nullptr;
}

std::vector<Window *> window_children(HWND parent) {
    std::vector<Window *> out;
    for (auto &entry : table())
        if (entry.second->parent == parent && entry.second->handle != parent &&
            (entry.second->style & WS_CHILD))
            out.push_back(entry.second.get());
    return out;
}

void window_forget(HWND h) {
    for (Window *child : window_children(h)) window_forget(child->handle);
    table().erase((uintptr_t)h);
}

void notify_parent(Window *control, WORD code) {
    SendMessageA(control->parent, WM_COMMAND, MAKEWPARAM(control->id, code),
                 (LPARAM)control->handle);
}

int copy_text_out(const std::string &text, char *buf, int max) {
    if (buf == nullptr || max <= 0) return 0;
    int n = (int)std::min(text.size(), (size_t)max - 1);
    memcpy(buf, text.data(), n);
    buf[n] = '\0';
    return n;
}

LRESULT Window::message(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SETTEXT:
        set_text(lParam ? (const char *)lParam : "");
        return TRUE;
    case WM_GETTEXT:
        return copy_text_out(text(), (char *)lParam, (int)wParam);
    case WM_GETTEXTLENGTH:
        return (LRESULT)text().size();
    case WM_GETFONT:
        return widget ? (LRESULT)gdi_font_handle(widget->font()) : 0;
    default:
        return 0;
    }
}

// ---- Win32 functions over the table

LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    Window *w = window_from(hWnd);
    return w ? w->message(Msg, wParam, lParam) : 0;
}

BOOL WINAPI IsWindow(HWND hWnd) {
    return window_from(hWnd) != nullptr;
}

HWND WINAPI GetParent(HWND hWnd) {
    Window *w = window_from(hWnd);
    return w && window_from(w->parent) ? w->parent : nullptr;
}

HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem) {
    for (Window *c : window_children(hDlg))
        if (c->id == nIDDlgItem) return c->handle;
    return nullptr;
}

int WINAPI GetDlgCtrlID(HWND hWnd) {
    Window *w = window_from(hWnd);
    return w && (w->style & WS_CHILD) ? w->id : 0;
}

LRESULT WINAPI SendDlgItemMessageA(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam,
                                   LPARAM lParam) {
    return SendMessageA(GetDlgItem(hDlg, nIDDlgItem), Msg, wParam, lParam);
}

BOOL WINAPI SetWindowTextA(HWND hWnd, LPCSTR lpString) {
    return window_from(hWnd) ? (BOOL)SendMessageA(hWnd, WM_SETTEXT, 0, (LPARAM)lpString) : FALSE;
}

int WINAPI GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount) {
    if (!window_from(hWnd)) {
        copy_text_out("", lpString, nMaxCount);
        return 0;
    }
    return (int)SendMessageA(hWnd, WM_GETTEXT, (WPARAM)nMaxCount, (LPARAM)lpString);
}

int WINAPI GetWindowTextLengthA(HWND hWnd) {
    return (int)SendMessageA(hWnd, WM_GETTEXTLENGTH, 0, 0);
}

BOOL WINAPI SetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPCSTR lpString) {
    return SetWindowTextA(GetDlgItem(hDlg, nIDDlgItem), lpString);
}

UINT WINAPI GetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPSTR lpString, int cchMax) {
    return (UINT)GetWindowTextA(GetDlgItem(hDlg, nIDDlgItem), lpString, cchMax);
}

BOOL WINAPI SetDlgItemInt(HWND hDlg, int nIDDlgItem, UINT uValue, BOOL bSigned) {
    char text[16];
    if (bSigned)
        snprintf(text, sizeof text, "%d", (int)uValue);
    else
        snprintf(text, sizeof text, "%u", uValue);
    return SetDlgItemTextA(hDlg, nIDDlgItem, text);
}

BOOL WINAPI CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck) {
    HWND h = GetDlgItem(hDlg, nIDButton);
    if (h == nullptr) return FALSE;
    SendMessageA(h, BM_SETCHECK, uCheck, 0);
    return TRUE;
}

UINT WINAPI IsDlgButtonChecked(HWND hDlg, int nIDButton) {
    return (UINT)SendMessageA(GetDlgItem(hDlg, nIDButton), BM_GETCHECK, 0, 0);
}

BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
    Window *w = window_from(hWnd);
    if (w == nullptr || !w->widget) return FALSE;
    BOOL was = w->widget->isVisible();
    w->widget->setVisible(nCmdShow != SW_HIDE);
    return was;
}

BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable) {
    Window *w = window_from(hWnd);
    if (w == nullptr || !w->widget) return FALSE;
    BOOL was_disabled = !IsWindowEnabled(hWnd);
    if (w->widget->isWindow())
        w->disabled = !bEnable; // the toolkit would disable the dialogs it owns as well
    else
        w->widget->setEnabled(bEnable != FALSE);
    return was_disabled;
}

BOOL WINAPI IsWindowEnabled(HWND hWnd) {
    Window *w = window_from(hWnd);
    return w && w->widget && w->widget->isEnabled() && !w->disabled;
}

// Shown, and so are the windows it lies in (an ended dialog is hidden until it goes).
BOOL WINAPI IsWindowVisible(HWND hWnd) {
    Window *w = window_from(hWnd);
    return w && w->widget && w->widget->isVisible();
}

bool window_takes_input(const QObject *target) {
    if (!target->isWidgetType()) return true;
    Window *top = window_of_exact_widget(static_cast<const QWidget *>(target)->window());
    return top == nullptr || !top->disabled;
}
