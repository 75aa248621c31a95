#include "user/link.h"

#include "user/tables.h"
#include "win/kernel.h"

#include <unistd.h>

#include <cstdlib>

namespace platform::user::link {
namespace {

using desktop::Kind;
using desktop::Writer;

// Messages from other programs join the queue of the thread that owns the target window.
class WindowInbox : public desktop::Inbox {
public:
    void deliver(std::uint64_t delivery, std::uint64_t window, std::uint32_t message, std::uint64_t wParam,
                 std::int64_t lParam) override {
        HWND target = toHwnd(window);
        {
            std::lock_guard guard(queueLock());
            if (Window* w = findLocked(target)) {
                ThreadQueue& queue = *w->queue;
                if (delivery == 0) {
                    queue.posted.push_back(MSG{target, message, static_cast<WPARAM>(wParam),
                                               static_cast<LPARAM>(lParam), 0, {}});
                } else {
                    queue.sent.push_back(SentMessage{target, message, static_cast<WPARAM>(wParam),
                                                     static_cast<LPARAM>(lParam), [delivery](LRESULT result) {
                                                         answerSent(delivery, result);
                                                     }});
                }
                noteArrival(queue);
                return;
            }
        }
        if (delivery) answerSent(delivery, 0);
    }

    // The PC shuts down: the program ends at once, as the platform ends what is left at the
    // end of a shut-down.
    void endSession() override {
        if (desktop::Connection* c = desktop::Connection::existing()) c->notify(Kind::programEnd, Writer().i64(0));
        std::_Exit(0);
    }

    static void answerSent(std::uint64_t delivery, LRESULT result) {
        if (desktop::Connection* c = desktop::Connection::existing())
            c->notify(Kind::sendReply, Writer().u64(delivery).i64(result));
    }
};

}  // namespace

desktop::Connection& connection() {
    static bool installed = [] {
        static WindowInbox inbox;
        desktop::Connection::setInbox(&inbox);
        desktop::Connection::setAnswerHook(wakeAllQueues);
        return true;
    }();
    (void)installed;
    return desktop::Connection::get();
}

desktop::WindowRecord recordOf(const Window& w) {
    desktop::WindowRecord rec;
    rec.handle = fromHwnd(w.handle);
    rec.parent = fromHwnd(w.parent);
    rec.owner = fromHwnd(w.owner);
    rec.pid = ::getpid();
    rec.className = w.windowClass->name;
    rec.title = w.title;
    rec.style = w.style;
    rec.exStyle = w.exStyle;
    RECT screen = w.rect;
    if (w.isChild()) {
        if (Window* parent = localWindow(w.parent)) {
            POINT origin = clientOrigin(*parent);
            screen = {w.rect.left + origin.x, w.rect.top + origin.y, w.rect.right + origin.x, w.rect.bottom + origin.y};
        }
    }
    rec.left = screen.left;
    rec.top = screen.top;
    rec.right = screen.right;
    rec.bottom = screen.bottom;
    rec.visible = w.visible();
    return rec;
}

HWND registerWindow(const Window& window) {
    try {
        Writer w;
        recordOf(window).write(w);
        return toHwnd(connection().call(Kind::createWindow, w).u64());
    } catch (const std::exception&) {
        SetLastError(ERROR_INVALID_FUNCTION);
        return nullptr;
    }
}

namespace {
void notice(Kind kind, const Writer& w) {
    try {
        connection().notify(kind, w);
    } catch (const std::exception&) {
        // Without a desktop the windows of this process are all there is.
    }
}
}  // namespace

void publish(const Window& window) {
    Writer w;
    recordOf(window).write(w);
    notice(Kind::windowChanged, w);
}

void raise(HWND handle) {
    notice(Kind::windowRaised, Writer().u64(fromHwnd(handle)));
}

void forget(HWND handle) {
    notice(Kind::windowDestroyed, Writer().u64(fromHwnd(handle)));
}

std::optional<desktop::WindowRecord> query(HWND handle) {
    try {
        desktop::Reader r = connection().call(Kind::queryWindow, Writer().u64(fromHwnd(handle)));
        if (!r.u8()) return std::nullopt;
        return desktop::WindowRecord::read(r);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

HWND find(LPCSTR className, LPCSTR title) {
    try {
        Writer w;
        w.u8(className != nullptr).text(className ? className : "").u8(title != nullptr).text(title ? title : "");
        return toHwnd(connection().call(Kind::findWindow, w).u64());
    } catch (const std::exception&) {
        return nullptr;
    }
}

std::vector<desktop::WindowRecord> topLevelWindows() {
    std::vector<desktop::WindowRecord> list;
    try {
        desktop::Reader r = connection().call(Kind::listWindows);
        for (std::uint32_t n = r.u32(); n > 0; --n) list.push_back(desktop::WindowRecord::read(r));
    } catch (const std::exception&) {
    }
    return list;
}

bool post(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        Writer w;
        w.u64(fromHwnd(handle)).u32(message).u64(wParam).i64(lParam);
        return connection().call(Kind::post, w).u8() != 0;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace platform::user::link
