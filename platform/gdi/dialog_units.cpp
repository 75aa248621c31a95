#include "gdi/dialog_units.h"

#include <cmath>

#include "gdi/device_context.h"

namespace platform::gdi {

SIZE dialogBaseUnits(HFONT font) {
    auto scratch = makeFramebuffer(1, 1);
    HDC dc = createDc(scratch, POINT{0, 0}, RECT{0, 0, 1, 1});
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE base{0, 0};
    SIZE letters{};
    TEXTMETRICA tm{};
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    if (previous && GetTextExtentPoint32A(dc, kLetters, 52, &letters) && GetTextMetricsA(dc, &tm)) {
        base.cx = (letters.cx / 26 + 1) / 2;
        base.cy = tm.tmHeight;
    }
    if (previous) SelectObject(dc, previous);
    releaseDc(dc);
    return base;
}

RECT dialogUnitsToPixels(const RECT& units, SIZE base) {
    auto scale = [](LONG value, LONG numerator, LONG denominator) {
        return static_cast<LONG>(std::lround(static_cast<double>(value) * numerator / denominator));
    };
    return RECT{scale(units.left, base.cx, 4), scale(units.top, base.cy, 8), scale(units.right, base.cx, 4),
                scale(units.bottom, base.cy, 8)};
}

}  // namespace platform::gdi
