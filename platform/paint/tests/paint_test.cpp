// The paint cycle: class brush erase, non-client frames, children painted over their parent,
// and the window pictures that other programs read.
#include "kernel/pc.h"
#include "kernel/testing/test_pc.h"
#include "paint/picture_file.h"
#include "win/paint.h"
#include "win/user.h"

#include <gtest/gtest.h>

namespace {

using platform::paint::pictureFile;
using platform::paint::readPicture;

COLORREF gPaintColour = RGB(255, 0, 0);

LRESULT CALLBACK paintingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        HBRUSH brush = CreateSolidBrush(gPaintColour);
        RECT box{2, 2, 6, 6};
        FillRect(dc, &box, brush);
        DeleteObject(brush);
        EndPaint(window, &ps);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class PaintTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA wc{};
        wc.lpfnWndProc = paintingProc;
        wc.hbrBackground = CreateSolidBrush(RGB(0, 0, 255));
        wc.lpszClassName = "Painted";
        ASSERT_NE(RegisterClassA(&wc), 0);
        wc.hbrBackground = nullptr;
        wc.lpszClassName = "Unbrushed";
        ASSERT_NE(RegisterClassA(&wc), 0);
    }
    void TearDown() override {
        for (HWND w : made_) DestroyWindow(w);
        UnregisterClassA("Painted", nullptr);
        UnregisterClassA("Unbrushed", nullptr);
    }
    HWND make(const char* cls, DWORD style, int x, int y, int w, int h, HWND parent = nullptr) {
        HWND made = CreateWindowExA(0, cls, "t", style | WS_VISIBLE, x, y, w, h, parent, nullptr, nullptr, nullptr);
        if (!parent) made_.push_back(made);
        return made;
    }
    static void pump() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    // The window's picture as another program of the PC reads it.
    static platform::gdi::Framebuffer picture(HWND window) {
        std::string error;
        auto frame = readPicture(pictureFile(platform::Pc::current().runFolder(), reinterpret_cast<std::uintptr_t>(window)), error);
        EXPECT_TRUE(frame) << error;
        return frame ? *frame : platform::gdi::Framebuffer(0, 0);
    }

    platform::testing::TestPc pc_;
    std::vector<HWND> made_;
};

TEST_F(PaintTest, ClassBrushErasesThenProgramDraws) {
    HWND w = make("Painted", WS_POPUP, 10, 10, 20, 20);
    pump();
    auto frame = picture(w);
    ASSERT_EQ(frame.width(), 20);
    EXPECT_EQ(frame.pixel(0, 0), RGB(0, 0, 255));
    EXPECT_EQ(frame.pixel(2, 2), RGB(255, 0, 0));
    EXPECT_EQ(frame.pixel(5, 5), RGB(255, 0, 0));
    EXPECT_EQ(frame.pixel(6, 6), RGB(0, 0, 255));  // FillRect leaves out right and bottom
}

TEST_F(PaintTest, EraseReportsWhetherTheClassBrushDidIt) {
    struct Case {
        const char* cls;
        BOOL expectErase;
    } cases[] = {{"Painted", FALSE}, {"Unbrushed", TRUE}};
    for (const Case& c : cases) {
        HWND w = make(c.cls, WS_POPUP, 0, 0, 8, 8);
        PAINTSTRUCT ps;
        ASSERT_TRUE(BeginPaint(w, &ps));
        EXPECT_EQ(ps.fErase, c.expectErase) << c.cls;
        EXPECT_EQ(ps.rcPaint.right, 8);
        EndPaint(w, &ps);
    }
}

TEST_F(PaintTest, ChildrenPaintOverTheirParentAtTheirPlace) {
    HWND parent = make("Painted", WS_POPUP | WS_BORDER, 0, 0, 40, 40);
    gPaintColour = RGB(0, 255, 0);
    HWND child = make("Unbrushed", WS_CHILD, 10, 10, 10, 10, parent);
    ASSERT_TRUE(child);
    pump();
    gPaintColour = RGB(255, 0, 0);
    InvalidateRect(parent, nullptr, TRUE);  // the parent alone: its child must come back on top
    pump();
    auto frame = picture(parent);
    EXPECT_EQ(frame.pixel(0, 0), GetSysColor(COLOR_WINDOWFRAME));  // the border
    EXPECT_EQ(frame.pixel(1, 1), RGB(0, 0, 255));                   // client origin after the border
    // Child's (2,2) in its own client: parent client origin 1 + child place 10 + 2.
    EXPECT_EQ(frame.pixel(13, 13), RGB(255, 0, 0));
    EXPECT_EQ(frame.pixel(3, 3), RGB(255, 0, 0));  // the parent's own box
}

TEST_F(PaintTest, ChildDrawingIsClippedToItsParentsClientArea) {
    HWND parent = make("Painted", WS_POPUP | WS_BORDER, 0, 0, 12, 12);
    HWND child = make("Unbrushed", WS_CHILD, 6, 6, 20, 20, parent);
    HDC dc = GetDC(child);
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    RECT all{-5, -5, 30, 30};
    FillRect(dc, &all, green);
    DeleteObject(green);
    ReleaseDC(child, dc);
    auto frame = picture(parent);
    EXPECT_EQ(frame.pixel(7, 7), RGB(0, 255, 0));
    EXPECT_NE(frame.pixel(11, 11), RGB(0, 255, 0));  // the parent's border stays
    EXPECT_NE(frame.pixel(6, 6), RGB(0, 255, 0));    // above and left of the child
}

TEST_F(PaintTest, CaptionBarCarriesTheActiveCaptionColour) {
    HWND w = make("Unbrushed", WS_POPUP | WS_CAPTION, 0, 0, 100, 60);
    pump();
    auto frame = picture(w);
    EXPECT_EQ(frame.pixel(60, 6), GetSysColor(COLOR_ACTIVECAPTION));
}

TEST_F(PaintTest, PictureGoesWithTheWindow) {
    HWND w = make("Painted", WS_POPUP, 0, 0, 4, 4);
    pump();
    auto file = pictureFile(platform::Pc::current().runFolder(), reinterpret_cast<std::uintptr_t>(w));
    EXPECT_TRUE(std::filesystem::exists(file));
    DestroyWindow(w);
    made_.clear();
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(CursorTest, ShapeAndShowCountAreKept) {
    HCURSOR arrow = reinterpret_cast<HCURSOR>(0x10);
    HCURSOR wait = reinterpret_cast<HCURSOR>(0x20);
    SetCursor(arrow);
    EXPECT_EQ(SetCursor(wait), arrow);
    EXPECT_EQ(GetCursor(), wait);
    EXPECT_EQ(ShowCursor(FALSE), -1);
    EXPECT_EQ(ShowCursor(FALSE), -2);
    EXPECT_EQ(ShowCursor(TRUE), -1);
    EXPECT_EQ(ShowCursor(TRUE), 0);
}

}  // namespace
