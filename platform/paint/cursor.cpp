// The mouse cursor of this program: its shape and its show count.
#include "win/paint.h"

#include <mutex>

namespace {

struct CursorState {
    std::mutex lock;
    HCURSOR shape = nullptr;
    int showCount = 0;  // shown while it is not negative
};

CursorState& cursorState() {
    static CursorState state;
    return state;
}

}  // namespace

HCURSOR WINAPI SetCursor(HCURSOR cursor) {
    CursorState& s = cursorState();
    std::lock_guard guard(s.lock);
    HCURSOR previous = s.shape;
    s.shape = cursor;
    return previous;
}

HCURSOR WINAPI GetCursor() {
    CursorState& s = cursorState();
    std::lock_guard guard(s.lock);
    return s.shape;
}

int WINAPI ShowCursor(BOOL show) {
    CursorState& s = cursorState();
    std::lock_guard guard(s.lock);
    s.showCount += show ? 1 : -1;
    return s.showCount;
}
