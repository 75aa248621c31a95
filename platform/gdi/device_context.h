// Device contexts: where drawing goes (a framebuffer, an origin and a clip rectangle) and the
// drawing state (selected objects, colours, background mode, current position).
//
// The window layer makes a DC on a window's framebuffer with createDc(), giving the device
// position of the window's client origin and the rectangle it may draw into; DeleteDC (or
// releaseDc) ends it.
#pragma once

#include <memory>

#include "gdi/framebuffer.h"
#include "gdi/objects.h"
#include "win/gdi.h"

namespace platform::gdi {

class DeviceContext {
public:
    DeviceContext(FramebufferPtr target, POINT origin, RECT clip, bool memory);

    bool isMemory() const { return memory_; }
    Framebuffer* target() const { return target_.get(); }
    POINT origin() const { return origin_; }
    // The clip rectangle in device (framebuffer) coordinates, always inside the framebuffer.
    RECT clip() const { return clip_; }
    void retarget(FramebufferPtr target, POINT origin, RECT clip);

    // Logical (client) to device coordinates.
    POINT toDevice(int x, int y) const { return POINT{x + origin_.x, y + origin_.y}; }
    RECT toDevice(const RECT& r) const {
        return RECT{r.left + origin_.x, r.top + origin_.y, r.right + origin_.x, r.bottom + origin_.y};
    }

    // Drawing in logical coordinates, clipped.
    void plot(int x, int y, COLORREF color);
    void fill(const RECT& logical, COLORREF color);
    // A line from (x0, y0) to (x1, y1) without its end point, in the pen's colour and width.
    void line(int x0, int y0, int x1, int y1, const Pen& pen);

    // Selected objects: the handle the program sees and the object it stands for.
    HPEN penHandle = nullptr;
    std::shared_ptr<Pen> pen;
    HBRUSH brushHandle = nullptr;
    std::shared_ptr<Brush> brush;
    HFONT fontHandle = nullptr;
    std::shared_ptr<Font> font;
    HBITMAP bitmapHandle = nullptr;
    std::shared_ptr<Bitmap> bitmap;

    COLORREF textColor = RGB(0, 0, 0);
    COLORREF backgroundColor = RGB(255, 255, 255);
    int backgroundMode = OPAQUE;
    POINT position{0, 0};
    int mapMode = MM_TEXT;

private:
    FramebufferPtr target_;
    POINT origin_;
    RECT clip_;
    bool memory_;
};

// A new framebuffer (the picture of a window, of the screen, of a bitmap).
FramebufferPtr makeFramebuffer(int width, int height, COLORREF fill = RGB(0, 0, 0));
// A DC that draws into TARGET with the logical origin at device point ORIGIN, limited to CLIP
// (device coordinates). It starts with the stock black pen, white brush and system font.
HDC createDc(FramebufferPtr target, POINT origin, RECT clip);
// Points an existing DC at another place (e.g. after its window moved or was resized).
bool retargetDc(HDC dc, FramebufferPtr target, POINT origin, RECT clip);
// Ends a DC made by createDc or CreateCompatibleDC; same as DeleteDC.
bool releaseDc(HDC dc);
// The DC behind a handle, or null.
std::shared_ptr<DeviceContext> findDc(HDC dc);
// The pixels of a bitmap handle, or null.
FramebufferPtr bitmapPixels(HBITMAP bitmap);
// The font a DC draws with (its selected font, else the system font); null when no face loads.
std::shared_ptr<const SizedFont> fontOf(const DeviceContext& dc);

}  // namespace platform::gdi
