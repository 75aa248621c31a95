#include "gdi/device_context.h"

#include <algorithm>
#include <cstdlib>

#include "gdi/stock.h"

namespace platform::gdi {

DeviceContext::DeviceContext(FramebufferPtr target, POINT origin, RECT clip, bool memory) : memory_(memory) {
    retarget(std::move(target), origin, clip);
}

void DeviceContext::retarget(FramebufferPtr target, POINT origin, RECT clip) {
    target_ = std::move(target);
    origin_ = origin;
    clip_ = intersect(clip, boundsOf(*target_));
}

void DeviceContext::plot(int x, int y, COLORREF color) {
    POINT p = toDevice(x, y);
    if (p.x >= clip_.left && p.x < clip_.right && p.y >= clip_.top && p.y < clip_.bottom)
        target_->setPixel(p.x, p.y, color);
}

void DeviceContext::fill(const RECT& logical, COLORREF color) { target_->fill(intersect(toDevice(logical), clip_), color); }

void DeviceContext::line(int x0, int y0, int x1, int y1, const Pen& pen) {
    if (pen.style == PS_NULL) return;
    int width = std::max(1, pen.width);
    auto stamp = [&](int x, int y) {
        if (width == 1) {
            plot(x, y, pen.color);
            return;
        }
        int half = width / 2;
        fill(RECT{x - half, y - half, x - half + width, y - half + width}, pen.color);
    };
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    int x = x0, y = y0;
    while (x != x1 || y != y1) {
        stamp(x, y);
        int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
}

FramebufferPtr makeFramebuffer(int width, int height, COLORREF fill) {
    return std::make_shared<Framebuffer>(width, height, fill);
}

HDC createDc(FramebufferPtr target, POINT origin, RECT clip) {
    auto dc = std::make_shared<DeviceContext>(std::move(target), origin, clip, false);
    selectDefaults(*dc);
    return static_cast<HDC>(ObjectTable::instance().add({Kind::Dc, false, dc}));
}

bool retargetDc(HDC handle, FramebufferPtr target, POINT origin, RECT clip) {
    auto dc = findDc(handle);
    if (!dc || dc->isMemory() || !target) return false;
    dc->retarget(std::move(target), origin, clip);
    return true;
}

bool releaseDc(HDC handle) {
    auto dc = findDc(handle);
    if (!dc) return false;
    if (dc->bitmap) dc->bitmap->selected = false;
    return ObjectTable::instance().remove(handle);
}

std::shared_ptr<DeviceContext> findDc(HDC dc) { return findObject<DeviceContext>(dc, Kind::Dc); }

FramebufferPtr bitmapPixels(HBITMAP handle) {
    auto bitmap = findObject<Bitmap>(handle, Kind::Bitmap);
    return bitmap ? bitmap->pixels : nullptr;
}

std::shared_ptr<const SizedFont> fontOf(const DeviceContext& dc) {
    if (dc.font && dc.font->sized) return dc.font->sized;
    return systemFont().sized;
}

}  // namespace platform::gdi
