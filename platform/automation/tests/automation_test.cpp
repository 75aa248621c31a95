// Automation of a dialog and a message box running in this process's modal loops, reached
// through the desktop as another program would reach them; the composed screen.
#include "automation/automation.h"
#include "dialog/tests/fixture.h"
#include "gdi/png.h"
#include "kernel/pc.h"

#include <string>

namespace {

namespace automation = platform::automation;
using platform::dialog::testing::DialogTest;

struct Seen {
    std::string path;
    std::string group;
};

INT_PTR CALLBACK pathDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, GWL_USERDATA, lParam);
        SetDlgItemTextA(dialog, 111, "C:\\OLD");
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            auto seen = reinterpret_cast<Seen*>(GetWindowLongPtrA(dialog, GWL_USERDATA));
            char text[256];
            GetDlgItemTextA(dialog, 111, text, sizeof text);
            seen->path = text;
            GetDlgItemTextA(dialog, 112, text, sizeof text);
            seen->group = text;
            EndDialog(dialog, LOWORD(wParam));
        }
        return TRUE;
    }
    return FALSE;
}

class AutomationTest : public DialogTest {};

TEST_F(AutomationTest, FindsADialogByTemplateTypesReadsAndClicks) {
    Seen seen;
    std::string heading, typedBack;
    whenLooping([&](HWND) {
        automation::Window w = automation::findWindow("execpath", 0);
        EXPECT_EQ(w.templateName, "EXECPATH");
        heading = automation::text(w, 109);
        automation::type(w, 111, "D:\\KIT");
        automation::type(w, 112, "Remote Controller");
        whenLooping([&, w](HWND) {
            typedBack = automation::text(w, 111);
            automation::click(w, IDOK);
        });
    });
    EXPECT_EQ(DialogBoxParamA(nullptr, "EXECPATH", owner, pathDialog, reinterpret_cast<LPARAM>(&seen)), IDOK);
    EXPECT_EQ(heading, "Installation");
    EXPECT_EQ(typedBack, "D:\\KIT");
    EXPECT_EQ(seen.path, "D:\\KIT");
    EXPECT_EQ(seen.group, "Remote Controller");
}

TEST_F(AutomationTest, KeysGoToTheFocusedControlOfTheForegroundWindow) {
    Seen seen;
    whenLooping([&](HWND) { automation::keys({"Tab", "Programs", "Shift+Tab", "Home", "Delete", "E", "Enter"}); });
    EXPECT_EQ(DialogBoxParamA(nullptr, "EXECPATH", owner, pathDialog, reinterpret_cast<LPARAM>(&seen)), IDOK);
    EXPECT_EQ(seen.group, "Programs");
    EXPECT_EQ(seen.path, "E:\\OLD");  // back in the path: Home ends the selection, Delete takes the C
}

TEST_F(AutomationTest, CloseActsAsTheSystemMenuAndMissingThingsAreNamed) {
    Seen seen;
    std::string noControl, notEdit;
    whenLooping([&](HWND) {
        automation::Window w = automation::findWindow("EXECPATH", 0);
        try {
            automation::click(w, 999);
        } catch (const automation::AutomationError& e) {
            noControl = e.what();
        }
        try {
            automation::type(w, IDOK, "x");
        } catch (const automation::AutomationError& e) {
            notEdit = e.what();
        }
        automation::close(w);
    });
    EXPECT_EQ(DialogBoxParamA(nullptr, "EXECPATH", owner, pathDialog, reinterpret_cast<LPARAM>(&seen)), IDCANCEL);
    EXPECT_NE(noControl.find("no control 999"), std::string::npos) << noControl;
    EXPECT_NE(notEdit.find("not an edit"), std::string::npos) << notEdit;
    EXPECT_THROW(automation::findWindow("NOSUCH", 0), automation::AutomationError);
}

TEST_F(AutomationTest, MessageBoxIsFoundByItsCaptionAndAnswered) {
    whenLooping([&](HWND) {
        automation::Window box = automation::findWindow("Setup Error", 0);
        EXPECT_EQ(automation::text(box, 0xFFFF), "Disk full.");
        automation::click(box, IDOK);
    });
    EXPECT_EQ(MessageBoxA(owner, "Disk full.", "Setup Error", MB_OK | MB_ICONHAND), IDOK);
}

TEST_F(AutomationTest, ScreenShowsADialogAndAMessageBoxOverAFullScreenWindow) {
    // The owner fills the screen (640x480) with the window colour.
    SetWindowPos(owner, nullptr, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), SWP_NOZORDER);
    HWND dialog = CreateDialogParamA(nullptr, "FILECOPY", owner, nullptr, 0);
    SetWindowPos(dialog, nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(dialog, SW_SHOW);
    platform::gdi::Framebuffer shot(1, 1);
    RECT box{};
    whenLooping([&](HWND active) {
        GetWindowRect(active, &box);
        pump();
        shot = automation::screenShot();
        if (const char* keep = std::getenv("KIT_SHOT_PNG")) platform::gdi::writePng(shot, keep);
        PostMessageA(active, WM_CLOSE, 0, 0);
    });
    MessageBoxA(owner, "Cannot copy the file.\r\nThe disk is full.", "Setup Error", MB_OK | MB_ICONEXCLAMATION);
    ASSERT_EQ(shot.width(), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(shot.pixel(5, 470), GetSysColor(COLOR_3DFACE));             // the owner has no brush: face
    EXPECT_EQ(shot.pixel(41, 41), GetSysColor(COLOR_3DFACE));             // the dialog's face
    EXPECT_EQ(shot.pixel(box.left + 60, box.top + 8), GetSysColor(COLOR_ACTIVECAPTION));  // the box's caption
    // The box's raised frame: light on the left, darkest along the bottom.
    EXPECT_EQ(shot.pixel(box.left, (box.top + box.bottom) / 2), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(shot.pixel((box.left + box.right) / 2, box.bottom - 1), GetSysColor(COLOR_3DDKSHADOW));
    DestroyWindow(dialog);
}

}  // namespace
