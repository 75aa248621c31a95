// The message queue: retrieving, posting and sending messages, in this process and to the
// windows of other programs of the PC.
//
// Retrieval order as on the platform: messages sent to the thread are answered first, then
// posted messages in order, then the quit request, then WM_PAINT for windows that need it, and
// last WM_TIMER for due timers (one per timer however late it is).
#include "desktop/connection.h"
#include "user/dispatch.h"
#include "user/link.h"
#include "user/tables.h"
#include "win/kernel.h"
#include "win/time.h"

#include <algorithm>

namespace platform::user {
namespace {

using desktop::Kind;
using desktop::Writer;

bool inRange(UINT message, UINT low, UINT high) {
    return (low == 0 && high == 0) || (message >= low && message <= high);
}

bool matches(HWND window, UINT message, HWND filter, UINT low, UINT high) {
    if (filter == reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1))) {
        if (window) return false;
    } else if (filter && window != filter) {
        return false;
    }
    return inRange(message, low, high);
}

// Answers the messages sent to this thread; true when there was one.
bool answerSent(ThreadQueue& queue) {
    bool any = false;
    for (;;) {
        SentMessage m;
        {
            std::lock_guard guard(queueLock());
            if (queue.sent.empty()) return any;
            m = std::move(queue.sent.front());
            queue.sent.pop_front();
        }
        any = true;
        ++queue.inSend;
        LRESULT result = callWindow(m.window, m.message, m.wParam, m.lParam);
        --queue.inSend;
        m.answer(result);
    }
}

void reportIdle() {
    try {
        if (desktop::Connection* c = desktop::Connection::existing()) c->notify(Kind::idle);
    } catch (const std::exception&) {
        // Nobody waits for a program without a desktop.
    }
}

// One pass over the queue; WAIT makes it block until a message comes.
bool retrieve(ThreadQueue& queue, MSG* out, HWND filter, UINT low, UINT high, bool remove, bool wait) {
    for (;;) {
        answerSent(queue);
        std::unique_lock held(queueLock());
        if (!queue.sent.empty()) continue;
        for (auto it = queue.posted.begin(); it != queue.posted.end(); ++it) {
            if (!matches(it->hwnd, it->message, filter, low, high)) continue;
            *out = *it;
            if (remove) queue.posted.erase(it);
            queue.lastMessageTime = out->time;
            return true;
        }
        // WM_QUIT comes whatever the filter asks for.
        if (queue.quit) {
            *out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(queue.quitCode), 0, static_cast<DWORD>(clock::now()), {}};
            if (remove) queue.quit = false;
            return true;
        }
        if (inRange(WM_PAINT, low, high)) {
            for (const auto& [handle, w] : tables().windows) {
                if (w->queue.get() != &queue || !w->needsPaint || (filter && handle != filter)) continue;
                if (!w->visible()) continue;
                *out = MSG{handle, WM_PAINT, 0, 0, static_cast<DWORD>(clock::now()), {}};
                return true;
            }
        }
        clock::Tick now = clock::now();
        Timer* due = nullptr;
        std::optional<clock::Tick> next;
        for (Timer& t : queue.timers) {
            if (!matches(t.window, WM_TIMER, filter, low, high)) continue;
            if (t.due <= now && (!due || t.due < due->due)) due = &t;
            if (!next || t.due < *next) next = t.due;
        }
        if (due) {
            *out = MSG{due->window, WM_TIMER, due->id, reinterpret_cast<LPARAM>(due->proc), static_cast<DWORD>(now), {}};
            if (remove) due->due = now + due->interval;
            queue.lastMessageTime = out->time;
            return true;
        }
        if (!wait) return false;
        if (!queue.idleReported) {
            queue.idleReported = true;
            held.unlock();
            reportIdle();
            continue;
        }
        std::uint64_t seen = queue.arrivals;
        clock::waitUntil(held, queue.wake, next, [&] { return queue.arrivals != seen; });
    }
}

void postLocal(Window& w, UINT message, WPARAM wParam, LPARAM lParam) {
    w.queue->posted.push_back(MSG{w.handle, message, wParam, lParam, static_cast<DWORD>(clock::now()), {}});
    noteArrival(*w.queue);
}

// Messages whose lParam points into the sender's memory: another program cannot read it, so
// they do not leave the process (the receiver would read stray memory).
bool carriesPointer(UINT message) {
    return message == WM_CREATE || message == WM_NCCREATE || message == WM_SETTEXT || message == WM_GETTEXT;
}

struct LocalAnswer {
    bool ready = false;
    LRESULT result = 0;
};

// Sends to one window; OK tells whether it answered. DEADLINE is real time.
LRESULT sendOne(HWND target, UINT message, WPARAM wParam, LPARAM lParam,
                std::optional<std::chrono::steady_clock::time_point> deadline, bool& ok) {
    ok = true;
    std::shared_ptr<ThreadQueue> mine = currentQueue();
    std::unique_lock held(queueLock());
    if (Window* w = findLocked(target)) {
        if (w->queue == mine) {
            held.unlock();
            return callWindow(target, message, wParam, lParam);
        }
        // A window of another thread of this process: its thread answers from its queue.
        auto answer = std::make_shared<LocalAnswer>();
        w->queue->sent.push_back(SentMessage{target, message, wParam, lParam, [answer, mine](LRESULT result) {
                                                 std::lock_guard guard(queueLock());
                                                 answer->ready = true;
                                                 answer->result = result;
                                                 noteArrival(*mine);
                                             }});
        noteArrival(*w->queue);
        held.unlock();
        ok = waitAnsweringSends(*mine, [&] { return answer->ready; }, deadline);
        if (!ok) SetLastError(ERROR_TIMEOUT);
        return ok ? answer->result : 0;
    }
    held.unlock();
    if (carriesPointer(message)) {
        ok = false;
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    desktop::Connection* connection;
    try {
        connection = &link::connection();
    } catch (const std::exception&) {
        ok = false;
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    Writer w;
    w.u64(fromHwnd(target)).u32(message).u64(wParam).i64(lParam);
    std::uint64_t call = connection->startCall(Kind::send, w);
    std::optional<desktop::Reader> reply;
    desktop::Connection::State state = desktop::Connection::State::waiting;
    bool answered = waitAnsweringSends(*mine, [&] {
        state = connection->answer(call, reply);
        return state != desktop::Connection::State::waiting;
    }, deadline);
    if (!answered) {
        connection->abandon(call);
        ok = false;
        SetLastError(ERROR_TIMEOUT);
        return 0;
    }
    if (state != desktop::Connection::State::answered || reply->u8() == 0) {
        ok = false;
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return static_cast<LRESULT>(reply->i64());
}

std::vector<HWND> broadcastTargets() {
    std::vector<HWND> targets;
    for (const desktop::WindowRecord& rec : link::topLevelWindows()) targets.push_back(toHwnd(rec.handle));
    return targets;
}

LRESULT send(HWND target, UINT message, WPARAM wParam, LPARAM lParam,
             std::optional<std::chrono::steady_clock::time_point> deadline, bool& ok) {
    if (target != HWND_BROADCAST) return sendOne(target, message, wParam, lParam, deadline, ok);
    // Every top-level window in turn, topmost first; each answers before the next is asked.
    for (HWND each : broadcastTargets()) {
        bool answered;
        sendOne(each, message, wParam, lParam, deadline, answered);
    }
    ok = true;
    return 0;
}

}  // namespace

LRESULT callWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC proc;
    {
        std::lock_guard guard(queueLock());
        Window* w = findLocked(window);
        if (!w || !w->proc) return 0;
        proc = w->proc;
    }
    return proc(window, message, wParam, lParam);
}

bool waitAnsweringSends(ThreadQueue& queue, const std::function<bool()>& done,
                        std::optional<std::chrono::steady_clock::time_point> deadline) {
    for (;;) {
        answerSent(queue);
        std::unique_lock held(queueLock());
        if (done()) return true;
        if (!queue.sent.empty()) continue;
        if (deadline && std::chrono::steady_clock::now() >= *deadline) return false;
        std::uint64_t seen = queue.arrivals;
        auto changed = [&] { return queue.arrivals != seen; };
        if (deadline) queue.wake.wait_until(held, *deadline, changed);
        else queue.wake.wait(held, changed);
    }
}

void dropQueuedFor(ThreadQueue& queue, HWND window) {
    std::erase_if(queue.posted, [&](const MSG& m) { return m.hwnd == window; });
    std::erase_if(queue.timers, [&](const Timer& t) { return t.window == window; });
}

}  // namespace platform::user

using namespace platform::user;

BOOL WINAPI GetMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax) {
    if (!msg || (window && window != reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1)) && !localWindow(window))) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return -1;
    }
    retrieve(*currentQueue(), msg, window, filterMin, filterMax, true, true);
    return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL WINAPI PeekMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
    if (!msg) return FALSE;
    return retrieve(*currentQueue(), msg, window, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0, false);
}

BOOL WINAPI TranslateMessage(const MSG* msg) {
    // Key-to-character translation for the keys whose character does not depend on the
    // keyboard state; letters come as typed without Shift.
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
    WPARAM key = msg->wParam;
    char ch = 0;
    if (key >= '0' && key <= '9') ch = static_cast<char>(key);
    else if (key >= 'A' && key <= 'Z') ch = static_cast<char>(key - 'A' + 'a');
    else if (key == 0x08 || key == 0x09 || key == 0x0D || key == 0x1B || key == 0x20) ch = static_cast<char>(key);
    if (!ch) return FALSE;
    PostMessageA(msg->hwnd, msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR, static_cast<WPARAM>(ch), msg->lParam);
    return TRUE;
}

LRESULT WINAPI DispatchMessageA(const MSG* msg) {
    if (!msg) return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
        return 0;
    }
    if (!msg->hwnd) return 0;
    Window* w = localWindow(msg->hwnd);
    if (!w || w->queue != currentQueue()) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return callWindow(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!window) {
        std::shared_ptr<ThreadQueue> mine = currentQueue();
        std::lock_guard guard(queueLock());
        mine->posted.push_back(MSG{nullptr, message, wParam, lParam, static_cast<DWORD>(platform::clock::now()), {}});
        noteArrival(*mine);
        return TRUE;
    }
    if (window == HWND_BROADCAST) {
        for (HWND each : broadcastTargets()) PostMessageA(each, message, wParam, lParam);
        return TRUE;
    }
    {
        std::lock_guard guard(queueLock());
        if (Window* w = findLocked(window)) {
            postLocal(*w, message, wParam, lParam);
            return TRUE;
        }
    }
    if (carriesPointer(message)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (link::post(window, message, wParam, lParam)) return TRUE;
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
}

BOOL WINAPI PostThreadMessageA(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
    std::shared_ptr<ThreadQueue> queue = queueOfThread(threadId);
    if (!queue) {
        SetLastError(ERROR_INVALID_THREAD_ID);
        return FALSE;
    }
    std::lock_guard guard(queueLock());
    queue->posted.push_back(MSG{nullptr, message, wParam, lParam, static_cast<DWORD>(platform::clock::now()), {}});
    noteArrival(*queue);
    return TRUE;
}

void WINAPI PostQuitMessage(int exitCode) {
    std::shared_ptr<ThreadQueue> mine = currentQueue();
    std::lock_guard guard(queueLock());
    mine->quit = true;
    mine->quitCode = exitCode;
    noteArrival(*mine);
}

LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    bool ok;
    return send(window, message, wParam, lParam, std::nullopt, ok);
}

LRESULT WINAPI SendMessageTimeoutA(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT, UINT timeout,
                                   PDWORD_PTR result) {
    // The time-out is real time: it bounds a wait for another program, not a timer.
    bool ok;
    LRESULT value = send(window, message, wParam, lParam,
                         std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout), ok);
    if (result) *result = static_cast<DWORD_PTR>(value);
    return ok ? TRUE : FALSE;
}

BOOL WINAPI InSendMessage() {
    return currentQueue()->inSend > 0;
}

LRESULT WINAPI CallWindowProcA(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return proc ? proc(window, message, wParam, lParam) : 0;
}

DWORD WINAPI GetMessageTime() {
    return currentQueue()->lastMessageTime;
}
