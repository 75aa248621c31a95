#include "user/tables.h"

#include <sys/syscall.h>
#include <unistd.h>

DWORD WINAPI GetCurrentThreadId() {
    return static_cast<DWORD>(::syscall(SYS_gettid));
}

namespace platform::user {

std::mutex& queueLock() {
    static auto* lock = new std::mutex;  // lives to the end: the desktop's reader thread uses it
    return *lock;
}

Tables& tables() {
    static auto* instance = new Tables;
    return *instance;
}

Window* findLocked(HWND handle) {
    auto it = tables().windows.find(handle);
    return it == tables().windows.end() ? nullptr : it->second.get();
}

Window* localWindow(HWND handle) {
    std::lock_guard guard(queueLock());
    return findLocked(handle);
}

std::shared_ptr<ThreadQueue> currentQueue() {
    thread_local std::shared_ptr<ThreadQueue> mine;
    if (!mine) {
        mine = std::make_shared<ThreadQueue>();
        mine->threadId = GetCurrentThreadId();
        std::lock_guard guard(queueLock());
        tables().queues[mine->threadId] = mine;
    }
    return mine;
}

std::shared_ptr<ThreadQueue> queueOfThread(DWORD threadId) {
    std::lock_guard guard(queueLock());
    auto it = tables().queues.find(threadId);
    return it == tables().queues.end() ? nullptr : it->second.lock();
}

void noteArrival(ThreadQueue& queue) {
    ++queue.arrivals;
    queue.wake.notify_all();
}

void wakeAllQueues() {
    std::lock_guard guard(queueLock());
    ++tables().answersSeen;
    for (auto& [id, weak] : tables().queues)
        if (auto queue = weak.lock()) noteArrival(*queue);
}

void invalidate(HWND handle) {
    std::lock_guard guard(queueLock());
    if (Window* w = findLocked(handle)) {
        w->needsPaint = true;
        noteArrival(*w->queue);
    }
}

void validate(HWND handle) {
    std::lock_guard guard(queueLock());
    if (Window* w = findLocked(handle)) w->needsPaint = false;
}

WindowEvents& windowEvents() {
    static auto* events = new WindowEvents;
    return *events;
}

}  // namespace platform::user
