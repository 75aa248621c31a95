#include "kernel/handles.h"

#include <map>
#include <mutex>

namespace platform::handles {
namespace {

// Handle values start well above the small numbers that callers use as flags or results.
constexpr LONG_PTR kFirstHandle = 0x100;
constexpr LONG_PTR kHandleStep = 4;

struct Table {
    std::mutex lock;
    std::map<LONG_PTR, std::unique_ptr<KernelObject>> objects;
    LONG_PTR next = kFirstHandle;
};

Table& table() {
    static Table t;
    return t;
}

}  // namespace

HANDLE add(std::unique_ptr<KernelObject> object) {
    Table& t = table();
    std::lock_guard guard(t.lock);
    // Reuse the lowest free value, as the platform hands out low handle values again.
    LONG_PTR value = kFirstHandle;
    for (const auto& [key, unused] : t.objects) {
        if (key != value) break;
        value += kHandleStep;
    }
    t.objects.emplace(value, std::move(object));
    return reinterpret_cast<HANDLE>(value);
}

KernelObject* find(HANDLE handle) {
    Table& t = table();
    std::lock_guard guard(t.lock);
    auto it = t.objects.find(reinterpret_cast<LONG_PTR>(handle));
    return it == t.objects.end() ? nullptr : it->second.get();
}

bool close(HANDLE handle) {
    std::unique_ptr<KernelObject> doomed;
    Table& t = table();
    {
        std::lock_guard guard(t.lock);
        auto it = t.objects.find(reinterpret_cast<LONG_PTR>(handle));
        if (it == t.objects.end()) return false;
        doomed = std::move(it->second);
        t.objects.erase(it);
    }
    return true;
}

}  // namespace platform::handles
