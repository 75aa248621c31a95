#include "rc/compiler/binary_writer.h"

namespace platform::rc {

bool toUtf16(const std::string& utf8, std::u16string& out) {
    out.clear();
    for (std::size_t i = 0; i < utf8.size();) {
        auto byte = static_cast<unsigned char>(utf8[i]);
        int extra = byte < 0x80 ? 0 : (byte & 0xE0) == 0xC0 ? 1 : (byte & 0xF0) == 0xE0 ? 2 : (byte & 0xF8) == 0xF0 ? 3 : -1;
        if (extra < 0) return false;
        char32_t ch = extra == 0 ? byte : byte & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= utf8.size()) return false;
            auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            ch = (ch << 6) | (next & 0x3F);
        }
        static const char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
        if (ch < kMinimum[extra] || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) return false;
        if (ch >= 0x10000) {
            ch -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (ch >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (ch & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(ch));
        }
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}

}  // namespace platform::rc
