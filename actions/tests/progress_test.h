// A fresh PC on the manual clock, an owner window that counts the end messages it gets, and the
// caller's message loop with its dialog-message check, for the progress window tests.
#pragma once

#include "actions/dde_engine.h"
#include "actions/progress_window.h"

#include "kernel/module.h"
#include "kernel/testing/test_pc.h"
#include "time/clock.h"
#include "win/dialog.h"

#include <gtest/gtest.h>

#include <map>

class ProgressTest : public ::testing::Test {
protected:
    static constexpr const char* kOwnerClass = "ProgressOwner";

    void SetUp() override
    {
        progressState = ProgressState{};
        engineState = EngineState{};
        endMessages().clear();
        platform::clock::setMode(platform::clock::Mode::manual);
        platform::module::setImagePath("C:\\_SETUP.EXE");
        WNDCLASSA wc{};
        wc.lpfnWndProc = &ProgressTest::ownerProc;
        wc.lpszClassName = kOwnerClass;
        ASSERT_NE(RegisterClassA(&wc), 0);
        owner = CreateWindowA(kOwnerClass, "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override
    {
        if (IsWindow(progress))
            DestroyWindow(progress);
        DestroyWindow(owner);
        UnregisterClassA(kOwnerClass, nullptr);
        UnregisterClassA("ddeClass", nullptr);
        platform::clock::setMode(platform::clock::Mode::real);
    }

    // The caller's loop: every queued message, through the progress window's dialog check first.
    void pump()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (progress && IsWindow(progress) && IsDialogMessageA(progress, &msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    void tick()
    {
        platform::clock::advance(STEP_PERIOD);
        pump();
    }
    // Ticks until the owner has its end message; the number of ticks (LIMIT + 1 when none came).
    int ticksToEnd(UINT endMessage, int limit)
    {
        int ticks = 0;
        while (endMessages()[endMessage] == 0 && ticks <= limit) {
            tick();
            ++ticks;
        }
        return ticks;
    }

    static std::map<UINT, int>& endMessages()
    {
        static std::map<UINT, int> counts;
        return counts;
    }

    platform::testing::TestPc pc;
    HWND owner = nullptr;
    HWND progress = nullptr;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(0x400000));

private:
    static LRESULT CALLBACK ownerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_SETUP_SCRIPT_DONE || message == WM_UNSETUP_SCRIPT_DONE) {
            ++endMessages()[message];
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
};
