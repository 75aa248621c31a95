// What the user sees of the main window and the dialogs: the background, the heading's three
// layers and its height by screen width, and the dialog frame.
#include "setup_test.h"

#include "win/gdi.h"
#include "win/paint.h"

#include <algorithm>
#include <climits>
#include <map>

namespace {

using namespace setup_testing;

constexpr COLORREF kBackground = RGB(0, 128, 128);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr COLORREF kYellow = RGB(255, 255, 0);

struct Box {
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;  // right and bottom inclusive
    void add(int x, int y)
    {
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x);
        bottom = std::max(bottom, y);
    }
};

struct Screen {
    int width, height, fontHeight;
};

class Painting : public SetupTest, public ::testing::WithParamInterface<Screen> {
protected:
    Painting() : SetupTest(options()) {}
    static platform::PcOptions options()
    {
        platform::PcOptions o;
        o.screenWidth = GetParam().width;
        o.screenHeight = GetParam().height;
        return o;
    }
};

TEST_P(Painting, HeadingLayersLieTwoPixelsApartAtTheHeightOfTheScreenWidth)
{
    write("C:\\_SETUP.INI", "[SETUP]\r\nVERSION=Player\r\n");
    const Screen screen = GetParam();
    std::map<COLORREF, Box> boxes;
    COLORREF corner = 0;
    int y = 0;
    run({{"EXECPATH", [&](HWND dialog) {
              HWND main = setup.mainWindow;
              RECT client;
              GetClientRect(main, &client);
              y = std::max(0, ((screen.height - 300) / 2) / 2 - setup.widestCharacter / 2);
              HDC dc = GetDC(main);
              corner = GetPixel(dc, client.right - 2, client.bottom - 2);
              for (int py = 0; py < y + screen.fontHeight + 8; ++py)
                  for (int px = 0; px < client.right; ++px) {
                      COLORREF c = GetPixel(dc, px, py);
                      if (c == kBlack || c == kGreen || c == kYellow)
                          boxes[c].add(px, py);
                  }
              ReleaseDC(main, dc);
              PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
              return true;
          }}});

    EXPECT_EQ(corner, kBackground);
    ASSERT_EQ(boxes.size(), 3u);
    const Box& top = boxes[kYellow];
    // The last layer lies on top; the two below show 2 and 4 pixels to the right and below it.
    EXPECT_EQ(boxes[kGreen].right, top.right + 2);
    EXPECT_EQ(boxes[kGreen].bottom, top.bottom + 2);
    EXPECT_EQ(boxes[kBlack].right, top.right + 4);
    EXPECT_EQ(boxes[kBlack].bottom, top.bottom + 4);
    EXPECT_GE(top.left, 46);
    // The yellow text cell starts at y - 2 and is as high as the font.
    EXPECT_GE(top.top, y - 2);
    EXPECT_LT(top.bottom, y - 2 + screen.fontHeight);
    EXPECT_GT(top.bottom - top.top + 1, screen.fontHeight / 2);
}

INSTANTIATE_TEST_SUITE_P(ScreenWidths, Painting,
                         ::testing::Values(Screen{640, 480, 24}, Screen{800, 600, 30}, Screen{1024, 768, 36}),
                         [](const auto& info) { return std::to_string(info.param.width); });

class DialogLook : public SetupTest {};

TEST_F(DialogLook, DestinationDialogIsCentredAndFramedInYellowAndBlack)
{
    run({{"EXECPATH", [&](HWND dialog) {
              RECT own;
              GetWindowRect(dialog, &own);
              RECT main;
              GetClientRect(setup.mainWindow, &main);
              EXPECT_EQ(own.left, (main.right - (own.right - own.left)) / 2);
              EXPECT_EQ(own.top, (main.bottom - (own.bottom - own.top)) / 2);

              RECT client;
              GetClientRect(dialog, &client);
              HDC dc = GetDC(dialog);
              const int w = client.right, h = client.bottom;
              EXPECT_EQ(GetPixel(dc, 0, 0), kYellow);
              EXPECT_EQ(GetPixel(dc, w - 3, h / 2), kYellow);
              EXPECT_EQ(GetPixel(dc, w / 2, h - 3), kYellow);
              EXPECT_EQ(GetPixel(dc, w - 1, h / 2), kBlack);
              EXPECT_EQ(GetPixel(dc, w / 2, h - 1), kBlack);
              EXPECT_NE(GetPixel(dc, w - 2, h / 2), kBlack);
              ReleaseDC(dialog, dc);
              PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
              return true;
          }}});
}

}  // namespace
