#include "gdi/stock.h"

#include <array>
#include <mutex>

namespace platform::gdi {

namespace {

constexpr std::array<COLORREF, 25> kSystemColors = {
    RGB(192, 192, 192),  // scroll bar
    RGB(0, 128, 128),    // desktop
    RGB(0, 0, 128),      // active caption
    RGB(128, 128, 128),  // inactive caption
    RGB(192, 192, 192),  // menu
    RGB(255, 255, 255),  // window
    RGB(0, 0, 0),        // window frame
    RGB(0, 0, 0),        // menu text
    RGB(0, 0, 0),        // window text
    RGB(255, 255, 255),  // caption text
    RGB(192, 192, 192),  // active border
    RGB(192, 192, 192),  // inactive border
    RGB(128, 128, 128),  // application workspace
    RGB(0, 0, 128),      // highlight
    RGB(255, 255, 255),  // highlight text
    RGB(192, 192, 192),  // button face
    RGB(128, 128, 128),  // button shadow
    RGB(128, 128, 128),  // grey text
    RGB(0, 0, 0),        // button text
    RGB(192, 192, 192),  // inactive caption text
    RGB(255, 255, 255),  // button highlight
    RGB(0, 0, 0),        // 3-D dark shadow
    RGB(223, 223, 223),  // 3-D light
    RGB(0, 0, 0),        // tooltip text
    RGB(255, 255, 225),  // tooltip background
};

std::shared_ptr<Font> makeStockFont(int height, const char* face) {
    auto font = std::make_shared<Font>();
    font->request.height = height;
    for (const char* p = face; *p; ++p) font->request.face.push_back(static_cast<char32_t>(*p));
    font->faceBytes = face;
    font->sized = SizedFont::get(font->request);
    return font;
}

struct Stock {
    std::array<HGDIOBJ, DEFAULT_GUI_FONT + 1> objects{};
    std::array<HBRUSH, kSystemColors.size()> colorBrushes{};
    std::shared_ptr<Font> system;
    HBITMAP bitmap;

    Stock() {
        objects[WHITE_BRUSH] = addBrush({false, RGB(255, 255, 255)}, true);
        objects[LTGRAY_BRUSH] = addBrush({false, RGB(192, 192, 192)}, true);
        objects[GRAY_BRUSH] = addBrush({false, RGB(128, 128, 128)}, true);
        objects[DKGRAY_BRUSH] = addBrush({false, RGB(64, 64, 64)}, true);
        objects[BLACK_BRUSH] = addBrush({false, RGB(0, 0, 0)}, true);
        objects[NULL_BRUSH] = addBrush({true, 0}, true);
        objects[WHITE_PEN] = addPen({PS_SOLID, 1, RGB(255, 255, 255)}, true);
        objects[BLACK_PEN] = addPen({PS_SOLID, 1, RGB(0, 0, 0)}, true);
        objects[NULL_PEN] = addPen({PS_NULL, 1, 0}, true);
        system = makeStockFont(16, "System");
        objects[SYSTEM_FONT] = addFont(system, true);
        objects[DEVICE_DEFAULT_FONT] = addFont(system, true);
        auto fixed = makeStockFont(16, "Courier New");
        objects[OEM_FIXED_FONT] = addFont(fixed, true);
        objects[ANSI_FIXED_FONT] = addFont(fixed, true);
        objects[SYSTEM_FIXED_FONT] = addFont(fixed, true);
        auto dialog = makeStockFont(-11, "MS Sans Serif");
        objects[ANSI_VAR_FONT] = addFont(dialog, true);
        objects[DEFAULT_GUI_FONT] = addFont(dialog, true);
        auto one = std::make_shared<Bitmap>();
        one->pixels = std::make_shared<Framebuffer>(1, 1);
        one->bitsPerPixel = 1;
        bitmap = static_cast<HBITMAP>(ObjectTable::instance().add({Kind::Bitmap, true, one}));
        for (std::size_t i = 0; i < kSystemColors.size(); ++i) colorBrushes[i] = addBrush({false, kSystemColors[i]}, true);
    }
};

Stock& stock() {
    static Stock instance;
    return instance;
}

}  // namespace

HGDIOBJ stockObject(int index) {
    if (index < 0 || index >= static_cast<int>(stock().objects.size())) return nullptr;
    return stock().objects[static_cast<std::size_t>(index)];
}

HBITMAP defaultBitmap() { return stock().bitmap; }

const Font& systemFont() { return *stock().system; }

void selectDefaults(DeviceContext& dc) {
    dc.penHandle = static_cast<HPEN>(stockObject(BLACK_PEN));
    dc.pen = findObject<Pen>(dc.penHandle, Kind::Pen);
    dc.brushHandle = static_cast<HBRUSH>(stockObject(WHITE_BRUSH));
    dc.brush = findObject<Brush>(dc.brushHandle, Kind::Brush);
    dc.fontHandle = static_cast<HFONT>(stockObject(SYSTEM_FONT));
    dc.font = findObject<Font>(dc.fontHandle, Kind::Font);
    if (dc.isMemory()) {
        dc.bitmapHandle = defaultBitmap();
        dc.bitmap = findObject<Bitmap>(dc.bitmapHandle, Kind::Bitmap);
        dc.retarget(dc.bitmap->pixels, POINT{0, 0}, boundsOf(*dc.bitmap->pixels));
    }
}

bool systemColor(int index, COLORREF& color) {
    if (index < 0 || index >= static_cast<int>(kSystemColors.size())) return false;
    color = kSystemColors[static_cast<std::size_t>(index)];
    return true;
}

bool brushColor(HBRUSH handle, COLORREF& color) {
    auto value = reinterpret_cast<std::uintptr_t>(handle);
    if (value >= 1 && value <= kSystemColors.size()) return systemColor(static_cast<int>(value - 1), color);
    auto brush = findObject<Brush>(handle, Kind::Brush);
    if (!brush || brush->hollow) return false;
    color = brush->color;
    return true;
}

}  // namespace platform::gdi

DWORD WINAPI GetSysColor(int index) {
    COLORREF color = 0;
    platform::gdi::systemColor(index, color);
    return color;
}

HBRUSH WINAPI GetSysColorBrush(int index) {
    if (index < 0 || index >= static_cast<int>(platform::gdi::kSystemColors.size())) return nullptr;
    return platform::gdi::stock().colorBrushes[static_cast<std::size_t>(index)];
}

HGDIOBJ WINAPI GetStockObject(int index) { return platform::gdi::stockObject(index); }
