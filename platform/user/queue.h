// The message queue of one thread: sent messages waiting for an answer, posted messages, the
// quit request and the thread's timers. One lock guards every queue and the window table of
// the process (queueLock); window procedures always run without it.
#pragma once

#include "time/clock.h"
#include "win/user.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace platform::user {

struct SentMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::function<void(LRESULT)> answer;  // called once with the result (0 when the window is gone)
};

struct Timer {
    HWND window;
    UINT_PTR id;
    clock::Tick interval;
    TIMERPROC proc;
    clock::Tick due;
};

struct ThreadQueue {
    DWORD threadId = 0;
    std::deque<SentMessage> sent;
    std::deque<MSG> posted;
    bool quit = false;
    int quitCode = 0;
    std::vector<Timer> timers;
    UINT_PTR nextThreadTimer = 1;
    std::condition_variable wake;
    std::uint64_t arrivals = 0;  // grows with everything that may end a wait
    bool idleReported = false;
    int inSend = 0;  // sent messages being handled right now
    DWORD lastMessageTime = 0;
};

std::mutex& queueLock();
// The calling thread's queue (made on first use).
std::shared_ptr<ThreadQueue> currentQueue();
std::shared_ptr<ThreadQueue> queueOfThread(DWORD threadId);
// Wakes every thread that waits in this process (an answer from the desktop arrived).
void wakeAllQueues();
// Caller holds queueLock.
void noteArrival(ThreadQueue& queue);

}  // namespace platform::user
