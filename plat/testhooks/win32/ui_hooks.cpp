// The test hooks over the real Win32 API: each dialog is caught as it is initialised (a
// thread hook sees WM_INITDIALOG) and handed to the test from inside its own modal loop (a
// thread timer, which the loop dispatches once the dialog is up and painted). The test's
// keys are posted to the window system's queue, as a user's would arrive, then the queue is
// run as the dialog manager runs it, so that each action has had its effect on return; the
// mouse reaches its window at once, as the toolkit's does over the platform layer, and only
// a window that takes input (a modal dialog disables its owner).
#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include <string>
#include <vector>
#include "plattest_ui.h"
#include "testhooks/handlers.h"
#include "testhooks/win32/wrapped.h"

namespace {

HHOOK hook = nullptr;
std::vector<HWND> to_announce;

bool is_dialog(HWND h) {
    char name[16] = "";
    return h && GetClassNameA(h, name, sizeof name) && strcmp(name, "#32770") == 0;
}

// Runs the queue until it is empty, as DialogBox's loop would: keys go through the dialog
// manager of the dialog they are for. A WM_QUIT met on the way is left for the program. The
// input and the posted messages only, unless `all`: a window that never validates itself
// (Wine's file list) would keep WM_PAINT coming for ever.
void run_queue(bool all = false) {
    MSG m;
    UINT kinds = all ? 0 : PM_QS_INPUT | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE | kinds)) {
        if (m.message == WM_QUIT) {
            PostQuitMessage((int)m.wParam);
            return;
        }
        HWND root = m.hwnd ? GetAncestor(m.hwnd, GA_ROOT) : nullptr;
        if (is_dialog(root) && IsDialogMessageA(root, &m)) continue;
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

void announce(HWND h) {
    int template_id = testhooks_template_of(h);
    PlatDialogHandler handler;
    if (testhooks_next_handler(&handler)) {
        testhooks_handler_runs(true);
        handler(h, template_id);
        testhooks_handler_runs(false);
        return;
    }
    // Nobody answers a test's dialog: close it so that nothing waits for ever, and say what
    // it showed.
    testhooks_unanswered();
    std::string texts = plat_test_caption(h);
    for (HWND c = GetWindow(h, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        texts += " | " + plat_test_caption(c);
    fprintf(stderr, "unanswered dialog %d: %s\n", template_id, texts.c_str());
    plat_test_close_box(h);
    if (IsWindow(h) && IsWindowVisible(h)) EndDialog(h, -1);
}

// A dialog without WS_VISIBLE shows when its loop first finds the queue empty: until then it
// waits, and the timer comes again.
void CALLBACK announce_pending(HWND, UINT, UINT_PTR id, DWORD) {
    testhooks_real_KillTimer(nullptr, id);
    std::vector<HWND> now, later;
    now.swap(to_announce);
    for (HWND h : now) {
        if (!IsWindow(h)) continue;
        if (IsWindowVisible(h))
            announce(h);
        else
            later.push_back(h);
    }
    if (later.empty()) return;
    to_announce.insert(to_announce.end(), later.begin(), later.end());
    testhooks_real_SetTimer(nullptr, 0, 10, announce_pending);
}

// A top-level dialog initialised: announced from the loop that runs it.
LRESULT CALLBACK on_message_done(int code, WPARAM wParam, LPARAM lParam) {
    const CWPRETSTRUCT *m = (const CWPRETSTRUCT *)lParam;
    if (code == HC_ACTION && m->message == WM_INITDIALOG &&
        !(GetWindowLongA(m->hwnd, GWL_STYLE) & WS_CHILD) && is_dialog(m->hwnd)) {
        testhooks_dialog_initialised(m->hwnd);
        to_announce.push_back(m->hwnd);
        testhooks_real_SetTimer(nullptr, 0, 0, announce_pending);
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

// A dialog's control. The open and save dialogs' name field is cmb13 in their current layout;
// Wine gives the 76-byte OPENFILENAMEA, which the program passes, the older layout, where it
// is edt1.
// Where two controls have the number (Wine's open dialog has a toolbar numbered IDOK beside
// its Open button), the button is the one a user means.
HWND control(HWND hDlg, int id) {
    HWND found = nullptr;
    for (HWND c = GetWindow(hDlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(c) != id) continue;
        char name[16] = "";
        if (GetClassNameA(c, name, sizeof name) && lstrcmpiA(name, "Button") == 0) return c;
        if (found == nullptr) found = c;
    }
    if (found == nullptr && id == PLAT_FILE_NAME_ID) found = GetDlgItem(hDlg, 0x480);
    return found;
}

bool is_edit(HWND h) {
    char name[16] = "";
    return GetClassNameA(h, name, sizeof name) && lstrcmpiA(name, "Edit") == 0;
}

// The edit field that takes a control's typing: itself, or the one inside a combo box.
HWND edit_of(HWND c) {
    if (c == nullptr || is_edit(c)) return c;
    for (HWND child = GetWindow(c, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (HWND e = edit_of(child)) return e;
    return nullptr;
}

// The window that takes a window's keys: the focus when it lies in that window, else the
// window itself.
HWND keyboard_target(HWND h) {
    HWND focus = GetFocus();
    return focus && (focus == h || IsChild(h, focus)) ? focus : h;
}

// The modifier keys held for the next input, as the keyboard state shows them.
struct Modifiers {
    BYTE before[256];
    explicit Modifiers(int mods) {
        GetKeyboardState(before);
        BYTE now[256];
        memcpy(now, before, sizeof now);
        auto hold = [&now](int vk, bool down) { now[vk] = down ? 0x80 : 0; };
        hold(VK_SHIFT, mods & PLAT_MOD_SHIFT);
        hold(VK_CONTROL, mods & PLAT_MOD_CTRL);
        hold(VK_MENU, mods & PLAT_MOD_ALT);
        SetKeyboardState(now);
    }
    ~Modifiers() { SetKeyboardState(before); }
    static WPARAM mouse_keys(int mods) {
        return (mods & PLAT_MOD_SHIFT ? MK_SHIFT : 0) | (mods & PLAT_MOD_CTRL ? MK_CONTROL : 0);
    }
};

// A window takes the mouse and the keys only while it and the windows it lies in are
// enabled: a modal dialog disables its owner.
bool takes_input(HWND h) {
    for (; h != nullptr; h = GetParent(h)) {
        if (!IsWindowEnabled(h)) return false;
        if (!(GetWindowLongA(h, GWL_STYLE) & WS_CHILD)) break;
    }
    return true;
}

// The mouse reaches the window under it at once, ahead of the keys waiting in the queue (a
// key typed while the program works is read by the work).
void mouse(HWND h, UINT msg, WPARAM keys, POINT at) {
    SendMessageA(h, msg, keys, MAKELPARAM(at.x, at.y));
}

// A key's press and release as the keyboard sends them (Alt held: the system keys).
void post_key_strokes(HWND target, int vk, int mods) {
    UINT scan = MapVirtualKeyA((UINT)vk, MAPVK_VK_TO_VSC);
    LPARAM down = 1 | (LPARAM)scan << 16, up = down | 0xC0000000;
    bool alt = mods & PLAT_MOD_ALT;
    if (alt) {
        down |= 1 << 29;
        up |= 1 << 29;
    }
    PostMessageA(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, (WPARAM)vk, down);
    PostMessageA(target, alt ? WM_SYSKEYUP : WM_KEYUP, (WPARAM)vk, up);
}

// Where an entry of a list box is, scrolled into view first as a user would.
bool list_entry(HWND list, int index, POINT *at) {
    if (list == nullptr || index < 0 || index >= (int)SendMessageA(list, LB_GETCOUNT, 0, 0))
        return false;
    RECT r, client;
    GetClientRect(list, &client);
    SendMessageA(list, LB_GETITEMRECT, (WPARAM)index, (LPARAM)&r);
    if (r.top < client.top || r.bottom > client.bottom) {
        SendMessageA(list, LB_SETTOPINDEX, (WPARAM)index, 0);
        SendMessageA(list, LB_GETITEMRECT, (WPARAM)index, (LPARAM)&r);
    }
    *at = POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    return true;
}

} // namespace

void testhooks_install_ui(void) {
    if (hook == nullptr)
        hook = SetWindowsHookExA(WH_CALLWNDPROCRET, on_message_done, nullptr, GetCurrentThreadId());
    testhooks_watch_commands();
    InitCommonControls();
}

void plat_test_click(HWND hDlg, int id) {
    HWND c = control(hDlg, id);
    if (c == nullptr || !IsWindowVisible(c)) return;
    RECT r;
    GetClientRect(c, &r);
    // A check box answers to a click on its box or its label, at its left.
    LONG style = GetWindowLongA(c, GWL_STYLE) & BS_TYPEMASK;
    bool box = style == BS_CHECKBOX || style == BS_AUTOCHECKBOX || style == BS_3STATE ||
               style == BS_AUTO3STATE || style == BS_RADIOBUTTON || style == BS_AUTORADIOBUTTON;
    POINT at = {box ? 6 : r.right / 2, r.bottom / 2};
    if (!takes_input(c)) return;
    mouse(c, WM_LBUTTONDOWN, MK_LBUTTON, at);
    mouse(c, WM_LBUTTONUP, 0, at);
    run_queue();
}

void plat_test_key_mod(HWND hDlg, int vk, int modifiers) {
    HWND target = keyboard_target(hDlg);
    if (!takes_input(target)) return;
    Modifiers held(modifiers);
    post_key_strokes(target, vk, modifiers);
    run_queue();
}

void plat_test_key(HWND hDlg, int vk) {
    plat_test_key_mod(hDlg, vk, 0);
}

void plat_test_post_key(HWND hWnd, int vk) {
    post_key_strokes(keyboard_target(hWnd), vk, 0);
}

void plat_test_post_click(HWND hDlg, int id) {
    HWND c = control(hDlg, id);
    RECT r;
    if (c == nullptr || !GetClientRect(c, &r)) return;
    LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
    PostMessageA(c, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(c, WM_LBUTTONUP, 0, at);
}

// The press on the box starts the window's tracking of the button, which the release ends.
void plat_test_post_close_box(HWND hWnd) {
    RECT r;
    if (!GetWindowRect(hWnd, &r)) return;
    int caption = GetSystemMetrics(SM_CYCAPTION);
    POINT box = {r.right - caption / 2 - GetSystemMetrics(SM_CXFRAME), r.top + caption / 2};
    PostMessageA(hWnd, WM_NCLBUTTONDOWN, HTCLOSE, MAKELPARAM(box.x, box.y));
    ScreenToClient(hWnd, &box);
    PostMessageA(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(box.x, box.y));
}

void plat_test_close_box(HWND hDlg) {
    if (!takes_input(hDlg)) return;
    SendMessageA(hDlg, WM_SYSCOMMAND, SC_CLOSE, 0);
    run_queue();
}

void plat_test_type(HWND hDlg, int id, const char *ansi) {
    HWND edit = edit_of(control(hDlg, id));
    if (edit == nullptr) return;
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    post_key_strokes(edit, VK_DELETE, 0);
    // Each character as the keyboard's translation delivers it.
    for (const char *p = ansi ? ansi : ""; *p; ++p)
        PostMessageA(edit, WM_CHAR, (unsigned char)*p, 1);
    run_queue();
}

void plat_test_select(HWND hDlg, int id, int index, int modifiers) {
    HWND list = GetDlgItem(hDlg, id);
    POINT at;
    if (!list_entry(list, index, &at)) return;
    if (!takes_input(list)) return;
    Modifiers held(modifiers);
    WPARAM keys = Modifiers::mouse_keys(modifiers);
    mouse(list, WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
    mouse(list, WM_LBUTTONUP, keys, at);
    run_queue();
}

void plat_test_double_click(HWND hDlg, int id, int index) {
    HWND list = GetDlgItem(hDlg, id);
    POINT at;
    if (!list_entry(list, index, &at)) return;
    if (!takes_input(list)) return;
    // What the window system delivers: press, release, double-click, release.
    mouse(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    mouse(list, WM_LBUTTONUP, 0, at);
    mouse(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    mouse(list, WM_LBUTTONUP, 0, at);
    run_queue();
}

std::string plat_test_caption(HWND hWnd) {
    std::string s((size_t)GetWindowTextLengthA(hWnd) + 1, '\0');
    s.resize((size_t)GetWindowTextA(hWnd, &s[0], (int)s.size()));
    return s;
}

std::string plat_test_text(HWND hDlg, int id) {
    HWND c = control(hDlg, id);
    return c ? plat_test_caption(c) : std::string();
}

// As the static control draws it: shortened with an ellipsis where its style asks for one.
std::string plat_test_shown_text(HWND hDlg, int id) {
    HWND c = control(hDlg, id);
    std::string text = c ? plat_test_caption(c) : std::string();
    LONG style = c ? GetWindowLongA(c, GWL_STYLE) : 0;
    UINT ellipsis = (style & SS_ELLIPSISMASK) == SS_PATHELLIPSIS   ? DT_PATH_ELLIPSIS
                    : (style & SS_ELLIPSISMASK) == SS_ENDELLIPSIS  ? DT_END_ELLIPSIS
                    : (style & SS_ELLIPSISMASK) == SS_WORDELLIPSIS ? DT_WORD_ELLIPSIS
                                                                   : 0;
    if (ellipsis == 0 || text.empty()) return text;
    RECT r;
    GetClientRect(c, &r);
    HDC screen = GetDC(c), dc = CreateCompatibleDC(screen);
    HBITMAP bm = CreateCompatibleBitmap(screen, r.right + 1, r.bottom + 1);
    HGDIOBJ old_bm = SelectObject(dc, bm);
    HGDIOBJ old_font = SelectObject(dc, (HFONT)SendMessageA(c, WM_GETFONT, 0, 0));
    std::string shown = text + std::string(4, '\0'); // room for the ellipsis
    DrawTextA(dc, &shown[0], (int)text.size(), &r,
              ellipsis | DT_MODIFYSTRING | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old_font);
    SelectObject(dc, old_bm);
    DeleteObject(bm);
    DeleteDC(dc);
    ReleaseDC(c, screen);
    shown.resize(strlen(shown.c_str()));
    return shown;
}

int plat_test_beep_count(void) {
    return testhooks_beeps();
}

void plat_test_wait(int ms) {
    DWORD end = GetTickCount() + (DWORD)ms;
    for (;;) {
        run_queue(true);
        int left = (int)(end - GetTickCount());
        if (left <= 0) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, (DWORD)left, QS_ALLINPUT);
    }
}

namespace {
struct CursorSearch {
    HCURSOR cursor;
    int id;
};
BOOL CALLBACK cursor_resource(HMODULE module, LPCSTR, LPSTR name, LONG_PTR p) {
    CursorSearch *s = (CursorSearch *)p;
    if (!IS_INTRESOURCE(name) || LoadCursorA(module, name) != s->cursor) return TRUE;
    s->id = (int)(ULONG_PTR)name;
    return FALSE;
}
} // namespace

// The cursor's resource number: the module's cursor resource whose shared handle it is.
int plat_test_cursor_id(void) {
    CursorSearch s = {GetCursor(), 0};
    if (s.cursor) EnumResourceNamesA(nullptr, RT_GROUP_CURSOR, cursor_resource, (LONG_PTR)&s);
    return s.id;
}

// The pointer is moved by the input path (the window under it then sets its cursor).
void plat_test_move_pointer(HWND hWnd) {
    RECT r;
    if (!GetWindowRect(hWnd, &r)) return;
    for (int step = 0; step < 2; ++step) {
        INPUT in = {};
        in.type = INPUT_MOUSE;
        in.mi.dx = ((r.left + r.right) / 2 + step) * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
        in.mi.dy = ((r.top + r.bottom) / 2) * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
        in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        SendInput(1, &in, sizeof in);
        plat_test_wait(20);
    }
}

bool plat_test_progress(HWND hWnd, int *low, int *high, int *pos) {
    char name[32] = "";
    if (!hWnd || !GetClassNameA(hWnd, name, sizeof name) || lstrcmpiA(name, PROGRESS_CLASSA) != 0)
        return false;
    *low = (int)SendMessageA(hWnd, PBM_GETRANGE, TRUE, 0);
    *high = (int)SendMessageA(hWnd, PBM_GETRANGE, FALSE, 0);
    *pos = (int)SendMessageA(hWnd, PBM_GETPOS, 0, 0);
    return true;
}

int plat_test_timer_count(void) {
    return testhooks_timers_alive();
}
