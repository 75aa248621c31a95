#include "time/clock.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <set>
#include <string>

namespace platform::clock {
namespace {

using Steady = std::chrono::steady_clock;

Tick realNow() {
    return static_cast<Tick>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Steady::now().time_since_epoch()).count());
}

// A wait of some thread that advance() must wake.
struct Waiter {
    std::mutex* lock;
    std::condition_variable* condition;
    bool operator<(const Waiter& other) const { return condition < other.condition; }
};

struct State {
    std::mutex lock;
    bool chosen = false;
    Mode mode = Mode::real;
    Tick virtualNow = 0;
    std::multiset<Waiter> waiters;

    void chooseFromEnvironment() {
        if (chosen) return;
        chosen = true;
        const char* setting = std::getenv("PC_CLOCK");
        mode = setting ? parseMode(setting).value_or(Mode::real) : Mode::real;
        virtualNow = realNow();
    }
};

State& state() {
    static State* instance = new State;  // lives to the end: waits may run during exit
    return *instance;
}

}  // namespace

std::optional<Mode> parseMode(std::string_view text) {
    if (text == "real" || text.empty()) return Mode::real;
    if (text == "fast") return Mode::fast;
    if (text == "manual") return Mode::manual;
    return std::nullopt;
}

Mode mode() {
    State& s = state();
    std::lock_guard guard(s.lock);
    s.chooseFromEnvironment();
    return s.mode;
}

void setMode(Mode newMode) {
    State& s = state();
    std::lock_guard guard(s.lock);
    s.chooseFromEnvironment();
    if (s.mode == Mode::real && newMode != Mode::real) s.virtualNow = realNow();
    s.mode = newMode;
}

std::string_view inheritedSetting() {
    // A manual clock cannot be moved from another process; its children jump instead.
    return mode() == Mode::real ? "real" : "fast";
}

Tick now() {
    State& s = state();
    std::lock_guard guard(s.lock);
    s.chooseFromEnvironment();
    return s.mode == Mode::real ? realNow() : s.virtualNow;
}

void advance(Tick milliseconds) {
    State& s = state();
    std::multiset<Waiter> toWake;
    {
        std::lock_guard guard(s.lock);
        s.chooseFromEnvironment();
        s.virtualNow += milliseconds;
        toWake = s.waiters;
    }
    for (const Waiter& w : toWake) {
        std::lock_guard guard(*w.lock);
        w.condition->notify_all();
    }
}

namespace {

// Jumps the fast clock forward to DUE; returns false for other modes.
bool jumpTo(Tick due) {
    State& s = state();
    std::lock_guard guard(s.lock);
    if (s.mode != Mode::fast) return false;
    s.virtualNow = std::max(s.virtualNow, due);
    return true;
}

class ManualWaitRegistration {
public:
    ManualWaitRegistration(std::mutex* lock, std::condition_variable* condition) : waiter_{lock, condition} {
        std::lock_guard guard(state().lock);
        position_ = state().waiters.insert(waiter_);
    }
    ~ManualWaitRegistration() {
        std::lock_guard guard(state().lock);
        state().waiters.erase(position_);
    }
    ManualWaitRegistration(const ManualWaitRegistration&) = delete;
    ManualWaitRegistration& operator=(const ManualWaitRegistration&) = delete;

private:
    Waiter waiter_;
    std::multiset<Waiter>::iterator position_;
};

}  // namespace

bool waitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& condition,
               std::optional<Tick> due, const std::function<bool()>& ready) {
    auto dueReached = [&] { return due && now() >= *due; };
    switch (mode()) {
    case Mode::real:
        if (!due) {
            condition.wait(lock, ready);
            return true;
        }
        while (!ready() && !dueReached()) {
            Tick left = *due - std::min(*due, now());
            condition.wait_for(lock, std::chrono::milliseconds(left));
        }
        return ready();
    case Mode::fast:
        if (ready()) return true;
        if (due && jumpTo(*due)) return ready();
        condition.wait(lock, ready);
        return true;
    case Mode::manual: {
        ManualWaitRegistration registration(lock.mutex(), &condition);
        condition.wait(lock, [&] { return ready() || dueReached(); });
        return ready();
    }
    }
    return ready();
}

void sleep(Tick milliseconds) {
    std::mutex lock;
    std::condition_variable never;
    std::unique_lock held(lock);
    Tick due = now() + milliseconds;
    waitUntil(held, never, due, [] { return false; });
}

}  // namespace platform::clock
