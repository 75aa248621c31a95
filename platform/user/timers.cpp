// Window and thread timers. A timer does not queue messages: the queue makes one WM_TIMER when
// it is due and nothing else is waiting, and the next one is due an interval after that.
#include "user/tables.h"
#include "win/kernel.h"

#include <algorithm>

using namespace platform::user;

UINT_PTR WINAPI SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC proc) {
    std::shared_ptr<ThreadQueue> queue = currentQueue();
    platform::clock::Tick interval = std::clamp<UINT>(elapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
    std::lock_guard guard(queueLock());
    if (window) {
        Window* w = findLocked(window);
        if (!w) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        if (w->queue != queue) {
            SetLastError(ERROR_ACCESS_DENIED);
            return 0;
        }
    }
    bool known = std::any_of(queue->timers.begin(), queue->timers.end(),
                             [&](const Timer& t) { return t.window == window && t.id == id; });
    if (!window && !known) id = queue->nextThreadTimer++;
    std::erase_if(queue->timers, [&](const Timer& t) { return t.window == window && t.id == id; });
    queue->timers.push_back(Timer{window, id, interval, proc, platform::clock::now() + interval});
    noteArrival(*queue);
    return id ? id : 1;
}

BOOL WINAPI KillTimer(HWND window, UINT_PTR id) {
    std::shared_ptr<ThreadQueue> queue = currentQueue();
    std::lock_guard guard(queueLock());
    if (window) {
        Window* w = findLocked(window);
        if (!w) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        queue = w->queue;
    }
    std::size_t removed = std::erase_if(queue->timers, [&](const Timer& t) { return t.window == window && t.id == id; });
    if (!removed) SetLastError(ERROR_INVALID_PARAMETER);
    return removed ? TRUE : FALSE;
}
