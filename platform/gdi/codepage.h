// Text bytes of a program, in the PC's ANSI code page, as characters to draw.
#pragma once

#include <string>
#include <string_view>

namespace platform::gdi {

// Decodes BYTES of code page CODEPAGE. A byte sequence that does not convert becomes U+FFFD
// for its first byte, and decoding goes on behind it.
std::u32string decodeCodePage(std::string_view bytes, int codePage);
// Encodes UTF-8 text (such as a face name written in a source file) for display.
std::u32string decodeUtf8(std::string_view utf8);

}  // namespace platform::gdi
