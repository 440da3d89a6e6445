// The thread's message queue, its pump inside the toolkit's loops, and the Win32 functions
// that read it.
#include "user32/queue.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <deque>
#include <memory>
#include "user32/holder.h"
#include "user32/timer.h"
#include "user32/window.h"

namespace {

struct Queued {
    MSG msg{};
    std::unique_ptr<QEvent> event; // keyboard input: the event that replays it
    QPointer<QObject> target;
};

std::deque<Queued> queue;
std::deque<Queued> taken; // input removed by Peek/Get, waiting for DispatchMessageA
bool quit_waiting = false;
int quit_code = 0;
int capture_depth = 0;
std::deque<std::function<void()>> calls;

const QEvent::Type pump_event = QEvent::Type(QEvent::User + 0x51);

// Runs the posted calls and dispatches the queue from whatever toolkit loop is running.
class Pump : public QObject {
  public:
    bool posted = false;
    bool event(QEvent *e) override {
        if (e->type() != pump_event) return QObject::event(e);
        posted = false;
        run();
        return true;
    }
    void request() {
        if (posted) return;
        posted = true;
        QCoreApplication::postEvent(this, new QEvent(pump_event));
    }

  private:
    void run();
};

Pump *pump() {
    static Pump *p = new Pump;
    return p;
}

void replay(Queued &q) {
    if (q.target) QCoreApplication::sendEvent(q.target, q.event.get());
}

void Pump::run() {
    // One item at a time: a dispatch may run a nested loop that pumps too.
    while (capture_depth == 0) {
        if (!calls.empty()) {
            std::function<void()> fn = std::move(calls.front());
            calls.pop_front();
            fn();
        } else if (!queue.empty()) {
            Queued q = std::move(queue.front());
            queue.pop_front();
            if (q.event)
                replay(q);
            else
                DispatchMessageA(&q.msg);
        } else {
            break;
        }
    }
}

bool matches(const MSG &m, HWND hwnd, UINT lo, UINT hi) {
    if (hwnd != nullptr && m.hwnd != hwnd) return false;
    return (lo == 0 && hi == 0) || (m.message >= lo && m.message <= hi);
}

// Lets the toolkit deliver what is waiting (paint, timers, input to be queued) without
// running any of the program's code.
void look_at_window_system(bool wait) {
    ++capture_depth;
    UiHolder held(false);
    QCoreApplication::processEvents(wait ? QEventLoop::WaitForMoreEvents : QEventLoop::AllEvents);
    --capture_depth;
    if (capture_depth == 0 && (!queue.empty() || !calls.empty())) pump()->request();
}

} // namespace

void ui_start() {
    static bool started = false;
    if (started || QCoreApplication::instance() == nullptr) return;
    started = true;
    pump();
    ui_install_input_filter();
}

bool ui_capturing() {
    return capture_depth > 0;
}

void ui_post_call(std::function<void()> fn) {
    calls.push_back(std::move(fn));
    pump()->request();
}

void ui_post(const MSG &msg) {
    Queued q;
    q.msg = msg;
    queue.push_back(std::move(q));
    pump()->request();
}

void ui_post_input(const MSG &msg, QObject *target, QEvent *event) {
    Queued q;
    q.msg = msg;
    q.event.reset(event);
    q.target = target;
    queue.push_back(std::move(q));
    pump()->request();
}

bool ui_timer_message_waiting(HWND hwnd, UINT_PTR id) {
    for (const Queued &q : queue)
        if (q.msg.message == WM_TIMER && q.msg.hwnd == hwnd && q.msg.wParam == id) return true;
    return false;
}

void ui_remove_timer_messages(HWND hwnd, UINT_PTR id) {
    for (auto it = queue.begin(); it != queue.end();)
        if (it->msg.message == WM_TIMER && it->msg.hwnd == hwnd && it->msg.wParam == id)
            it = queue.erase(it);
        else
            ++it;
}

DWORD ui_tick_count() {
    static QElapsedTimer clock;
    if (!clock.isValid()) clock.start();
    return (DWORD)clock.elapsed();
}

// ---- Win32

BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (hWnd != nullptr && !IsWindow(hWnd)) return FALSE;
    MSG m{};
    m.hwnd = hWnd;
    m.message = Msg;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = ui_tick_count();
    ui_post(m);
    return TRUE;
}

void WINAPI PostQuitMessage(int nExitCode) {
    quit_waiting = true;
    quit_code = nExitCode;
}

BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax,
                         UINT wRemoveMsg) {
    ui_start();
    look_at_window_system(false);
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        if (!matches(it->msg, hWnd, wMsgFilterMin, wMsgFilterMax)) continue;
        if (lpMsg) *lpMsg = it->msg;
        if (wRemoveMsg & PM_REMOVE) {
            if (it->event) {
                taken.push_back(std::move(*it));
                if (taken.size() > 64) taken.pop_front();
            }
            queue.erase(it);
        }
        return TRUE;
    }
    // The quit request comes after everything else and passes any filter.
    if (quit_waiting && hWnd == nullptr) {
        if (lpMsg) {
            *lpMsg = MSG{};
            lpMsg->message = WM_QUIT;
            lpMsg->wParam = (WPARAM)quit_code;
            lpMsg->time = ui_tick_count();
        }
        if (wRemoveMsg & PM_REMOVE) quit_waiting = false;
        return TRUE;
    }
    return FALSE;
}

BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
    ui_start();
    MSG m{};
    while (!PeekMessageA(&m, hWnd, wMsgFilterMin, wMsgFilterMax, PM_REMOVE))
        look_at_window_system(true);
    if (lpMsg) *lpMsg = m;
    return m.message != WM_QUIT;
}

BOOL WINAPI TranslateMessage(CONST MSG *lpMsg) {
    // The replayed key events carry their characters themselves: nothing to post.
    return lpMsg && (lpMsg->message == WM_KEYDOWN || lpMsg->message == WM_SYSKEYDOWN);
}

LRESULT WINAPI DispatchMessageA(CONST MSG *lpMsg) {
    if (lpMsg == nullptr) return 0;
    if (lpMsg->message == WM_TIMER) {
        TIMERPROC proc = nullptr;
        // Only a live timer's own callback is called.
        if (!ui_timer_proc(lpMsg->hwnd, lpMsg->wParam, &proc)) return 0;
        if (proc != nullptr && (LPARAM)proc == lpMsg->lParam) {
            proc(lpMsg->hwnd, WM_TIMER, lpMsg->wParam, ui_tick_count());
            return 0;
        }
    }
    for (auto it = taken.begin(); it != taken.end(); ++it) {
        const MSG &m = it->msg;
        if (m.hwnd == lpMsg->hwnd && m.message == lpMsg->message && m.wParam == lpMsg->wParam &&
            m.lParam == lpMsg->lParam && m.time == lpMsg->time) {
            Queued q = std::move(*it);
            taken.erase(it);
            replay(q);
            return 0;
        }
    }
    return SendMessageA(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}
