// Device contexts: memory DCs, capabilities, mapping and colour state.
#include "gdi/device_context.h"
#include "gdi/display.h"
#include "gdi/stock.h"
#include "win/gdi.h"

using namespace platform::gdi;

HDC WINAPI CreateCompatibleDC(HDC reference) {
    if (reference && !findDc(reference)) return nullptr;
    // A fresh memory DC holds the 1 by 1 default bitmap until the program selects its own.
    auto dc = std::make_shared<DeviceContext>(bitmapPixels(defaultBitmap()), POINT{0, 0}, RECT{0, 0, 1, 1}, true);
    selectDefaults(*dc);
    return static_cast<HDC>(ObjectTable::instance().add({Kind::Dc, false, dc}));
}

BOOL WINAPI DeleteDC(HDC dc) { return releaseDc(dc) ? TRUE : FALSE; }

int WINAPI GetDeviceCaps(HDC handle, int index) {
    if (!findDc(handle)) return 0;
    Display display = currentDisplay();
    switch (index) {
    case DRIVERVERSION:
        return 0x400;
    case TECHNOLOGY:
        return DT_RASDISPLAY;
    case HORZSIZE:
        return display.width * 254 / 960;  // millimetres at 96 pixels per inch
    case VERTSIZE:
        return display.height * 254 / 960;
    case HORZRES:
        return display.width;
    case VERTRES:
        return display.height;
    case BITSPIXEL:
        return 32;
    case PLANES:
        return 1;
    case NUMCOLORS:
        return -1;
    case RASTERCAPS:
        return RC_BITBLT | RC_STRETCHBLT | RC_DI_BITMAP;
    case LOGPIXELSX:
    case LOGPIXELSY:
        return 96;
    case SIZEPALETTE:
        return 0;
    default:
        return 0;
    }
}

// Only the text mapping mode (one logical unit is one pixel) is offered.
int WINAPI SetMapMode(HDC handle, int mode) {
    auto dc = findDc(handle);
    if (!dc || mode != MM_TEXT) return 0;
    int previous = dc->mapMode;
    dc->mapMode = mode;
    return previous;
}

int WINAPI GetMapMode(HDC handle) {
    auto dc = findDc(handle);
    return dc ? dc->mapMode : 0;
}

// In the text mapping mode logical and device units are the same.
BOOL WINAPI DPtoLP(HDC handle, LPPOINT points, int count) { return findDc(handle) && (points || count == 0) ? TRUE : FALSE; }
BOOL WINAPI LPtoDP(HDC handle, LPPOINT points, int count) { return findDc(handle) && (points || count == 0) ? TRUE : FALSE; }

int WINAPI SetBkMode(HDC handle, int mode) {
    auto dc = findDc(handle);
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    int previous = dc->backgroundMode;
    dc->backgroundMode = mode;
    return previous;
}

int WINAPI GetBkMode(HDC handle) {
    auto dc = findDc(handle);
    return dc ? dc->backgroundMode : 0;
}

COLORREF WINAPI SetTextColor(HDC handle, COLORREF color) {
    auto dc = findDc(handle);
    if (!dc) return CLR_INVALID;
    COLORREF previous = dc->textColor;
    dc->textColor = color & 0x00FFFFFF;
    return previous;
}

COLORREF WINAPI GetTextColor(HDC handle) {
    auto dc = findDc(handle);
    return dc ? dc->textColor : CLR_INVALID;
}

COLORREF WINAPI SetBkColor(HDC handle, COLORREF color) {
    auto dc = findDc(handle);
    if (!dc) return CLR_INVALID;
    COLORREF previous = dc->backgroundColor;
    dc->backgroundColor = color & 0x00FFFFFF;
    return previous;
}

COLORREF WINAPI GetBkColor(HDC handle) {
    auto dc = findDc(handle);
    return dc ? dc->backgroundColor : CLR_INVALID;
}
