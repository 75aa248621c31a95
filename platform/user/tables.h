// The process-wide tables of the window layer, guarded by queueLock().
#pragma once

#include "user/queue.h"
#include "user/window.h"

#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

namespace platform::user {

struct Tables {
    std::unordered_map<HWND, std::unique_ptr<Window>> windows;
    std::vector<std::shared_ptr<WindowClass>> classes;
    std::map<DWORD, std::weak_ptr<ThreadQueue>> queues;
    HWND focus = nullptr;
    HWND active = nullptr;
    std::uint64_t answersSeen = 0;
};

Tables& tables();
// Caller holds queueLock.
Window* findLocked(HWND handle);

inline HWND toHwnd(std::uint64_t value) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(value)); }
inline std::uint64_t fromHwnd(HWND handle) { return reinterpret_cast<std::uintptr_t>(handle); }

}  // namespace platform::user
