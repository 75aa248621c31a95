// A fresh PC, an owner window, and a way to act inside a modal loop: a step posted to the owner
// runs when the loop takes it from the queue, with the then active window (the dialog).
#pragma once

#include "kernel/testing/test_pc.h"
#include "win/dialog.h"
#include "win/kernel.h"
#include "win/paint.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>

namespace platform::dialog::testing {

inline constexpr UINT kRunStep = WM_USER + 77;

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        current() = this;
        WNDCLASSA wc{};
        wc.lpfnWndProc = ownerProc;
        wc.lpszClassName = "TestOwner";
        ASSERT_NE(RegisterClassA(&wc), 0);
        owner = CreateWindowExA(0, "TestOwner", "Owner", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr, nullptr,
                                nullptr, nullptr);
        ASSERT_TRUE(owner);
    }
    void TearDown() override {
        DestroyWindow(owner);
        UnregisterClassA("TestOwner", nullptr);
        current() = nullptr;
    }

    // Runs STEP from within the next message loop, with the active window.
    void whenLooping(std::function<void(HWND)> step) {
        steps_.push_back(std::move(step));
        PostMessageA(owner, kRunStep, 0, 0);
    }

    static void pump() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    // A key pressed and let go, as the keyboard delivers it to the focused window.
    static void postKey(HWND to, WPARAM key) {
        PostMessageA(to, WM_KEYDOWN, key, 0);
        PostMessageA(to, WM_KEYUP, key, 0);
    }
    static void postText(HWND to, const std::string& text) {
        for (unsigned char c : text) PostMessageA(to, WM_CHAR, c, 0);
    }

    HWND owner = nullptr;

private:
    static DialogTest*& current() {
        static DialogTest* test = nullptr;
        return test;
    }
    static LRESULT CALLBACK ownerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == kRunStep && current() && !current()->steps_.empty()) {
            auto step = std::move(current()->steps_.front());
            current()->steps_.pop_front();
            step(GetActiveWindow());
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    platform::testing::TestPc pc_;
    std::deque<std::function<void(HWND)>> steps_;
};

}  // namespace platform::dialog::testing
