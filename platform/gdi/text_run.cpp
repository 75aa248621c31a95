#include "gdi/text_run.h"

#include <cstring>

#include "gdi/codepage.h"
#include "gdi/display.h"

namespace platform::gdi {

std::u32string decodeText(const char* text, int length) {
    if (!text) return {};
    std::size_t size = length < 0 ? std::strlen(text) : static_cast<std::size_t>(length);
    return decodeCodePage(std::string_view(text, size), currentDisplay().codePage);
}

int runWidth(const SizedFont& font, std::u32string_view run) {
    int width = 0;
    for (char32_t ch : run) width += font.advance(ch);
    return width;
}

void drawRun(DeviceContext& dc, const SizedFont& font, int x, int y, std::u32string_view run,
             const std::optional<RECT>& limit, std::optional<std::size_t> underlined) {
    const TEXTMETRICA& tm = font.metrics();
    RECT clip = dc.clip();
    if (limit) clip = intersect(clip, dc.toDevice(*limit));
    if (isEmpty(clip)) return;
    Framebuffer& target = *dc.target();
    auto fill = [&](RECT logical, COLORREF color) { target.fill(intersect(dc.toDevice(logical), clip), color); };

    int width = runWidth(font, run);
    if (dc.backgroundMode == OPAQUE) fill(RECT{x, y, x + width, y + tm.tmHeight}, dc.backgroundColor);

    POINT origin = dc.toDevice(x, y + tm.tmAscent);  // the baseline, in device coordinates
    int penX = origin.x;
    int lineY = y + tm.tmAscent + std::max(1, tm.tmDescent / 2);
    for (std::size_t i = 0; i < run.size(); ++i) {
        const Glyph& glyph = font.glyph(run[i]);
        int left = penX + glyph.left;
        int top = origin.y - glyph.top;
        for (int row = 0; row < glyph.rows; ++row) {
            int deviceY = top + row;
            if (deviceY < clip.top || deviceY >= clip.bottom) continue;
            COLORREF* pixels = target.row(deviceY);
            const std::uint8_t* coverage = glyph.coverage.data() + static_cast<std::size_t>(row) * glyph.width;
            for (int column = 0; column < glyph.width; ++column) {
                int deviceX = left + column;
                if (coverage[column] && deviceX >= clip.left && deviceX < clip.right) pixels[deviceX] = dc.textColor;
            }
        }
        int logicalX = penX - dc.origin().x;
        if (underlined == i) fill(RECT{logicalX, lineY, logicalX + glyph.advance, lineY + 1}, dc.textColor);
        penX += glyph.advance;
    }
    if (font.underline()) fill(RECT{x, lineY, x + width, lineY + 1}, dc.textColor);
    if (font.strikeOut()) {
        int strikeY = y + tm.tmAscent - (tm.tmAscent - tm.tmInternalLeading) / 3;
        fill(RECT{x, strikeY, x + width, strikeY + 1}, dc.textColor);
    }
}

}  // namespace platform::gdi
