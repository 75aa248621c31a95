#include "time/clock.h"
#include "win/time.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace platform::clock {
namespace {

class ClockTest : public ::testing::Test {
protected:
    void TearDown() override { setMode(Mode::real); }
};

TEST_F(ClockTest, FastClockJumpsToTheDueTimeInsteadOfWaiting) {
    setMode(Mode::fast);
    DWORD start = GetTickCount();
    Sleep(60000);
    EXPECT_EQ(GetTickCount() - start, 60000u);
}

TEST_F(ClockTest, ManualClockMovesOnlyWhenAdvanced) {
    setMode(Mode::manual);
    Tick start = now();
    EXPECT_EQ(now(), start);
    advance(250);
    EXPECT_EQ(now(), start + 250);
}

TEST_F(ClockTest, ManualSleepEndsOnlyOnceAnotherThreadHasAdvancedPastItsDueTime) {
    setMode(Mode::manual);
    std::atomic<bool> done = false;
    Tick slept = 0;
    std::thread sleeper([&] {
        Tick start = now();
        Sleep(100);
        slept = now() - start;
        done = true;
    });
    while (!done) {
        advance(1);
        std::this_thread::yield();
    }
    sleeper.join();
    EXPECT_GE(slept, 100u);
}

TEST_F(ClockTest, WaitEndsEarlyWhenReady) {
    setMode(Mode::manual);
    std::mutex lock;
    std::condition_variable condition;
    bool ready = false;
    std::thread other([&] {
        std::lock_guard guard(lock);
        ready = true;
        condition.notify_all();
    });
    std::unique_lock held(lock);
    EXPECT_TRUE(waitUntil(held, condition, now() + 1000, [&] { return ready; }));
    held.unlock();
    other.join();
}

TEST_F(ClockTest, SettingsParseAndInherit) {
    EXPECT_EQ(parseMode("fast"), Mode::fast);
    EXPECT_EQ(parseMode("real"), Mode::real);
    EXPECT_EQ(parseMode("slow"), std::nullopt);
    setMode(Mode::manual);
    EXPECT_EQ(inheritedSetting(), "fast");
    setMode(Mode::real);
    EXPECT_EQ(inheritedSetting(), "real");
}

}  // namespace
}  // namespace platform::clock
