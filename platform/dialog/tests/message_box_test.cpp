// Message boxes: buttons of each type, their answers, the owner, the layout of the text.
#include "dialog/tests/fixture.h"

#include <functional>

namespace {

using platform::dialog::testing::DialogTest;

class MessageBoxTest : public DialogTest {};

TEST_F(MessageBoxTest, AnswersByTypeAndKey) {
    struct Case {
        const char* what;
        UINT type;
        std::function<void(HWND)> act;
        int expected;
    } cases[] = {
        {"OK by Enter", MB_OK | MB_ICONHAND, [](HWND b) { postKey(GetFocus(), VK_RETURN); (void)b; }, IDOK},
        {"OK by Escape", MB_OK | MB_ICONEXCLAMATION, [](HWND) { postKey(GetFocus(), VK_ESCAPE); }, IDOK},
        {"OK by closing", MB_OK | MB_ICONASTERISK, [](HWND b) { PostMessageA(b, WM_CLOSE, 0, 0); }, IDOK},
        {"Cancel by Escape", MB_OKCANCEL, [](HWND) { postKey(GetFocus(), VK_ESCAPE); }, IDCANCEL},
        {"No clicked", MB_YESNO, [](HWND b) { PostMessageA(GetDlgItem(b, IDNO), BM_CLICK, 0, 0); }, IDNO},
        {"Yes is the default", MB_YESNO | MB_ICONQUESTION, [](HWND) { postKey(GetFocus(), VK_RETURN); }, IDYES},
        {"second default", MB_YESNO | MB_DEFBUTTON2, [](HWND) { postKey(GetFocus(), VK_RETURN); }, IDNO},
        {"Escape does nothing without Cancel, then No",
         MB_YESNO,
         [](HWND b) {
             postKey(GetFocus(), VK_ESCAPE);
             PostMessageA(GetDlgItem(b, IDNO), BM_CLICK, 0, 0);
         },
         IDNO},
    };
    for (const Case& c : cases) {
        whenLooping([&](HWND box) {
            char caption[64];
            GetWindowTextA(box, caption, sizeof caption);
            EXPECT_STREQ(caption, "Setup Error") << c.what;
            EXPECT_FALSE(IsWindowEnabled(owner)) << c.what;
            c.act(box);
        });
        EXPECT_EQ(MessageBoxA(owner, "Cannot create the directory.", "Setup Error", c.type), c.expected) << c.what;
        EXPECT_TRUE(IsWindowEnabled(owner)) << c.what;
    }
}

TEST_F(MessageBoxTest, TextLinesAndIconSetTheLayout) {
    RECT one{}, three{}, withIcon{};
    struct Case {
        const char* text;
        UINT type;
        RECT* out;
    } cases[] = {
        {"Cannot create the directory.", MB_OK, &one},
        {"Cannot create the directory.\r\nLine\r\nLine", MB_OK, &three},
        {"Cannot create the directory.", MB_OK | MB_ICONHAND, &withIcon},
    };
    for (const Case& c : cases) {
        whenLooping([&](HWND box) {
            GetClientRect(box, c.out);
            HWND text = GetDlgItem(box, 0xFFFF);
            char got[64];
            GetWindowTextA(text, got, sizeof got);
            EXPECT_STREQ(got, c.text);
            RECT onScreen;
            GetWindowRect(box, &onScreen);
            // Centred on the screen.
            EXPECT_NEAR(onScreen.left + onScreen.right, GetSystemMetrics(SM_CXSCREEN), 1);
            PostMessageA(box, WM_CLOSE, 0, 0);
        });
        MessageBoxA(nullptr, c.text, "Install", c.type);
    }
    EXPECT_GT(three.bottom, one.bottom + 20);  // two more lines of text
    EXPECT_GE(withIcon.bottom, one.bottom);     // the 32-pixel icon is taller than one line
    EXPECT_GT(withIcon.right, one.right);       // the icon stands left of the text
}

TEST_F(MessageBoxTest, OpenFileAsksForAMissingFileWithRetryAndCancel) {
    int boxes = 0;
    auto answer = [&](WPARAM button, bool insertDisk) {
        whenLooping([&, button, insertDisk](HWND box) {
            ++boxes;
            char caption[64];
            GetWindowTextA(box, caption, sizeof caption);
            EXPECT_STREQ(caption, "File Not Found");
            EXPECT_NE(GetDlgItem(box, IDRETRY), nullptr);
            EXPECT_NE(GetDlgItem(box, IDCANCEL), nullptr);
            if (insertDisk) {  // the user puts the disk in before choosing Retry
                OFSTRUCT made{};
                _lclose(OpenFile("A:\\DISK2.DAT", &made, OF_CREATE));
            }
            PostMessageA(GetDlgItem(box, static_cast<int>(button)), BM_CLICK, 0, 0);
        });
    };
    OFSTRUCT ofs{};
    answer(IDRETRY, true);
    HFILE found = OpenFile("A:\\DISK2.DAT", &ofs, OF_READ | OF_PROMPT);
    EXPECT_NE(found, HFILE_ERROR);
    _lclose(found);
    answer(IDCANCEL, false);
    EXPECT_EQ(OpenFile("A:\\DISK3.DAT", &ofs, OF_READ | OF_PROMPT), HFILE_ERROR);
    EXPECT_EQ(GetLastError(), DWORD{ERROR_FILE_NOT_FOUND});
    EXPECT_EQ(boxes, 2);
}

TEST_F(MessageBoxTest, UnknownTypeFails) {
    EXPECT_EQ(MessageBoxA(owner, "x", "y", 0x0F), 0);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

}  // namespace
