#include "fixture.h"

#include "user/window.h"
#include "win/kernel.h"

#include <cstring>

namespace platform::user::testing {
namespace {

class WindowsTest : public WindowTest {};

TEST_F(WindowsTest, CreationSendsCreateWithItsDataThenSizeAndMove) {
    watched = {WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE};
    int data = 5;
    std::string titleSeen;
    answers[WM_CREATE] = [&](HWND, WPARAM, LPARAM l) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(l);
        titleSeen = cs->lpszName;
        EXPECT_EQ(cs->lpCreateParams, &data);
        return LRESULT{0};
    };
    HWND w = CreateWindowExA(0, kClass, "made", WS_POPUP, 3, 4, 30, 40, nullptr, nullptr, nullptr, &data);
    ASSERT_TRUE(w);
    std::vector<UINT> order;
    for (const Received& r : log) order.push_back(r.message);
    EXPECT_EQ(order, (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE}));
    EXPECT_EQ(log[2].lParam, MAKELPARAM(30, 40));
    EXPECT_EQ(titleSeen, "made");
    DestroyWindow(w);
}

TEST_F(WindowsTest, CreateAnsweringMinusOneFailsAndLeavesNoWindow) {
    watched = {WM_DESTROY};
    answers[WM_CREATE] = [](HWND, WPARAM, LPARAM) { return LRESULT{-1}; };
    EXPECT_EQ(make("refused"), nullptr);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_FALSE(IsWindow(log[0].window));
    EXPECT_EQ(FindWindowA(kClass, "refused"), nullptr);
}

TEST_F(WindowsTest, DestroyTellsTheParentFirstAndTakesOwnedAndChildWindowsAlong) {
    HWND parent = make("parent");
    HWND child = make("child", WS_CHILD, parent);
    HWND owned = make("owned", WS_POPUP, parent);
    watched = {WM_DESTROY, WM_NCDESTROY};
    ASSERT_TRUE(DestroyWindow(parent));
    std::vector<std::pair<HWND, UINT>> order;
    for (const Received& r : log) order.push_back({r.window, r.message});
    EXPECT_EQ(order, (std::vector<std::pair<HWND, UINT>>{{owned, WM_DESTROY}, {owned, WM_NCDESTROY},
                                                          {parent, WM_DESTROY}, {child, WM_DESTROY},
                                                          {child, WM_NCDESTROY}, {parent, WM_NCDESTROY}}));
    for (HWND w : {parent, child, owned}) EXPECT_FALSE(IsWindow(w));
}

TEST_F(WindowsTest, DefaultHandlingOfCloseAndSystemCommands) {
    HWND w = make("sys", WS_POPUP | WS_VISIBLE);
    watched = {WM_SIZE, WM_CLOSE};
    SendMessageA(w, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(w));
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().wParam, static_cast<WPARAM>(SIZE_MINIMIZED));
    SendMessageA(w, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsIconic(w));
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.right - r.left, 100);
    SendMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(log.back().message, static_cast<UINT>(WM_CLOSE));
    EXPECT_FALSE(IsWindow(w));
}

TEST_F(WindowsTest, FindWindowMatchesClassTitleOrBothAmongTopLevelWindows) {
    HWND top = make("Main Title");
    make("Child Title", WS_CHILD, top);
    struct Case {
        const char* className;
        const char* title;
        bool found;
    } cases[] = {
        {kClass, "Main Title", true}, {kClass, nullptr, true},     {nullptr, "main title", true},
        {"testwindow", nullptr, true}, {nullptr, "Child Title", false}, {"Other", "Main Title", false},
        {kClass, "Main", false},
    };
    for (const Case& c : cases) {
        HWND found = FindWindowA(c.className, c.title);
        EXPECT_EQ(found == top, c.found) << (c.className ? c.className : "-") << " / " << (c.title ? c.title : "-");
    }
}

TEST_F(WindowsTest, RectanglesOfChildrenAndFramedWindows) {
    HWND framed = CreateWindowExA(0, kClass, "framed", WS_POPUP | WS_CAPTION, 10, 20, 200, 100, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_TRUE(framed);
    RECT client;
    GetClientRect(framed, &client);
    RECT insets = frameInsets(WS_POPUP | WS_CAPTION, 0);
    EXPECT_EQ(client.right, 200 - insets.left - insets.right);
    EXPECT_EQ(client.bottom, 100 - insets.top - insets.bottom);
    HWND child = CreateWindowExA(0, kClass, "", WS_CHILD, 5, 6, 20, 10, framed, nullptr, nullptr, nullptr);
    RECT r;
    GetWindowRect(child, &r);
    EXPECT_EQ(r.left, 10 + insets.left + 5);
    EXPECT_EQ(r.top, 20 + insets.top + 6);
    EXPECT_EQ(r.right - r.left, 20);
    MoveWindow(child, 0, 0, 30, 30, TRUE);
    GetClientRect(child, &r);
    EXPECT_EQ(r.right, 30);
    DestroyWindow(framed);
}

TEST_F(WindowsTest, ShowWindowReportsThePreviousVisibilityAndChildrenFollowTheirParent) {
    HWND parent = make("p");
    HWND child = make("c", WS_CHILD | WS_VISIBLE, parent);
    EXPECT_FALSE(IsWindowVisible(child));
    EXPECT_FALSE(ShowWindow(parent, SW_SHOWNORMAL));
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_TRUE(ShowWindow(parent, SW_HIDE));
    EXPECT_FALSE(IsWindowVisible(parent));
}

TEST_F(WindowsTest, FocusMovesWithKillAndSetFocus) {
    HWND a = make("a", WS_POPUP | WS_VISIBLE);
    HWND b = make("b", WS_CHILD | WS_VISIBLE, a);
    SetFocus(a);
    watched = {WM_KILLFOCUS, WM_SETFOCUS};
    EXPECT_EQ(SetFocus(b), a);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].window, a);
    EXPECT_EQ(log[0].message, static_cast<UINT>(WM_KILLFOCUS));
    EXPECT_EQ(log[1].window, b);
    EXPECT_EQ(GetFocus(), b);
    DestroyWindow(b);
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(WindowsTest, ClassesAreUniqueAndStayWhileTheyHaveWindows) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "testWINDOW";
    EXPECT_EQ(RegisterClassA(&wc), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
    HWND w = make("x");
    EXPECT_FALSE(UnregisterClassA(kClass, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_HAS_WINDOWS));
    DestroyWindow(w);
    EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
}

TEST_F(WindowsTest, TextAndWindowData) {
    HWND w = make("first");
    ASSERT_TRUE(SetWindowTextA(w, "second"));
    char buffer[4];
    EXPECT_EQ(GetWindowTextA(w, buffer, sizeof buffer), 3);
    EXPECT_STREQ(buffer, "sec");
    EXPECT_EQ(FindWindowA(nullptr, "second"), w);
    SetWindowLongPtrA(w, GWL_USERDATA, 1234);
    EXPECT_EQ(GetWindowLongPtrA(w, GWL_USERDATA), 1234);
    EXPECT_EQ(GetWindowLongA(w, 0), 0);  // no extra bytes in this class
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX_VALUE));
}

}  // namespace
}  // namespace platform::user::testing
