#include "lz/format.h"

#include <algorithm>
#include <cstdio>

namespace platform::lz {

bool hasMagic(Bytes file) {
    return file.size() >= kMagic.size() && std::equal(kMagic.begin(), kMagic.end(), file.begin());
}

Header readHeader(Bytes file) {
    if (!hasMagic(file)) throw FormatError(Fault::BadHeader, "not in the LZ expand format (no SZDD header)");
    if (file.size() < kHeaderSize)
        throw FormatError(Fault::BadHeader, "the header is cut short (" + std::to_string(file.size()) +
                                                " of " + std::to_string(kHeaderSize) + " bytes)");
    if (file[8] != kModeLzss) {
        char mode[8];
        std::snprintf(mode, sizeof mode, "0x%02X", file[8]);
        throw FormatError(Fault::UnknownMode, std::string("unknown compression mode ") + mode);
    }
    Header header;
    header.missing = static_cast<char>(file[9]);
    header.length = static_cast<std::uint32_t>(file[10]) | static_cast<std::uint32_t>(file[11]) << 8 |
                    static_cast<std::uint32_t>(file[12]) << 16 | static_cast<std::uint32_t>(file[13]) << 24;
    return header;
}

std::array<std::uint8_t, kHeaderSize> makeHeader(const Header& header) {
    std::array<std::uint8_t, kHeaderSize> bytes{};
    std::copy(kMagic.begin(), kMagic.end(), bytes.begin());
    bytes[8] = kModeLzss;
    bytes[9] = static_cast<std::uint8_t>(header.missing);
    for (int i = 0; i < 4; ++i) bytes[10 + i] = static_cast<std::uint8_t>(header.length >> (8 * i));
    return bytes;
}

}  // namespace platform::lz
