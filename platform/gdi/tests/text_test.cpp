// Fonts, metrics and text drawing.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "gdi_fixture.h"
#include "kernel/testing/test_pc.h"

namespace platform::gdi::testing {
namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlue = RGB(0, 0, 255);

HFONT arial(int height, int weight = FW_NORMAL, int width = 0) {
    return CreateFontA(height, width, 0, 0, weight, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
}

TEST(Fonts, TenPointArialHasTheMetricsOfArial) {
    Canvas canvas(10, 10);
    HFONT font = arial(-(10 * 96 + 36) / 72);  // 10 points at 96 dpi
    ASSERT_NE(font, nullptr);
    SelectObject(canvas.dc, font);
    TEXTMETRICA tm{};
    ASSERT_TRUE(GetTextMetricsA(canvas.dc, &tm));
    // A character height of 13 pixels; the cell adds the internal leading.
    EXPECT_EQ(tm.tmHeight, 15);
    EXPECT_EQ(tm.tmAscent, 12);
    EXPECT_EQ(tm.tmDescent, 3);
    EXPECT_EQ(tm.tmInternalLeading, 2);
    EXPECT_EQ(tm.tmAveCharWidth, 6);
    EXPECT_EQ(tm.tmWeight, FW_NORMAL);
    EXPECT_TRUE(tm.tmPitchAndFamily & TMPF_TRUETYPE);

    int widths[94];
    ASSERT_TRUE(GetCharWidth32A(canvas.dc, 33, 126, widths));
    int widest = *std::max_element(widths, widths + 94);
    EXPECT_EQ(widest, widths['W' - 33]);
    EXPECT_GE(widest, 11);
    EXPECT_LE(widest, 13);
    EXPECT_LT(widths['i' - 33], widths['m' - 33]);

    SIZE size{};
    ASSERT_TRUE(GetTextExtentPoint32A(canvas.dc, "Hello", 5, &size));
    EXPECT_EQ(size.cy, 15);
    int sum = widths['H' - 33] + widths['e' - 33] + 2 * widths['l' - 33] + widths['o' - 33];
    EXPECT_EQ(size.cx, sum);
    SelectObject(canvas.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
}

TEST(Fonts, PositiveHeightIsTheCellAndWidthScalesTheCharacters) {
    struct Case {
        int height;
        int width;
    } cases[] = {{36, 18}, {30, 15}, {24, 12}, {24, 0}};
    for (const Case& c : cases) {
        Canvas canvas(10, 10);
        HFONT font = CreateFontA(c.height, c.width, 0, 0, FW_BOLD, TRUE, 0, 0, 0, 0, 0, 0, 0, "Arial");
        SelectObject(canvas.dc, font);
        TEXTMETRICA tm{};
        GetTextMetricsA(canvas.dc, &tm);
        EXPECT_EQ(tm.tmHeight, c.height);
        EXPECT_EQ(tm.tmItalic, 1);
        EXPECT_EQ(tm.tmWeight, FW_BOLD);
        SIZE narrow{};
        GetTextExtentPoint32A(canvas.dc, "Installation", 12, &narrow);
        if (c.width > 0) {
            EXPECT_EQ(tm.tmAveCharWidth, c.width);
            // An average near the requested width: the 12 letters take about 12 widths.
            EXPECT_NEAR(narrow.cx, 12 * c.width, 12 * c.width / 3) << c.height;
        }
        SelectObject(canvas.dc, GetStockObject(SYSTEM_FONT));
        DeleteObject(font);
    }
}

TEST(Fonts, SizesBeyondTheScreenAreRefused) {
    for (int height : {-5000, 5000}) {
        EXPECT_EQ(CreateFontA(height, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"), nullptr);
    }
    EXPECT_EQ(CreateFontA(-13, 90000, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"), nullptr);
    HFONT large = CreateFontA(-1024, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    EXPECT_NE(large, nullptr);
    DeleteObject(large);
}

TEST(Fonts, SystemFontHasOneSize) {
    Canvas canvas(10, 10);
    for (int height : {0, -11, 30}) {
        HFONT font = CreateFontA(height, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "System");
        SelectObject(canvas.dc, font);
        TEXTMETRICA tm{};
        GetTextMetricsA(canvas.dc, &tm);
        EXPECT_EQ(tm.tmHeight, 16) << height;
        EXPECT_EQ(tm.tmWeight, FW_BOLD);
        SelectObject(canvas.dc, GetStockObject(SYSTEM_FONT));
        DeleteObject(font);
    }
}

TEST(TextOut, TransparentTextLiesInItsCellInTheTextColour) {
    Canvas canvas(120, 40);
    HFONT font = arial(-13);
    SelectObject(canvas.dc, font);
    SetBkMode(canvas.dc, TRANSPARENT);
    SetTextColor(canvas.dc, kBlue);
    TextOutA(canvas.dc, 10, 12, "Path Name :", 11);
    SIZE size{};
    GetTextExtentPoint32A(canvas.dc, "Path Name :", 11, &size);
    RECT box = canvas.changed(kWhite);
    EXPECT_GE(box.left, 10);
    EXPECT_GE(box.top, 12);
    EXPECT_LE(box.right, 10 + size.cx);
    EXPECT_LE(box.bottom, 12 + size.cy);
    EXPECT_GT(canvas.count(kBlue), 40);
    EXPECT_EQ(canvas.count(kBlue), 120 * 40 - canvas.count(kWhite));  // no other colour
    SelectObject(canvas.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
}

TEST(TextOut, OpaqueBackgroundFillsTheWholeCell) {
    Canvas canvas(80, 30);
    SetBkColor(canvas.dc, RGB(0, 128, 0));
    TextOutA(canvas.dc, 5, 5, "OK", 2);
    SIZE size{};
    GetTextExtentPoint32A(canvas.dc, "OK", 2, &size);
    EXPECT_EQ(canvas.changed(kWhite), (RECT{5, 5, 5 + size.cx, 5 + size.cy}));
    EXPECT_EQ(canvas.count(RGB(0, 128, 0)) + canvas.count(RGB(0, 0, 0)), size.cx * size.cy);
}

TEST(DrawText, PlacesTextInsideItsRectangle) {
    struct Case {
        UINT format;
        const char* text;
    } cases[] = {
        {DT_CENTER | DT_VCENTER | DT_SINGLELINE, "Installation"},
        {DT_LEFT | DT_SINGLELINE, "Copy From"},
        {DT_RIGHT | DT_BOTTOM | DT_SINGLELINE, "To"},
        {DT_WORDBREAK, "Please enter the path and Program Group name that you want the software installed to:"},
        {DT_CENTER | DT_WORDBREAK, "Setup is completed.\r\nYou must restart your computer."},
    };
    for (const Case& c : cases) {
        Canvas canvas(200, 100);
        HFONT font = arial(-13);
        SelectObject(canvas.dc, font);
        SetBkMode(canvas.dc, TRANSPARENT);
        SetTextColor(canvas.dc, kBlue);
        RECT rect{20, 10, 180, 90};
        int height = DrawTextA(canvas.dc, c.text, -1, &rect, c.format);
        EXPECT_GT(height, 0);
        RECT box = canvas.changed(kWhite);
        EXPECT_GT(canvas.count(kBlue), 20) << c.text;
        EXPECT_GE(box.left, rect.left) << c.text;
        EXPECT_GE(box.top, rect.top) << c.text;
        EXPECT_LE(box.right, rect.right) << c.text;
        EXPECT_LE(box.bottom, rect.bottom) << c.text;
        EXPECT_EQ(canvas.count(kBlue), 200 * 100 - canvas.count(kWhite)) << c.text;
        if (c.format & DT_CENTER) {
            EXPECT_NEAR((box.left + box.right) / 2, 100, 4) << c.text;
        }
        if (c.format & DT_VCENTER) {
            EXPECT_NEAR((box.top + box.bottom) / 2, 50, 4) << c.text;
        }
        if (c.format & DT_RIGHT) {
            EXPECT_GE(box.right, 176) << c.text;
        }
        SelectObject(canvas.dc, GetStockObject(SYSTEM_FONT));
        DeleteObject(font);
    }
}

TEST(DrawText, CalcRectMeasuresWrappedLinesWithoutDrawing) {
    Canvas canvas(10, 10);
    HFONT font = arial(-13);
    SelectObject(canvas.dc, font);
    const char* text = "Setup is completed. You must restart your computer for installation program to work correctly.";
    RECT rect{0, 0, 150, 0};
    int height = DrawTextA(canvas.dc, text, -1, &rect, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(height % 15, 0);
    EXPECT_GE(height / 15, 4);
    EXPECT_EQ(rect.bottom, height);
    EXPECT_LE(rect.right, 150);
    EXPECT_EQ(canvas.count(kWhite), 100);

    // A word wider than the rectangle stays whole.
    RECT narrow{0, 0, 5, 0};
    EXPECT_EQ(DrawTextA(canvas.dc, "Installation", -1, &narrow, DT_WORDBREAK | DT_CALCRECT), 15);
    EXPECT_GT(narrow.right, 5);
    SelectObject(canvas.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
}

TEST(DrawText, AmpersandUnderlinesTheNextCharacterUnlessNoPrefix) {
    Canvas canvas(10, 10);
    RECT plain{0, 0, 0, 0}, prefixed{0, 0, 0, 0}, literal{0, 0, 0, 0};
    DrawTextA(canvas.dc, "About", -1, &plain, DT_SINGLELINE | DT_CALCRECT);
    DrawTextA(canvas.dc, "&About", -1, &prefixed, DT_SINGLELINE | DT_CALCRECT);
    DrawTextA(canvas.dc, "&About", -1, &literal, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(prefixed.right, plain.right);
    EXPECT_GT(literal.right, plain.right);
}

TEST(Text, KoreanBytesOfTheCodePageAreDrawnWithKoreanGlyphs) {
    platform::testing::TestPc pc;  // code page 949
    Canvas canvas(200, 30);
    HFONT font = arial(-13);
    SelectObject(canvas.dc, font);
    const std::string text = "\xBC\xB3\xC4\xA1";  // "설치" in code page 949
    SIZE korean{}, unknown{};
    GetTextExtentPoint32A(canvas.dc, text.c_str(), static_cast<int>(text.size()), &korean);
    GetTextExtentPoint32A(canvas.dc, "\x80\x80", 2, &unknown);
    EXPECT_GE(korean.cx, 20);  // two full-width syllables
    SetBkMode(canvas.dc, TRANSPARENT);
    TextOutA(canvas.dc, 2, 2, text.c_str(), static_cast<int>(text.size()));
    EXPECT_GT(canvas.count(RGB(0, 0, 0)), 30);
    EXPECT_LE(canvas.changed(kWhite).right, 2 + korean.cx);
    SelectObject(canvas.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
}

TEST(DeviceCaps, ScreenSizeComesFromThePc) {
    platform::testing::TestPc pc(PcOptions{800, 600});
    Canvas canvas(2, 2);
    EXPECT_EQ(GetDeviceCaps(canvas.dc, HORZRES), 800);
    EXPECT_EQ(GetDeviceCaps(canvas.dc, VERTRES), 600);
    EXPECT_EQ(GetDeviceCaps(canvas.dc, LOGPIXELSY), 96);
    EXPECT_EQ(SetMapMode(canvas.dc, MM_TEXT), MM_TEXT);
    EXPECT_EQ(SetMapMode(canvas.dc, 2), 0);
    POINT p{7, 9};
    EXPECT_TRUE(DPtoLP(canvas.dc, &p, 1));
    EXPECT_EQ(p.x, 7);
    EXPECT_EQ(p.y, 9);
}

}  // namespace
}  // namespace platform::gdi::testing

#include "gdi/dialog_units.h"

namespace platform::gdi::testing {
namespace {

TEST(DialogUnits, FollowTheDialogFont) {
    HFONT font = CreateFontA(-(10 * 96 + 36) / 72, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    SIZE base = dialogBaseUnits(font);
    Canvas canvas(10, 10);
    SelectObject(canvas.dc, font);
    SIZE letters{};
    GetTextExtentPoint32A(canvas.dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
    EXPECT_EQ(base.cx, (letters.cx / 26 + 1) / 2);
    EXPECT_EQ(base.cx, 7);
    EXPECT_EQ(base.cy, 15);
    SelectObject(canvas.dc, GetStockObject(SYSTEM_FONT));

    struct Case {
        RECT units;
        RECT pixels;
    } cases[] = {
        {{30, 89, 85, 103}, {53, 167, 149, 193}},  // the "OK" button of the destination dialog
        {{0, 0, 190, 110}, {0, 0, 333, 206}},      // the destination dialog itself
        {{53, 47, 181, 60}, {93, 88, 317, 113}},   // the path field
    };
    for (const Case& c : cases) EXPECT_EQ(dialogUnitsToPixels(c.units, base), c.pixels);
    EXPECT_EQ(dialogBaseUnits(reinterpret_cast<HFONT>(0x42)).cx, 0);
    DeleteObject(font);
}

}  // namespace
}  // namespace platform::gdi::testing
