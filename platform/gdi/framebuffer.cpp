#include "gdi/framebuffer.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace platform::gdi {

namespace {
void checkSize(int width, int height) {
    if (width < 0 || height < 0 || (width > 0 && height > (1 << 28) / width))
        throw std::invalid_argument("framebuffer size out of range: " + std::to_string(width) + "x" +
                                    std::to_string(height));
}
}  // namespace

Framebuffer::Framebuffer(int width, int height, COLORREF fill) : width_(width), height_(height) {
    checkSize(width, height);
    pixels_.assign(static_cast<std::size_t>(width) * height, fill);
}

void Framebuffer::fill(const RECT& rect, COLORREF color) {
    RECT r = intersect(rect, boundsOf(*this));
    if (isEmpty(r)) return;
    for (int y = r.top; y < r.bottom; ++y) std::fill(row(y) + r.left, row(y) + r.right, color);
}

void Framebuffer::resize(int width, int height, COLORREF fill) {
    checkSize(width, height);
    std::vector<COLORREF> pixels(static_cast<std::size_t>(width) * height, fill);
    int keepWidth = std::min(width, width_);
    for (int y = 0; y < std::min(height, height_); ++y)
        std::copy(row(y), row(y) + keepWidth, pixels.data() + static_cast<std::size_t>(y) * width);
    pixels_ = std::move(pixels);
    width_ = width;
    height_ = height;
}

void copyPixels(Framebuffer& dest, POINT at, const Framebuffer& source, const RECT& from) {
    RECT visible = intersect(from, boundsOf(source));
    // Shift into the destination, clip there, and shift back.
    LONG dx = at.x - from.left, dy = at.y - from.top;
    RECT target = intersect(RECT{visible.left + dx, visible.top + dy, visible.right + dx, visible.bottom + dy},
                            boundsOf(dest));
    if (isEmpty(target)) return;
    for (LONG y = target.top; y < target.bottom; ++y)
        std::copy(source.row(y - dy) + (target.left - dx), source.row(y - dy) + (target.right - dx), dest.row(y) + target.left);
}

RECT intersect(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (isEmpty(r)) r = RECT{0, 0, 0, 0};
    return r;
}

}  // namespace platform::gdi
