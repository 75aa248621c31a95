// A framebuffer with a DC on it, for the drawing tests.
#pragma once

#include <gtest/gtest.h>

#include "gdi/device_context.h"
#include "win/gdi.h"

namespace platform::gdi::testing {

class Canvas {
public:
    Canvas(int width, int height, COLORREF background = RGB(255, 255, 255))
        : frame(makeFramebuffer(width, height, background)), dc(createDc(frame, POINT{0, 0}, boundsOf(*frame))) {}
    ~Canvas() { DeleteDC(dc); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    COLORREF at(int x, int y) const { return frame->pixel(x, y); }
    // The smallest rectangle holding every pixel that is not BACKGROUND (empty when none).
    RECT changed(COLORREF background) const {
        RECT box{frame->width(), frame->height(), 0, 0};
        for (int y = 0; y < frame->height(); ++y)
            for (int x = 0; x < frame->width(); ++x)
                if (at(x, y) != background) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
        return isEmpty(box) ? RECT{0, 0, 0, 0} : box;
    }
    int count(COLORREF color) const {
        int n = 0;
        for (int y = 0; y < frame->height(); ++y)
            for (int x = 0; x < frame->width(); ++x) n += at(x, y) == color;
        return n;
    }

    FramebufferPtr frame;
    HDC dc;
};

}  // namespace platform::gdi::testing

// RECT lives in the global namespace, so its comparison and printing for tests do too.
inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline void PrintTo(const RECT& r, std::ostream* out) {
    *out << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
}
