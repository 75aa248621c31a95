// The painting helpers: frame lines and their end points, the dialog frame, the font measure and
// the bitmap loader.
#include "actions/drawing.h"

#include "gdi/tests/gdi_fixture.h"
#include "kernel/testing/test_pc.h"
#include "win/gdi.h"
#include "win/user.h"

#include <gtest/gtest.h>

namespace {

using platform::gdi::testing::Canvas;

constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kYellow = RGB(255, 255, 0);

TEST(Draw3dFrame, EachStyleDrawsItsPensAndLeavesTheEndPointsOpen)
{
    struct Case {
        int style;
        COLORREF topLeft;      // top and left lines
        COLORREF bottomRight;  // right and bottom lines
    };
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const Case cases[] = {{-1, kWhite, kBlack}, {1, kBlack, kWhite}, {0, window, window}, {2, kGrey, kGrey}};
    for (const Case& c : cases) {
        Canvas canvas(20, 12, kGrey);
        HGDIOBJ before = GetCurrentObject(canvas.dc, OBJ_PEN);
        draw3dFrame(canvas.dc, 2, 2, 10, 6, c.style);
        SCOPED_TRACE(c.style);
        EXPECT_EQ(canvas.at(2, 2), c.topLeft);
        EXPECT_EQ(canvas.at(11, 2), c.topLeft);
        EXPECT_EQ(canvas.at(2, 7), c.topLeft);
        EXPECT_EQ(canvas.at(12, 8), c.bottomRight);
        EXPECT_EQ(canvas.at(12, 3), c.bottomRight);
        EXPECT_EQ(canvas.at(3, 8), c.bottomRight);
        // Neither line reaches the two far corners.
        EXPECT_EQ(canvas.at(12, 2), kGrey);
        EXPECT_EQ(canvas.at(2, 8), kGrey);
        EXPECT_EQ(canvas.at(6, 5), kGrey);
        EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_PEN), before);
    }
}

LRESULT CALLBACK plainWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(DrawDialogFrame, YellowCoversTheBlackAtTopAndLeftAndStandsTwoPixelsInsideElsewhere)
{
    platform::testing::TestPc pc;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = plainWindow;
    wc.lpszClassName = "FrameTest";
    ASSERT_NE(RegisterClassA(&wc), 0);
    HWND window = CreateWindowExA(0, "FrameTest", "", WS_POPUP, 0, 0, 40, 30, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);

    Canvas canvas(40, 30, kGrey);
    drawDialogFrame(window, canvas.dc);

    struct Pixel {
        int x, y;
        COLORREF color;
    };
    const Pixel pixels[] = {
        {0, 0, kYellow},  {37, 0, kYellow}, {0, 27, kYellow}, {37, 27, kYellow}, {20, 0, kYellow},
        {0, 15, kYellow}, {38, 0, kBlack},  {39, 0, kBlack},  {39, 15, kBlack},  {0, 28, kBlack},
        {0, 29, kBlack},  {39, 29, kBlack}, {38, 15, kGrey},  {20, 28, kGrey},   {20, 15, kGrey},
    };
    for (const Pixel& p : pixels)
        EXPECT_EQ(canvas.at(p.x, p.y), p.color) << p.x << "," << p.y;

    DestroyWindow(window);
    UnregisterClassA("FrameTest", nullptr);
}

TEST(MeasureFont, PacksTheLetterHeightAboveTheWidestCharacterAndRestoresTheFont)
{
    Canvas canvas(10, 10);
    HFONT narrow = CreateFontA(24, 12, 0, 0, FW_BOLD, 1, 0, 0, 0, 0, 0, 0, 0, "Arial");
    HFONT wide = CreateFontA(36, 18, 0, 0, FW_BOLD, 1, 0, 0, 0, 0, 0, 0, 0, "Arial");
    HGDIOBJ before = GetCurrentObject(canvas.dc, OBJ_FONT);

    DWORD small = measureFont(canvas.dc, narrow);
    DWORD large = measureFont(canvas.dc, wide);
    EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_FONT), before);

    SelectObject(canvas.dc, wide);
    INT widthOfW = 0;
    GetCharWidthA(canvas.dc, 'W', 'W', &widthOfW);
    SIZE letter = {};
    GetTextExtentPoint32A(canvas.dc, "I", 1, &letter);
    SelectObject(canvas.dc, before);

    EXPECT_GE(static_cast<INT>(large & 0xFFFF), widthOfW);
    EXPECT_EQ(static_cast<LONG>(large >> 16), letter.cy);
    EXPECT_LT(small & 0xFFFF, large & 0xFFFF);
    EXPECT_LT(small >> 16, large >> 16);

    DeleteObject(narrow);
    DeleteObject(wide);
}

TEST(LoadBitmapResource, MakesBitmapsOfOneFourAndEightBitsFromTheirColourTables)
{
    struct Case {
        int id;
        int x, y;
        COLORREF color;
    };
    const Case cases[] = {
        {1, 0, 0, RGB(255, 0, 0)}, {1, 7, 1, RGB(0, 0, 255)}, {4, 0, 0, RGB(255, 0, 0)}, {4, 1, 0, RGB(0, 255, 0)},
        {4, 0, 1, RGB(0, 255, 0)}, {8, 0, 0, RGB(0, 0, 255)}, {8, 1, 0, RGB(0, 255, 0)},
    };
    HINSTANCE module = reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(0x400000));
    Canvas canvas(10, 10);
    for (const Case& c : cases) {
        HBITMAP bitmap = loadBitmapResource(module, canvas.dc, c.id);
        ASSERT_NE(bitmap, nullptr) << c.id;
        HDC memory = CreateCompatibleDC(canvas.dc);
        HGDIOBJ previous = SelectObject(memory, bitmap);
        EXPECT_EQ(GetPixel(memory, c.x, c.y), c.color) << c.id << " at " << c.x << "," << c.y;
        SelectObject(memory, previous);
        DeleteDC(memory);
        DeleteObject(bitmap);
    }
}

TEST(LoadBitmapResource, GivesNoneForAMissingIdAnOtherDepthOrTooFewPixels)
{
    HINSTANCE module = reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(0x400000));
    Canvas canvas(10, 10);
    for (int id : {1000, 24, 50})
        EXPECT_EQ(loadBitmapResource(module, canvas.dc, id), nullptr) << id;
}

}  // namespace
