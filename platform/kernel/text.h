// Conversion between the PC's code pages and UTF-8 (host file names, display).
#pragma once

#include <string>
#include <string_view>

namespace platform::text {

// Bytes in code page CODEPAGE to UTF-8. Bytes that do not convert become U+FFFD.
std::string toUtf8(std::string_view bytes, int codePage);
// UTF-8 to code page CODEPAGE. Characters that do not convert become '?'.
std::string fromUtf8(std::string_view utf8, int codePage);
// Between two code pages through Unicode (e.g. OEM to ANSI).
std::string convert(std::string_view bytes, int fromCodePage, int toCodePage);

}  // namespace platform::text
