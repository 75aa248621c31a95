// Bitmaps, memory DCs, block transfers and PNG output.
#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>
#include <vector>

#include "gdi/dib.h"
#include "gdi/png.h"
#include "gdi_fixture.h"

namespace platform::gdi::testing {
namespace {

const COLORREF kWhite = RGB(255, 255, 255);

// A memory DC holding a bitmap whose pixel (x, y) has colour RGB(x, y, 7).
struct Source {
    explicit Source(int width, int height) {
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateCompatibleBitmap(dc, width, height);
        SelectObject(dc, bitmap);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) SetPixel(dc, x, y, RGB(x, y, 7));
    }
    ~Source() {
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    HDC dc;
    HBITMAP bitmap;
};

TEST(StretchBlt, ScalesByTakingTheNearestSourcePixel) {
    struct Case {
        int width, height;  // destination size; the source is 4 by 4 at (0, 0)
    } cases[] = {{8, 8}, {2, 2}, {4, 4}, {12, 4}, {3, 5}};
    for (const Case& c : cases) {
        Source source(4, 4);
        Canvas canvas(12, 12);
        ASSERT_TRUE(StretchBlt(canvas.dc, 0, 0, c.width, c.height, source.dc, 0, 0, 4, 4, SRCCOPY));
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                int fromX = (2 * x + 1) * 4 / (2 * c.width);
                int fromY = (2 * y + 1) * 4 / (2 * c.height);
                ASSERT_EQ(canvas.at(x, y), RGB(fromX, fromY, 7)) << c.width << "x" << c.height << " at " << x << "," << y;
            }
        EXPECT_EQ(canvas.changed(kWhite), (RECT{0, 0, c.width, c.height}));
    }
}

TEST(StretchBlt, MirrorsWhenOneWidthIsNegative) {
    Source source(4, 1);
    Canvas canvas(4, 1);
    StretchBlt(canvas.dc, 3, 0, -4, 1, source.dc, 0, 0, 4, 1, SRCCOPY);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(canvas.at(x, 0), RGB(3 - x, 0, 7));
}

TEST(BitBlt, CopiesAPartAndKeepsTheRestOfTheDestination) {
    Source source(6, 6);
    Canvas canvas(10, 10);
    ASSERT_TRUE(BitBlt(canvas.dc, 5, 5, 3, 2, source.dc, 2, 1, SRCCOPY));
    EXPECT_EQ(canvas.at(5, 5), RGB(2, 1, 7));
    EXPECT_EQ(canvas.at(7, 6), RGB(4, 2, 7));
    EXPECT_EQ(canvas.changed(kWhite), (RECT{5, 5, 8, 7}));
    // Beyond the source's edge the destination stays as it was.
    ASSERT_TRUE(BitBlt(canvas.dc, 0, 0, 4, 4, source.dc, 4, 4, SRCCOPY));
    EXPECT_EQ(canvas.at(1, 1), RGB(5, 5, 7));
    EXPECT_EQ(canvas.at(2, 2), kWhite);
    EXPECT_FALSE(BitBlt(canvas.dc, 0, 0, 1, 1, source.dc, 0, 0, 0x00BB0226));  // not offered
}

TEST(Bitmaps, CanBeSelectedIntoOneMemoryDcAtATime) {
    Canvas canvas(4, 4);
    HDC first = CreateCompatibleDC(canvas.dc);
    HDC second = CreateCompatibleDC(canvas.dc);
    HBITMAP bitmap = CreateCompatibleBitmap(canvas.dc, 5, 3);
    EXPECT_EQ(SelectObject(canvas.dc, bitmap), nullptr);  // a window DC takes no bitmap
    HGDIOBJ original = SelectObject(first, bitmap);
    EXPECT_NE(original, nullptr);
    EXPECT_EQ(SelectObject(second, bitmap), nullptr);
    EXPECT_FALSE(DeleteObject(bitmap));
    BITMAP info{};
    EXPECT_EQ(GetObjectA(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 5);
    EXPECT_EQ(info.bmHeight, 3);
    EXPECT_EQ(info.bmBitsPixel, 32);
    SelectObject(first, original);
    EXPECT_TRUE(DeleteObject(bitmap));
    DeleteDC(first);
    DeleteDC(second);
}

TEST(CreateDIBitmap, ReadsEachDepthBottomUpWithItsColourTable) {
    // A 2 by 2 picture: top row red, green; bottom row blue, white.
    struct Case {
        WORD bits;
        std::vector<BYTE> pixels;  // bottom row first, rows padded to 4 bytes
    } cases[] = {
        {1, {0x80, 0, 0, 0, 0x40, 0, 0, 0}},  // 1 bpp: only indices 0 and 1; see colours below
        {4, {0x23, 0, 0, 0, 0x01, 0, 0, 0}},
        {8, {2, 3, 0, 0, 0, 1, 0, 0}},
        {24, {255, 0, 0, 255, 255, 255, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + 4 * sizeof(RGBQUAD));
        auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
        *header = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 2, 2, 1, c.bits, BI_RGB, 0, 0, 0, 0, 0};
        auto* colors = reinterpret_cast<RGBQUAD*>(info.data() + sizeof(BITMAPINFOHEADER));
        if (c.bits == 1) {
            colors[0] = {0, 0, 0, 0};
            colors[1] = {255, 255, 255, 0};
        } else {
            header->biClrUsed = c.bits <= 8 ? 4 : 0;
            colors[0] = {0, 0, 255, 0};      // red
            colors[1] = {0, 255, 0, 0};      // green
            colors[2] = {255, 0, 0, 0};      // blue
            colors[3] = {255, 255, 255, 0};  // white
        }
        Canvas canvas(2, 2);
        HBITMAP bitmap = CreateDIBitmap(canvas.dc, header, CBM_INIT, c.pixels.data(),
                                        reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
        ASSERT_NE(bitmap, nullptr) << c.bits;
        HDC memory = CreateCompatibleDC(canvas.dc);
        HGDIOBJ original = SelectObject(memory, bitmap);
        BitBlt(canvas.dc, 0, 0, 2, 2, memory, 0, 0, SRCCOPY);
        if (c.bits == 1) {
            EXPECT_EQ(canvas.at(0, 0), RGB(0, 0, 0));
            EXPECT_EQ(canvas.at(1, 0), RGB(255, 255, 255));
            EXPECT_EQ(canvas.at(0, 1), RGB(255, 255, 255));
            EXPECT_EQ(canvas.at(1, 1), RGB(0, 0, 0));
        } else {
            EXPECT_EQ(canvas.at(0, 0), RGB(255, 0, 0)) << c.bits;
            EXPECT_EQ(canvas.at(1, 0), RGB(0, 255, 0)) << c.bits;
            EXPECT_EQ(canvas.at(0, 1), RGB(0, 0, 255)) << c.bits;
            EXPECT_EQ(canvas.at(1, 1), RGB(255, 255, 255)) << c.bits;
        }
        SelectObject(memory, original);
        DeleteDC(memory);
        DeleteObject(bitmap);
    }
}

TEST(PackedDib, RefusesDataThatIsTooShort) {
    std::vector<BYTE> dib(sizeof(BITMAPINFOHEADER) + 2 * sizeof(RGBQUAD) + 4);
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(dib.data());
    *header = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 8, 4, 1, 1, BI_RGB, 0, 0, 0, 0, 0};
    std::string error;
    EXPECT_FALSE(decodePackedDib(dib, error));
    EXPECT_NE(error.find("too short"), std::string::npos) << error;
    header->biHeight = 1;
    EXPECT_TRUE(decodePackedDib(dib, error));
    header->biBitCount = 16;
    EXPECT_FALSE(decodePackedDib(dib, error));
    EXPECT_FALSE(decodePackedDib(std::span(dib).first(10), error));
}

TEST(Png, HoldsTheFramebufferPixels) {
    Framebuffer frame(3, 2, RGB(1, 2, 3));
    frame.setPixel(2, 1, RGB(200, 100, 50));
    auto file = std::filesystem::path(::testing::TempDir()) / "gdi_png_test.png";
    writePng(frame, file);

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, file.c_str()));
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> pixels(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr));
    EXPECT_EQ(image.width, 3u);
    EXPECT_EQ(image.height, 2u);
    EXPECT_EQ(pixels[0], 1);
    EXPECT_EQ(pixels[2], 3);
    EXPECT_EQ(pixels[15], 200);
    EXPECT_EQ(pixels[16], 100);
    EXPECT_EQ(pixels[17], 50);
    std::filesystem::remove(file);
    EXPECT_THROW(writePng(frame, "/nonexistent-folder/x.png"), std::runtime_error);
}

}  // namespace
}  // namespace platform::gdi::testing

namespace platform::gdi::testing {
namespace {

TEST(CopyPixels, ComposesOnePictureIntoAnotherClippedToBoth) {
    struct Case {
        POINT at;
        RECT from;
        RECT changed;
    } cases[] = {
        {{2, 3}, {0, 0, 4, 4}, {2, 3, 6, 7}},
        {{-2, -1}, {0, 0, 4, 4}, {0, 0, 2, 3}},    // hangs over the top-left
        {{8, 8}, {0, 0, 4, 4}, {8, 8, 10, 10}},     // hangs over the bottom-right
        {{0, 0}, {-3, -3, 2, 2}, {3, 3, 5, 5}},     // part of the source lies outside it
        {{20, 0}, {0, 0, 4, 4}, {0, 0, 0, 0}},      // entirely outside
    };
    for (const Case& c : cases) {
        Framebuffer screen(10, 10, RGB(255, 255, 255));
        Framebuffer window(4, 4);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) window.setPixel(x, y, RGB(x, y, 9));
        copyPixels(screen, c.at, window, c.from);
        RECT box{10, 10, 0, 0};
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x)
                if (screen.pixel(x, y) != RGB(255, 255, 255)) {
                    box = RECT{std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                               std::max<LONG>(box.bottom, y + 1)};
                    EXPECT_EQ(screen.pixel(x, y), RGB(x - c.at.x + c.from.left, y - c.at.y + c.from.top, 9));
                }
        if (isEmpty(box)) box = RECT{0, 0, 0, 0};
        EXPECT_EQ(box, c.changed);
    }
}

}  // namespace
}  // namespace platform::gdi::testing
