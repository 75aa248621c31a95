// The clock of this process. Every timer, Sleep and GetTickCount reads it.
//
//  real    the host's monotonic clock;
//  fast    a virtual clock: a thread that would wait for a due time jumps the clock to it;
//  manual  a virtual clock that only advance() moves (tests inside one process).
//
// The mode comes from PC_CLOCK ("real", "fast"; unset means real) when first used; programs
// started by this one inherit it through the same variable.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string_view>

namespace platform::clock {

enum class Mode { real, fast, manual };

using Tick = std::uint64_t;  // milliseconds

Mode mode();
// Switches the process to MODE; virtual modes continue from the current reading.
void setMode(Mode mode);
// The value of PC_CLOCK that gives a started program this process's clock.
std::string_view inheritedSetting();
std::optional<Mode> parseMode(std::string_view text);

Tick now();
// Moves a manual clock forward and wakes every wait whose due time has come.
void advance(Tick milliseconds);

// Waits on CONDITION with LOCK held until READY() or the clock reaches DUE (no due time: only
// READY ends the wait). Returns READY(). The fast clock jumps to DUE instead of waiting for it.
bool waitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& condition,
               std::optional<Tick> due, const std::function<bool()>& ready);

// Sleep(milliseconds): the real clock waits, the fast clock jumps, the manual clock waits for
// advance() from another thread.
void sleep(Tick milliseconds);

}  // namespace platform::clock
