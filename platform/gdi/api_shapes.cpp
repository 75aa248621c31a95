// Rectangles, lines, pixels and icons.
#include <algorithm>
#include <utility>

#include "gdi/device_context.h"
#include "gdi/stock.h"
#include "win/gdi.h"

using namespace platform::gdi;

int WINAPI FillRect(HDC handle, const RECT* rect, HBRUSH brush) {
    auto dc = findDc(handle);
    COLORREF color;
    if (!dc || !rect || !brushColor(brush, color)) return 0;
    dc->fill(*rect, color);
    return 1;
}

int WINAPI FrameRect(HDC handle, const RECT* rect, HBRUSH brush) {
    auto dc = findDc(handle);
    COLORREF color;
    if (!dc || !rect || !brushColor(brush, color)) return 0;
    const RECT& r = *rect;
    if (r.right <= r.left || r.bottom <= r.top) return 1;
    dc->fill(RECT{r.left, r.top, r.right, r.top + 1}, color);
    dc->fill(RECT{r.left, r.bottom - 1, r.right, r.bottom}, color);
    dc->fill(RECT{r.left, r.top, r.left + 1, r.bottom}, color);
    dc->fill(RECT{r.right - 1, r.top, r.right, r.bottom}, color);
    return 1;
}

BOOL WINAPI Rectangle(HDC handle, int left, int top, int right, int bottom) {
    auto dc = findDc(handle);
    if (!dc) return FALSE;
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    // The outline lies inside the rectangle; a null pen leaves the whole of it to the brush.
    bool outline = dc->pen && dc->pen->style != PS_NULL;
    int width = outline ? std::max(1, dc->pen->width) : 0;
    if (dc->brush && !dc->brush->hollow)
        dc->fill(RECT{left + width, top + width, right - width, bottom - width}, dc->brush->color);
    if (outline) {
        COLORREF color = dc->pen->color;
        dc->fill(RECT{left, top, right, top + width}, color);
        dc->fill(RECT{left, bottom - width, right, bottom}, color);
        dc->fill(RECT{left, top, left + width, bottom}, color);
        dc->fill(RECT{right - width, top, right, bottom}, color);
    }
    return TRUE;
}

BOOL WINAPI MoveToEx(HDC handle, int x, int y, LPPOINT previous) {
    auto dc = findDc(handle);
    if (!dc) return FALSE;
    if (previous) *previous = dc->position;
    dc->position = POINT{x, y};
    return TRUE;
}

BOOL WINAPI LineTo(HDC handle, int x, int y) {
    auto dc = findDc(handle);
    if (!dc) return FALSE;
    if (dc->pen) dc->line(dc->position.x, dc->position.y, x, y, *dc->pen);
    dc->position = POINT{x, y};
    return TRUE;
}

COLORREF WINAPI SetPixel(HDC handle, int x, int y, COLORREF color) {
    auto dc = findDc(handle);
    if (!dc) return CLR_INVALID;
    POINT p = dc->toDevice(x, y);
    RECT clip = dc->clip();
    if (p.x < clip.left || p.x >= clip.right || p.y < clip.top || p.y >= clip.bottom) return CLR_INVALID;
    dc->target()->setPixel(p.x, p.y, color & 0x00FFFFFF);
    return color & 0x00FFFFFF;
}

COLORREF WINAPI GetPixel(HDC handle, int x, int y) {
    auto dc = findDc(handle);
    if (!dc) return CLR_INVALID;
    POINT p = dc->toDevice(x, y);
    RECT clip = dc->clip();
    if (p.x < clip.left || p.x >= clip.right || p.y < clip.top || p.y >= clip.bottom) return CLR_INVALID;
    return dc->target()->pixel(p.x, p.y);
}

BOOL WINAPI DrawIcon(HDC handle, int x, int y, HICON iconHandle) {
    auto dc = findDc(handle);
    auto icon = findIcon(iconHandle);
    if (!dc || !icon) return FALSE;
    const Framebuffer& pixels = *icon->pixels;
    for (int row = 0; row < pixels.height(); ++row)
        for (int column = 0; column < pixels.width(); ++column)
            if (!icon->transparent[static_cast<std::size_t>(row) * pixels.width() + column])
                dc->plot(x + column, y + row, pixels.pixel(column, row));
    return TRUE;
}
