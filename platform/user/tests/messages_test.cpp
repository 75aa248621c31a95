#include "fixture.h"

#include "win/kernel.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace platform::user::testing {
namespace {

class MessagesTest : public WindowTest {};

TEST_F(MessagesTest, PostedMessagesComeInOrderAndQuitEndsTheLoopWithItsCode) {
    HWND w = make("order");
    ASSERT_TRUE(w);
    for (UINT i = 0; i < 5; ++i) ASSERT_TRUE(PostMessageA(w, WM_USER + i, i, 0));
    PostQuitMessage(7);
    std::vector<UINT> seen;
    MSG msg;
    BOOL more;
    while ((more = GetMessageA(&msg, nullptr, 0, 0)) > 0)
        if (msg.message >= WM_USER) seen.push_back(msg.message - WM_USER);
    EXPECT_EQ(more, FALSE);
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_EQ(seen, (std::vector<UINT>{0, 1, 2, 3, 4}));
}

TEST_F(MessagesTest, PeekWithARangeLeavesOtherMessagesQueued) {
    HWND w = make("range");
    PostMessageA(w, WM_USER + 1, 0, 0);
    PostMessageA(w, 0x3E0u, 1, 0);
    PostMessageA(w, WM_USER + 2, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0x3E0u, 0x3E0u + 8, PM_REMOVE));
    EXPECT_EQ(msg.message, 0x3E0u);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0x3E0u, 0x3E0u + 8, PM_REMOVE));
    // Without PM_REMOVE the message stays for the next look.
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_USER + 1u);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 1u);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 2u);
}

TEST_F(MessagesTest, QuitComesWhateverTheRangeAsks) {
    PostQuitMessage(3);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0x3E0, 0x3E8, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(MessagesTest, PostToAWindowThatIsGoneFails) {
    HWND w = make("gone");
    DestroyWindow(w);
    EXPECT_FALSE(PostMessageA(w, WM_USER, 0, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_EQ(SendMessageA(w, WM_USER, 0, 0), 0);
}

TEST_F(MessagesTest, SendToAWindowOfAnotherThreadIsAnsweredByThatThread) {
    HWND here = make("here");
    answers[WM_USER + 2] = [](HWND, WPARAM w, LPARAM) { return static_cast<LRESULT>(w * 10); };
    std::atomic<HWND> there = nullptr;
    std::atomic<DWORD> answeringThread = 0;
    answers[WM_USER + 1] = [&, here](HWND, WPARAM w, LPARAM) {
        answeringThread = GetCurrentThreadId();
        // Back to the waiting sender before answering: it must handle this while it waits.
        return SendMessageA(here, WM_USER + 2, w, 0) + 1;
    };
    std::thread other([&] {
        HWND w = CreateWindowExA(0, kClass, "there", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        there = w;
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
        DestroyWindow(w);
    });
    while (!there) std::this_thread::yield();
    EXPECT_EQ(SendMessageA(there, WM_USER + 1, 4, 0), 41);
    EXPECT_NE(answeringThread.load(), GetCurrentThreadId());
    PostThreadMessageA(answeringThread, WM_QUIT, 0, 0);
    other.join();
}

TEST_F(MessagesTest, BroadcastReachesEveryTopLevelWindowButNoChild) {
    HWND a = make("a");
    HWND b = make("b");
    HWND child = make("child", WS_CHILD, a);
    ASSERT_TRUE(child);
    watched = {WM_USER + 9};
    SendMessageA(HWND_BROADCAST, WM_USER + 9, 0, 0);
    std::vector<HWND> got;
    for (const Received& r : log) got.push_back(r.window);
    EXPECT_EQ(got.size(), 2u);
    EXPECT_NE(std::find(got.begin(), got.end(), a), got.end());
    EXPECT_NE(std::find(got.begin(), got.end(), b), got.end());
}

TEST_F(MessagesTest, PostedBroadcastIsQueuedForEachTopLevelWindow) {
    HWND a = make("a");
    HWND b = make("b");
    ASSERT_TRUE(PostMessageA(HWND_BROADCAST, WM_USER + 3, 0, 0));
    std::vector<HWND> got;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_USER + 3, WM_USER + 3, PM_REMOVE)) got.push_back(msg.hwnd);
    std::sort(got.begin(), got.end());
    std::vector<HWND> expected{a, b};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(got, expected);
}

TEST_F(MessagesTest, SendMessageTimeoutGivesUpOnAThreadThatDoesNotAnswer) {
    std::atomic<HWND> there = nullptr;
    std::atomic<bool> release = false;
    std::thread other([&] {
        HWND w = CreateWindowExA(0, kClass, "busy", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        there = w;
        while (!release) std::this_thread::yield();  // never looks at its queue meanwhile
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        DestroyWindow(w);
    });
    while (!there) std::this_thread::yield();
    DWORD_PTR result = 99;
    EXPECT_FALSE(SendMessageTimeoutA(there, WM_USER, 0, 0, SMTO_NORMAL, 20, &result));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TIMEOUT));
    release = true;
    other.join();
}

}  // namespace
}  // namespace platform::user::testing
