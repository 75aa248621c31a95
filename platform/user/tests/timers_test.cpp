#include "fixture.h"

#include "win/time.h"

namespace platform::user::testing {
namespace {

class TimersTest : public WindowTest {};

TEST_F(TimersTest, FastClockRunsATwentyMillisecondTimerFiftyTimesInOneVirtualSecond) {
    clock::setMode(clock::Mode::fast);
    HWND w = make("timer");
    DWORD start = GetTickCount();
    ASSERT_TRUE(SetTimer(w, 1, 20, nullptr));
    int ticks = 0;
    MSG msg;
    while (GetTickCount() - start < 1000 && GetMessageA(&msg, nullptr, 0, 0) > 0)
        if (msg.message == WM_TIMER && msg.wParam == 1) ++ticks;
    EXPECT_EQ(ticks, 50);
    EXPECT_EQ(GetTickCount() - start, 1000u);
}

TEST_F(TimersTest, ManualClockTimersFireOnlyWhenDueAndLateTicksCoalesce) {
    clock::setMode(clock::Mode::manual);
    HWND w = make("timer");
    SetTimer(w, 7, 20, nullptr);
    MSG msg;
    int ticks = 0;
    for (int step = 0; step < 50; ++step) {
        EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
        clock::advance(20);
        ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
        EXPECT_EQ(msg.wParam, 7u);
        ++ticks;
    }
    EXPECT_EQ(ticks, 50);
    clock::advance(500);
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
}

TEST_F(TimersTest, TimersComeAfterPostedMessagesAndStopWithKillTimerOrTheWindow) {
    clock::setMode(clock::Mode::manual);
    HWND w = make("timer");
    SetTimer(w, 1, 10, nullptr);
    clock::advance(10);
    PostMessageA(w, WM_USER, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
    EXPECT_TRUE(KillTimer(w, 1));
    EXPECT_FALSE(KillTimer(w, 1));
    clock::advance(100);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
    SetTimer(w, 2, 10, nullptr);
    DestroyWindow(w);
    clock::advance(100);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
}

TEST_F(TimersTest, SettingATimerAgainRestartsIt) {
    clock::setMode(clock::Mode::manual);
    HWND w = make("timer");
    SetTimer(w, 1, 100, nullptr);
    clock::advance(60);
    SetTimer(w, 1, 100, nullptr);
    clock::advance(60);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
    clock::advance(40);
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
}

TEST_F(TimersTest, ATimerOutsideTheWaitedRangeDoesNotWakeTheWait) {
    // A wait for other messages must not spin on a due timer it does not take.
    clock::setMode(clock::Mode::fast);
    HWND w = make("timer");
    SetTimer(w, 1, 300, nullptr);
    PostMessageA(w, WM_USER, 0, 0);
    MSG msg;
    ASSERT_TRUE(GetMessageA(&msg, nullptr, WM_USER, WM_USER));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
}

}  // namespace
}  // namespace platform::user::testing
