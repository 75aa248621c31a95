// Calling window procedures and the waits of the message layer.
#pragma once

#include "user/queue.h"
#include "user/window.h"

#include <chrono>
#include <functional>
#include <optional>

namespace platform::user {

// Calls the procedure of a window of the calling thread (0 when the window is gone).
LRESULT callWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Waits until DONE() holds (checked with queueLock held), answering every message sent to this
// thread meanwhile. False when DEADLINE (real time) passed first.
bool waitAnsweringSends(ThreadQueue& queue, const std::function<bool()>& done,
                        std::optional<std::chrono::steady_clock::time_point> deadline);

// Removes everything queued for a window that is being destroyed (caller holds queueLock).
void dropQueuedFor(ThreadQueue& queue, HWND window);

// The top-level window that contains WINDOW (itself when it is top-level).
HWND topLevelOf(HWND window);

void activate(HWND window);  // SetActiveWindow without the checks

}  // namespace platform::user
