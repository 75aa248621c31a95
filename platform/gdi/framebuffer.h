// A 32-bit picture that drawing goes into: a window's pixels, a bitmap, the screen.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "win/types.h"

namespace platform::gdi {

// Pixels are COLORREF values (0x00BBGGRR), row by row from the top.
class Framebuffer {
public:
    Framebuffer(int width, int height, COLORREF fill = 0);

    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    COLORREF pixel(int x, int y) const { return pixels_[index(x, y)]; }
    void setPixel(int x, int y, COLORREF color) { pixels_[index(x, y)] = color; }
    COLORREF* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    const COLORREF* row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }

    // Fills the part of RECT that lies inside the picture.
    void fill(const RECT& rect, COLORREF color);
    // Changes the size; the pixels that stay inside keep their colour, new ones get FILL.
    void resize(int width, int height, COLORREF fill = 0);

private:
    std::size_t index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }

    int width_;
    int height_;
    std::vector<COLORREF> pixels_;
};

using FramebufferPtr = std::shared_ptr<Framebuffer>;

// Copies the part FROM of SOURCE to DEST with its top-left corner at AT; whatever falls outside
// either picture is left out (composing windows into the screen).
void copyPixels(Framebuffer& dest, POINT at, const Framebuffer& source, const RECT& from);

// The picture rectangle of a framebuffer.
inline RECT boundsOf(const Framebuffer& frame) { return RECT{0, 0, frame.width(), frame.height()}; }
// The overlap of two rectangles; empty (right <= left or bottom <= top) when they do not meet.
RECT intersect(const RECT& a, const RECT& b);
inline bool isEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

}  // namespace platform::gdi
