// The controls on their own: list box answers, the edit's limit, selection and scrolling, and
// what the controls draw.
#include "dialog/tests/fixture.h"
#include "paint/picture_file.h"
#include "kernel/pc.h"

#include <string>

namespace {

using platform::dialog::testing::DialogTest;

class ControlsTest : public DialogTest {
protected:
    HWND make(const char* cls, DWORD style, int width = 120, int height = 24, const char* text = "") {
        return CreateWindowExA(0, cls, text, style | WS_CHILD | WS_VISIBLE, 4, 4, width, height, owner,
                               reinterpret_cast<HMENU>(static_cast<LONG_PTR>(50)), nullptr, nullptr);
    }
    void SetUp() override {
        DialogTest::SetUp();
        // Controls made without a dialog still need their classes.
        HWND d = CreateDialogParamA(nullptr, "REBOOTDLG", owner, nullptr, 0);
        DestroyWindow(d);
    }
    static std::string textOf(HWND w) {
        char buffer[512];
        GetWindowTextA(w, buffer, sizeof buffer);
        return buffer;
    }
    platform::gdi::Framebuffer picture() {
        pump();
        std::string error;
        auto frame = platform::paint::readPicture(
            platform::paint::pictureFile(platform::Pc::current().runFolder(), reinterpret_cast<std::uintptr_t>(owner)), error);
        EXPECT_TRUE(frame) << error;
        return frame ? *frame : platform::gdi::Framebuffer(0, 0);
    }
};

TEST_F(ControlsTest, ListBoxAnswers) {
    HWND list = make("ListBox", LBS_NOTIFY);
    char text[64];
    struct Step {
        const char* what;
        UINT message;
        WPARAM wParam;
        const char* lParamText;
        LRESULT expected;
    } steps[] = {
        {"empty count", LB_GETCOUNT, 0, nullptr, 0},
        {"no selection", LB_GETCURSEL, 0, nullptr, LB_ERR},
        {"add first", LB_ADDSTRING, 0, "TITLE Setup", 0},
        {"add second", LB_ADDSTRING, 0, "INITIATE Progman", 1},
        {"insert at 1", LB_INSERTSTRING, 1, "EXECUTE x", 1},
        {"insert past the end", LB_INSERTSTRING, 9, "x", LB_ERR},
        {"count", LB_GETCOUNT, 0, nullptr, 3},
        {"select 2", LB_SETCURSEL, 2, nullptr, 2},
        {"selected", LB_GETCURSEL, 0, nullptr, 2},
        {"select past the end", LB_SETCURSEL, 3, nullptr, LB_ERR},
        {"selection kept", LB_GETCURSEL, 0, nullptr, 2},
        {"length of 1", LB_GETTEXTLEN, 1, nullptr, 9},
        {"length past the end", LB_GETTEXTLEN, 3, nullptr, LB_ERR},
        {"delete 0 leaves 2", LB_DELETESTRING, 0, nullptr, 2},
        {"selection follows its item", LB_GETCURSEL, 0, nullptr, 1},
        {"delete past the end", LB_DELETESTRING, 5, nullptr, LB_ERR},
        {"clear selection answers LB_ERR", LB_SETCURSEL, static_cast<WPARAM>(-1), nullptr, LB_ERR},
        {"cleared", LB_GETCURSEL, 0, nullptr, LB_ERR},
        {"reset", LB_RESETCONTENT, 0, nullptr, 0},
        {"empty again", LB_GETCOUNT, 0, nullptr, 0},
        {"text of nothing", LB_GETTEXT, 0, nullptr, LB_ERR},
    };
    for (const Step& s : steps) {
        LPARAM lParam = s.lParamText ? reinterpret_cast<LPARAM>(s.lParamText) : 0;
        if (s.message == LB_GETTEXT) lParam = reinterpret_cast<LPARAM>(text);
        EXPECT_EQ(SendMessageA(list, s.message, s.wParam, lParam), s.expected) << s.what;
        if (s.message == LB_GETTEXTLEN && s.expected == 9) {
            EXPECT_EQ(SendMessageA(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(text)), 9);
            EXPECT_STREQ(text, "EXECUTE x");
        }
    }
}

TEST_F(ControlsTest, SortedListBoxOrdersWithoutRegardToCase) {
    HWND list = make("ListBox", LBS_SORT);
    for (const char* s : {"beta", "Alpha", "gamma", "ALPHA2"}) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    const char* expected[] = {"Alpha", "ALPHA2", "beta", "gamma"};
    char text[32];
    for (int i = 0; i < 4; ++i) {
        SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, expected[i]) << i;
    }
}

TEST_F(ControlsTest, EditLimitRefusesWhatDoesNotFit) {
    HWND edit = make("Edit", WS_BORDER | ES_AUTOHSCROLL);
    SendMessageA(edit, EM_LIMITTEXT, 5, 0);
    for (char c : std::string("ABCDEFG")) SendMessageA(edit, WM_CHAR, static_cast<BYTE>(c), 0);
    EXPECT_EQ(textOf(edit), "ABCDE");
    SendMessageA(edit, EM_SETSEL, 1, 3);  // "BC" replaced by one letter fits again
    SendMessageA(edit, WM_CHAR, 'x', 0);
    EXPECT_EQ(textOf(edit), "AxDE");
    DWORD from = 0, to = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 2u);
    EXPECT_EQ(to, 2u);
}

TEST_F(ControlsTest, EditWithoutAutoScrollStopsAtItsRightEdge) {
    HWND narrow = make("Edit", WS_BORDER, 40);
    HWND scrolling = make("Edit", WS_BORDER | ES_AUTOHSCROLL, 40);
    for (HWND e : {narrow, scrolling})
        for (int i = 0; i < 40; ++i) SendMessageA(e, WM_CHAR, 'W', 0);
    EXPECT_LT(textOf(narrow).size(), 10u);
    EXPECT_EQ(textOf(scrolling).size(), 40u);
}

TEST_F(ControlsTest, EditScrollsToKeepTheCaretInView) {
    HWND edit = make("Edit", ES_AUTOHSCROLL, 60, 20);
    SetFocus(edit);
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(CreateFontA(-13, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial")), 0);
    std::string text = "iiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiMMM";
    for (char c : text) SendMessageA(edit, WM_CHAR, static_cast<BYTE>(c), 0);
    // The wide letters at the end are in view: dark pixels near the right end of the control.
    auto frame = picture();
    int dark = 0;
    for (int x = 4 + 30; x < 4 + 60; ++x)
        for (int y = 4; y < 24; ++y)
            if (frame.pixel(x, y) == RGB(0, 0, 0)) ++dark;
    EXPECT_GT(dark, 20);
}

TEST_F(ControlsTest, EditNotifiesItsParentOfChanges) {
    struct Watch {
        static LRESULT CALLBACK proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
            if (m == WM_COMMAND && HIWORD(wp) == EN_CHANGE) ++changes();
            return DefWindowProcA(w, m, wp, lp);
        }
        static int& changes() {
            static int n = 0;
            return n;
        }
    };
    SetWindowLongPtrA(owner, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&Watch::proc));
    HWND edit = make("Edit", ES_AUTOHSCROLL);
    Watch::changes() = 0;
    SendMessageA(edit, WM_CHAR, 'a', 0);
    SetWindowTextA(edit, "C:\\KIT");
    SendMessageA(edit, WM_CHAR, VK_BACK, 0);  // at the start after WM_SETTEXT: nothing to delete
    EXPECT_EQ(Watch::changes(), 2);
    EXPECT_EQ(textOf(edit), "C:\\KIT");
}

TEST_F(ControlsTest, BorderedCentredStaticDrawsItsTextInside) {
    HWND label = make("Static", SS_CENTER | WS_BORDER, 80, 20, "0 %");
    auto frame = picture();
    // The border in the window frame colour, the face inside, dark text near the middle only.
    EXPECT_EQ(frame.pixel(4, 4), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(frame.pixel(83, 23), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(frame.pixel(6, 10), GetSysColor(COLOR_3DFACE));
    int darkLeft = 0, darkMiddle = 0;
    for (int y = 5; y < 23; ++y) {
        for (int x = 5; x < 25; ++x) darkLeft += frame.pixel(x, y) == RGB(0, 0, 0);
        for (int x = 34; x < 54; ++x) darkMiddle += frame.pixel(x, y) == RGB(0, 0, 0);
    }
    EXPECT_EQ(darkLeft, 0);
    EXPECT_GT(darkMiddle, 5);
    (void)label;
}

TEST_F(ControlsTest, UnsupportedButtonKindsAreRefused) {
    EXPECT_EQ(make("Button", BS_GROUPBOX), nullptr);
    EXPECT_NE(make("Button", BS_DEFPUSHBUTTON), nullptr);
}

}  // namespace
