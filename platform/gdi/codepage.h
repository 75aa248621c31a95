// Text bytes of a program, in the PC's ANSI code page, as characters to draw.
#pragma once

#include <string>
#include <string_view>

namespace platform::gdi {

// Decodes BYTES of code page CODEPAGE. A byte sequence that does not convert becomes U+FFFD
// for its first byte, and decoding goes on behind it.
std::u32string decodeCodePage(std::string_view bytes, int codePage);

}  // namespace platform::gdi
