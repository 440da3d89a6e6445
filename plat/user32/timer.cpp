// SetTimer and KillTimer over the toolkit's timers. Expiry queues a WM_TIMER message, so a
// callback runs only from a message loop (a modal dialog's included), as on Windows.
#include "user32/timer.h"
#include <QCoreApplication>
#include <QTimer>
#include <map>
#include <utility>
#include "user32/queue.h"

namespace {
struct Timer {
    TIMERPROC proc;
    QTimer *qt;
};
std::map<std::pair<HWND, UINT_PTR>, Timer> timers;
UINT_PTR next_thread_timer = 0x7FF0; // thread timers get ids of their own, never 0
} // namespace

bool ui_timer_proc(HWND hwnd, UINT_PTR id, TIMERPROC *proc) {
    auto it = timers.find({hwnd, id});
    if (it == timers.end()) return false;
    *proc = it->second.proc;
    return true;
}

int ui_timer_count() {
    return (int)timers.size();
}

UINT_PTR WINAPI SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc) {
    ui_start();
    if (hWnd != nullptr && !IsWindow(hWnd)) return 0;
    UINT_PTR id = nIDEvent;
    // A thread timer keeps its id when it is set again; otherwise it gets a new one.
    if (hWnd == nullptr && (id == 0 || !timers.count({nullptr, id}))) id = ++next_thread_timer;
    auto key = std::make_pair(hWnd, id);
    auto it = timers.find(key);
    QTimer *qt = it != timers.end() ? it->second.qt : new QTimer(QCoreApplication::instance());
    if (it == timers.end())
        QObject::connect(qt, &QTimer::timeout, [hWnd, id]() {
            TIMERPROC proc = nullptr;
            if (!ui_timer_proc(hWnd, id, &proc) || ui_timer_message_waiting(hWnd, id)) return;
            MSG m{};
            m.hwnd = hWnd;
            m.message = WM_TIMER;
            m.wParam = id;
            m.lParam = (LPARAM)proc;
            m.time = ui_tick_count();
            ui_post(m);
        });
    timers[key] = Timer{lpTimerFunc, qt};
    // A Windows timer never fires before its time; Qt's default coarse timers may, by 5%.
    qt->setTimerType(Qt::PreciseTimer);
    qt->start(uElapse < 10 ? 10 : (int)uElapse); // USER_TIMER_MINIMUM
    return hWnd == nullptr ? id : (nIDEvent ? nIDEvent : 1);
}

BOOL WINAPI KillTimer(HWND hWnd, UINT_PTR uIDEvent) {
    auto it = timers.find({hWnd, uIDEvent});
    if (it == timers.end()) return FALSE;
    delete it->second.qt;
    timers.erase(it);
    ui_remove_timer_messages(hWnd, uIDEvent);
    return TRUE;
}
