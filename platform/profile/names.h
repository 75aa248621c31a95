// Section and key names are matched without regard to case. In a double-byte code page the
// second byte of a character may fall in the ASCII letter range; it is part of that character
// and must not be folded, or two different characters would match.
#pragma once

#include <bitset>
#include <string>
#include <string_view>

namespace platform::profile {

class NameFolding {
public:
    // Folding for the ANSI code page CODEPAGE (single-byte pages have no lead bytes).
    explicit NameFolding(int codePage = 1252);

    // The form of NAME under which equal names meet: ASCII letters lower-cased, except the
    // second byte of a double-byte character.
    std::string fold(std::string_view name) const;

private:
    bool isLeadByte(unsigned char byte) const { return leadBytes_[byte]; }

    std::bitset<256> leadBytes_;
};

}  // namespace platform::profile
