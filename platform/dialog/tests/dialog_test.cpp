// The dialog manager: controls placed by dialog units of the template font, keyboard
// navigation, commands from Enter, Escape and closing, modal results and the owner.
#include "dialog/tests/fixture.h"

#include <string>
#include <vector>

namespace {

using platform::dialog::testing::DialogTest;

std::vector<WPARAM> gCommands;  // WM_COMMAND identifiers the dialog procedure saw

INT_PTR CALLBACK recordingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND) {
        gCommands.push_back(LOWORD(wParam));
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, LOWORD(wParam) == IDOK ? 10 : 20);
        return TRUE;
    }
    return FALSE;
}

class DialogManagerTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        gCommands.clear();
    }
    HWND modeless(const char* name) {
        HWND made = CreateDialogParamA(nullptr, name, owner, recordingProc, 0);
        EXPECT_TRUE(made) << name;
        return made;
    }
    // A control's rectangle in its dialog's client coordinates.
    static RECT placeOf(HWND dialog, int id) {
        RECT r;
        GetWindowRect(GetDlgItem(dialog, id), &r);
        POINT corner{r.left, r.top};
        ScreenToClient(dialog, &corner);
        return RECT{corner.x, corner.y, corner.x + (r.right - r.left), corner.y + (r.bottom - r.top)};
    }
};

TEST_F(DialogManagerTest, ControlsLandWhereTheirDialogUnitsPutThemForTenPointArial) {
    // Arial 10 point at 96 pixels per inch: 7 by 15 pixels per 4 by 8 dialog units.
    HWND dialog = modeless("EXECPATH");
    ASSERT_EQ(GetDialogBaseUnits() != 0, true);
    struct Case {
        int id;
        RECT pixels;  // left, top, right, bottom in the client area
    } cases[] = {
        {109, {61, 6, 61 + 207, 6 + 15}},       // 35,3 118x8
        {111, {93, 88, 93 + 224, 88 + 24}},     // 53,47 128x13
        {112, {93, 129, 93 + 224, 129 + 24}},   // 53,69 128x13
        {IDOK, {53, 167, 53 + 96, 167 + 26}},   // 30,89 55x14
        {IDCANCEL, {194, 167, 194 + 96, 167 + 26}},  // 111,89 55x14
    };
    for (const Case& c : cases) {
        RECT got = placeOf(dialog, c.id);
        EXPECT_EQ(got.left, c.pixels.left) << c.id;
        EXPECT_EQ(got.top, c.pixels.top) << c.id;
        EXPECT_EQ(got.right, c.pixels.right) << c.id;
        EXPECT_EQ(got.bottom, c.pixels.bottom) << c.id;
    }
    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, 333);   // 190 units
    EXPECT_EQ(client.bottom, 206);  // 110 units
    RECT mapped{4, 8, 190, 110};
    ASSERT_TRUE(MapDialogRect(dialog, &mapped));
    EXPECT_EQ(mapped.left, 7);
    EXPECT_EQ(mapped.top, 15);
    DestroyWindow(dialog);
}

TEST_F(DialogManagerTest, TemplateTextsAndClassesReachTheControls) {
    HWND dialog = modeless("EXECPATH");
    char text[128];
    EXPECT_EQ(GetDlgItemTextA(dialog, 109, text, sizeof text), 12u);
    EXPECT_STREQ(text, "Installation");
    GetClassNameA(GetDlgItem(dialog, 111), text, sizeof text);
    EXPECT_STREQ(text, "Edit");
    GetClassNameA(GetDlgItem(dialog, IDOK), text, sizeof text);
    EXPECT_STREQ(text, "Button");
    EXPECT_EQ(GetDlgItem(dialog, 4242), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CONTROL_ID_NOT_FOUND));
    EXPECT_EQ(GetDlgItemTextA(dialog, 4242, text, sizeof text), 0u);
    EXPECT_STREQ(text, "");
    DestroyWindow(dialog);
}

TEST_F(DialogManagerTest, MissingTemplateFails) {
    EXPECT_EQ(CreateDialogParamA(nullptr, "NOSUCH", owner, recordingProc, 0), nullptr);
    EXPECT_EQ(DialogBoxParamA(nullptr, "NOSUCH", owner, recordingProc, 0), -1);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(DialogManagerTest, TabAndShiftTabWalkTheTabStopsInTemplateOrder) {
    HWND dialog = modeless("EXECPATH");
    ShowWindow(dialog, SW_SHOW);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 111));  // WM_INITDIALOG answered TRUE
    struct Case {
        bool shift;
        int expected;
    } cases[] = {{false, 112}, {false, IDOK}, {false, IDCANCEL}, {false, 111}, {true, IDCANCEL}, {true, IDOK}};
    for (const Case& c : cases) {
        if (c.shift) PostMessageA(GetFocus(), WM_KEYDOWN, VK_SHIFT, 0);
        postKey(GetFocus(), VK_TAB);
        if (c.shift) PostMessageA(GetFocus(), WM_KEYUP, VK_SHIFT, 0);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            if (!IsDialogMessageA(dialog, &msg)) DispatchMessageA(&msg);
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), c.expected) << (c.shift ? "shift+tab" : "tab");
    }
    DestroyWindow(dialog);
}

TEST_F(DialogManagerTest, EnterEscapeAndClosingGiveTheirCommands) {
    struct Case {
        const char* what;
        std::function<void(HWND)> act;
        INT_PTR result;
        WPARAM command;
    } cases[] = {
        {"Enter in an edit presses the default button", [](HWND d) { postKey(GetDlgItem(d, 111), VK_RETURN); }, 10, IDOK},
        {"Enter on a focused push button presses it",
         [](HWND d) {
             SetFocus(GetDlgItem(d, IDCANCEL));
             postKey(GetDlgItem(d, IDCANCEL), VK_RETURN);
         },
         20, IDCANCEL},
        {"Escape sends Cancel", [](HWND d) { postKey(GetDlgItem(d, 112), VK_ESCAPE); }, 20, IDCANCEL},
        {"closing sends Cancel", [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, 20, IDCANCEL},
        {"Space on a focused button clicks it",
         [](HWND d) {
             SetFocus(GetDlgItem(d, IDOK));
             postKey(GetDlgItem(d, IDOK), VK_SPACE);
         },
         10, IDOK},
        {"a mouse click on a button",
         [](HWND d) {
             PostMessageA(GetDlgItem(d, IDCANCEL), WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
             PostMessageA(GetDlgItem(d, IDCANCEL), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
         },
         20, IDCANCEL},
    };
    for (const Case& c : cases) {
        gCommands.clear();
        bool ownerDisabled = false;
        whenLooping([&](HWND dialog) {
            ownerDisabled = !IsWindowEnabled(owner);
            c.act(dialog);
        });
        EXPECT_EQ(DialogBoxParamA(nullptr, "EXECPATH", owner, recordingProc, 0), c.result) << c.what;
        ASSERT_FALSE(gCommands.empty()) << c.what;
        EXPECT_EQ(gCommands.back(), c.command) << c.what;
        EXPECT_TRUE(ownerDisabled) << c.what;
        EXPECT_TRUE(IsWindowEnabled(owner)) << c.what;
        EXPECT_EQ(FindWindowA("#32770", nullptr), nullptr) << c.what;
    }
}

TEST_F(DialogManagerTest, TypingIntoAnEditIsReadBack) {
    std::string typed;
    whenLooping([&](HWND dialog) {
        HWND edit = GetDlgItem(dialog, 111);
        postText(edit, "C:\\KXIT");
        for (int i = 0; i < 3; ++i) postKey(edit, VK_LEFT);
        postKey(edit, VK_DELETE);  // the X: "C:\KIT"
        postKey(edit, VK_HOME);
        postKey(edit, VK_DELETE);
        postText(edit, "D");  // "D:\KIT", caret after the D
        postKey(edit, VK_RIGHT);
        postKey(edit, VK_RIGHT);
        postText(edit, "X");
        PostMessageA(edit, WM_CHAR, VK_BACK, 0);  // the X again
        postKey(edit, VK_END);
        postText(edit, "\\Z");
        PostMessageA(edit, WM_CHAR, VK_BACK, 0);
        postKey(edit, VK_RETURN);
    });
    struct Reader {
        static INT_PTR CALLBACK proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
            if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
                char text[256];
                GetDlgItemTextA(dialog, 111, text, sizeof text);
                *reinterpret_cast<std::string*>(GetWindowLongPtrA(dialog, GWL_USERDATA)) = text;
                EndDialog(dialog, 1);
                return TRUE;
            }
            if (message == WM_INITDIALOG) {
                SetWindowLongPtrA(dialog, GWL_USERDATA, lParam);
                return TRUE;
            }
            return FALSE;
        }
    };
    EXPECT_EQ(DialogBoxParamA(nullptr, "EXECPATH", owner, Reader::proc, reinterpret_cast<LPARAM>(&typed)), 1);
    EXPECT_EQ(typed, "D:\\KIT\\");
}

TEST_F(DialogManagerTest, EndDialogDuringInitReturnsAtOnce) {
    struct Ender {
        static INT_PTR CALLBACK proc(HWND dialog, UINT message, WPARAM, LPARAM) {
            if (message == WM_INITDIALOG) {
                EndDialog(dialog, 7);
                return TRUE;
            }
            return FALSE;
        }
    };
    EXPECT_EQ(DialogBoxParamA(nullptr, "REBOOTDLG", owner, Ender::proc, 0), 7);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(DialogManagerTest, ModelessTemplateWithVisibleStyleShowsItself) {
    HWND shown = modeless("InstDosWinClass");
    HWND hidden = modeless("FILECOPY");
    EXPECT_TRUE(IsWindowVisible(shown));
    RECT outer, client;
    GetWindowRect(shown, &outer);
    GetClientRect(shown, &client);
    EXPECT_EQ(outer.right - outer.left - client.right, 6);  // DS_MODALFRAME: three pixels a side
    EXPECT_FALSE(IsWindowVisible(hidden));
    // A message for the dialog or its controls is the dialog's; others are not.
    MSG mine{GetDlgItem(shown, 1000), WM_NULL, 0, 0, 0, {}};
    MSG other{owner, WM_NULL, 0, 0, 0, {}};
    EXPECT_TRUE(IsDialogMessageA(shown, &mine));
    EXPECT_FALSE(IsDialogMessageA(shown, &other));
    DestroyWindow(shown);
    DestroyWindow(hidden);
}

}  // namespace
