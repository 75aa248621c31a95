// Drawing and measuring one line of text in a DC's font.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "gdi/device_context.h"
#include "gdi/fonts.h"

namespace platform::gdi {

// The characters of a program's text: LENGTH bytes, or up to the terminating zero when LENGTH
// is negative, in the PC's code page.
std::u32string decodeText(const char* text, int length);

int runWidth(const SizedFont& font, std::u32string_view run);

// Draws RUN with its cell's top-left corner at (X, Y), in the DC's text colour; with an opaque
// background the cell is filled with the background colour first. LIMIT (logical) narrows the
// clip. UNDERLINED names one character to underline (a mnemonic), if any.
void drawRun(DeviceContext& dc, const SizedFont& font, int x, int y, std::u32string_view run,
             const std::optional<RECT>& limit = std::nullopt,
             std::optional<std::size_t> underlined = std::nullopt);

}  // namespace platform::gdi
