// Shapes, lines, stock objects and object lifetimes.
#include <gtest/gtest.h>

#include "gdi/stock.h"
#include "gdi_fixture.h"

namespace platform::gdi::testing {
namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);

TEST(FillRect, FillsLeftAndTopEdgesButNotRightAndBottom) {
    struct Case {
        RECT rect;
        RECT painted;
    } cases[] = {
        {{2, 3, 7, 5}, {2, 3, 7, 5}},
        {{-4, -4, 3, 2}, {0, 0, 3, 2}},     // clipped at the framebuffer's edge
        {{15, 18, 40, 40}, {15, 18, 20, 20}},
        {{5, 5, 5, 9}, {0, 0, 0, 0}},       // empty: nothing
        {{8, 8, 4, 9}, {0, 0, 0, 0}},       // inverted: nothing
    };
    for (const Case& c : cases) {
        Canvas canvas(20, 20);
        HBRUSH red = CreateSolidBrush(kRed);
        EXPECT_EQ(FillRect(canvas.dc, &c.rect, red), 1);
        EXPECT_EQ(canvas.changed(kWhite), c.painted);
        EXPECT_EQ(canvas.count(kRed), (c.painted.right - c.painted.left) * (c.painted.bottom - c.painted.top));
        DeleteObject(red);
    }
}

TEST(FillRect, TakesASystemColourIndexPlusOneAsBrush) {
    Canvas canvas(4, 4);
    RECT all{0, 0, 4, 4};
    FillRect(canvas.dc, &all, reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(COLOR_BTNFACE + 1)));
    EXPECT_EQ(canvas.at(3, 3), RGB(192, 192, 192));
    EXPECT_EQ(FillRect(canvas.dc, &all, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))), 0);
}

TEST(DeviceContext, DrawsAtItsOriginAndOnlyInsideItsClip) {
    auto frame = makeFramebuffer(30, 30, kWhite);
    HDC dc = createDc(frame, POINT{10, 5}, RECT{10, 5, 20, 12});
    RECT rect{-5, -5, 50, 50};
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    MoveToEx(dc, 0, 0, nullptr);
    EXPECT_EQ(frame->pixel(10, 5), RGB(0, 0, 0));
    EXPECT_EQ(frame->pixel(19, 11), RGB(0, 0, 0));
    EXPECT_EQ(frame->pixel(20, 11), kWhite);
    EXPECT_EQ(frame->pixel(19, 12), kWhite);
    EXPECT_EQ(frame->pixel(9, 5), kWhite);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 10, 0), CLR_INVALID);
    DeleteDC(dc);
}

TEST(FrameRect, DrawsAOnePixelBorderInsideTheRectangle) {
    Canvas canvas(10, 10);
    RECT rect{1, 2, 6, 8};
    FrameRect(canvas.dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            bool inside = x >= 1 && x < 6 && y >= 2 && y < 8;
            bool border = inside && (x == 1 || x == 5 || y == 2 || y == 7);
            EXPECT_EQ(canvas.at(x, y), border ? RGB(0, 0, 0) : kWhite) << x << "," << y;
        }
}

TEST(LineTo, LeavesOutTheEndPoint) {
    struct Case {
        POINT from, to;
        int pixels;
    } cases[] = {
        {{1, 1}, {8, 1}, 7},  // right
        {{8, 3}, {1, 3}, 7},  // left
        {{2, 0}, {2, 9}, 9},  // down
        {{0, 0}, {5, 5}, 5},  // diagonal
        {{6, 6}, {0, 3}, 6},  // shallow, backwards
        {{4, 4}, {4, 4}, 0},  // a point: nothing
    };
    for (const Case& c : cases) {
        Canvas canvas(10, 10);
        MoveToEx(canvas.dc, c.from.x, c.from.y, nullptr);
        LineTo(canvas.dc, c.to.x, c.to.y);
        EXPECT_EQ(canvas.count(RGB(0, 0, 0)), c.pixels);
        EXPECT_EQ(canvas.at(c.to.x, c.to.y), kWhite);
        if (c.pixels > 0) {
            EXPECT_EQ(canvas.at(c.from.x, c.from.y), RGB(0, 0, 0));
        }
        POINT position;
        MoveToEx(canvas.dc, 0, 0, &position);
        EXPECT_EQ(position.x, c.to.x);
        EXPECT_EQ(position.y, c.to.y);
    }
}

TEST(StockObjects, PensAndBrushesHaveTheirColours) {
    struct Case {
        int pen;
        int brush;
        COLORREF line;
        COLORREF fill;
    } cases[] = {
        {BLACK_PEN, WHITE_BRUSH, RGB(0, 0, 0), RGB(255, 255, 255)},
        {WHITE_PEN, LTGRAY_BRUSH, RGB(255, 255, 255), RGB(192, 192, 192)},
        {BLACK_PEN, GRAY_BRUSH, RGB(0, 0, 0), RGB(128, 128, 128)},
        {BLACK_PEN, DKGRAY_BRUSH, RGB(0, 0, 0), RGB(64, 64, 64)},
        {WHITE_PEN, BLACK_BRUSH, RGB(255, 255, 255), RGB(0, 0, 0)},
        {NULL_PEN, NULL_BRUSH, kRed, kRed},  // neither draws: the background shows
    };
    for (const Case& c : cases) {
        Canvas canvas(12, 12, kRed);
        SelectObject(canvas.dc, GetStockObject(c.pen));
        SelectObject(canvas.dc, GetStockObject(c.brush));
        Rectangle(canvas.dc, 1, 1, 11, 11);
        EXPECT_EQ(canvas.at(1, 1), c.line);
        EXPECT_EQ(canvas.at(10, 10), c.line);
        EXPECT_EQ(canvas.at(11, 11), kRed);  // right and bottom edges are outside
        EXPECT_EQ(canvas.at(5, 5), c.fill);
    }
}

TEST(StockObjects, AreSharedAndSurviveDeletion) {
    HGDIOBJ pen = GetStockObject(BLACK_PEN);
    EXPECT_EQ(pen, GetStockObject(BLACK_PEN));
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));
    EXPECT_EQ(GetStockObject(99), nullptr);
}

TEST(Objects, SelectReturnsThePreviousObjectAndDeletedHandlesAreRefused) {
    Canvas canvas(8, 8);
    HPEN red = CreatePen(PS_SOLID, 1, kRed);
    HGDIOBJ previous = SelectObject(canvas.dc, red);
    EXPECT_EQ(previous, GetStockObject(BLACK_PEN));
    // A pen deleted while selected stays usable by that DC, and its handle is dead.
    EXPECT_TRUE(DeleteObject(red));
    MoveToEx(canvas.dc, 0, 0, nullptr);
    LineTo(canvas.dc, 3, 0);
    EXPECT_EQ(canvas.at(0, 0), kRed);
    EXPECT_FALSE(DeleteObject(red));
    EXPECT_EQ(SelectObject(canvas.dc, red), nullptr);
    EXPECT_EQ(GetObjectType(red), 0u);
}

TEST(SysColors, AreTheClassicColours) {
    struct Case {
        int index;
        COLORREF color;
    } cases[] = {
        {COLOR_BTNFACE, RGB(192, 192, 192)}, {COLOR_BTNSHADOW, RGB(128, 128, 128)},
        {COLOR_WINDOW, RGB(255, 255, 255)},  {COLOR_WINDOWTEXT, RGB(0, 0, 0)},
        {COLOR_HIGHLIGHT, RGB(0, 0, 128)},   {COLOR_BACKGROUND, RGB(0, 128, 128)},
        {COLOR_ACTIVECAPTION, RGB(0, 0, 128)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetSysColor(c.index), c.color) << c.index;
        Canvas canvas(2, 2);
        RECT all{0, 0, 2, 2};
        FillRect(canvas.dc, &all, GetSysColorBrush(c.index));
        EXPECT_EQ(canvas.at(1, 1), c.color);
    }
    EXPECT_EQ(GetSysColorBrush(200), nullptr);
}

}  // namespace
}  // namespace platform::gdi::testing
