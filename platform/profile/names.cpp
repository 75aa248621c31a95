#include "profile/names.h"

namespace platform::profile {

namespace {

struct ByteRange {
    unsigned char first;
    unsigned char last;
};

void markLeadBytes(std::bitset<256>& bytes, std::initializer_list<ByteRange> ranges) {
    for (const auto& range : ranges) {
        for (unsigned value = range.first; value <= range.last; ++value) {
            bytes.set(value);
        }
    }
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

NameFolding::NameFolding(int codePage) {
    switch (codePage) {
    case 932:  // Japanese
        markLeadBytes(leadBytes_, {{0x81, 0x9f}, {0xe0, 0xfc}});
        break;
    case 936:  // Simplified Chinese
    case 949:  // Korean
    case 950:  // Traditional Chinese
        markLeadBytes(leadBytes_, {{0x81, 0xfe}});
        break;
    default:
        break;
    }
}

std::string NameFolding::fold(std::string_view name) const {
    std::string folded(name);
    for (std::size_t i = 0; i < folded.size(); ++i) {
        if (isLeadByte(static_cast<unsigned char>(folded[i]))) {
            ++i;  // the trail byte stays as it is
            continue;
        }
        folded[i] = lowerAscii(folded[i]);
    }
    return folded;
}

}  // namespace platform::profile
