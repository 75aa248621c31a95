// A fresh PC with the desktop of this test process, and one window class whose procedure
// records what it receives.
#pragma once

#include "kernel/testing/test_pc.h"
#include "time/clock.h"
#include "win/user.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

namespace platform::user::testing {

struct Received {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class WindowTest : public ::testing::Test {
protected:
    static constexpr const char* kClass = "TestWindow";

    void SetUp() override {
        current() = this;
        WNDCLASSA wc{};
        wc.lpfnWndProc = &WindowTest::proc;
        wc.lpszClassName = kClass;
        ASSERT_NE(RegisterClassA(&wc), 0);
    }
    void TearDown() override {
        for (HWND w : made_)
            if (IsWindow(w)) DestroyWindow(w);
        UnregisterClassA(kClass, nullptr);
        clock::setMode(clock::Mode::real);
        current() = nullptr;
    }

    HWND make(const char* title, DWORD style = WS_POPUP, HWND parent = nullptr) {
        HWND w = CreateWindowExA(0, kClass, title, style, 0, 0, 100, 50, parent, nullptr, nullptr, nullptr);
        if (w) made_.push_back(w);
        return w;
    }

    // Messages of interest, in the order the windows got them.
    std::vector<Received> log;
    std::vector<UINT> watched;
    // Answers for particular messages (default: DefWindowProcA).
    std::map<UINT, std::function<LRESULT(HWND, WPARAM, LPARAM)>> answers;

    static WindowTest*& current() {
        static WindowTest* test = nullptr;
        return test;
    }

private:
    static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        WindowTest* t = current();
        if (t) {
            for (UINT m : t->watched)
                if (m == message) t->log.push_back({window, message, wParam, lParam});
            auto it = t->answers.find(message);
            if (it != t->answers.end()) return it->second(window, wParam, lParam);
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    platform::testing::TestPc pc_;
    std::vector<HWND> made_;
};

}  // namespace platform::user::testing
