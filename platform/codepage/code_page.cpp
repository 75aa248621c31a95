#include "codepage/code_page.h"

namespace platform::codepage {

namespace {

bool isAsciiLower(unsigned char b) { return b >= 'a' && b <= 'z'; }
bool isAsciiUpper(unsigned char b) { return b >= 'A' && b <= 'Z'; }

// Latin-1 letters of 1252 beyond ASCII: the lower-case forms 0xE0-0xFE (but the division sign
// 0xF7) pair with 0xC0-0xDE; four more pairs sit in the 0x80 row.
struct CasePair {
    unsigned char lower;
    unsigned char upper;
};
constexpr CasePair kWesternExtraPairs[] = {{0x9A, 0x8A}, {0x9C, 0x8C}, {0x9E, 0x8E}, {0xFF, 0x9F}};

}  // namespace

bool isKnown(int codePage) {
    return codePage == 949 || codePage == 1252 || codePage == 437 || codePage == 850;
}

bool isLeadByte(int codePage, unsigned char byte) {
    return codePage == 949 && byte >= 0x81 && byte <= 0xFE;
}

unsigned char toUpper(int codePage, unsigned char byte) {
    if (isAsciiLower(byte)) return static_cast<unsigned char>(byte - 0x20);
    if (codePage != 1252) return byte;
    if (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7) return static_cast<unsigned char>(byte - 0x20);
    for (const CasePair& p : kWesternExtraPairs)
        if (byte == p.lower) return p.upper;
    return byte;
}

unsigned char toLower(int codePage, unsigned char byte) {
    if (isAsciiUpper(byte)) return static_cast<unsigned char>(byte + 0x20);
    if (codePage != 1252) return byte;
    if (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7) return static_cast<unsigned char>(byte + 0x20);
    for (const CasePair& p : kWesternExtraPairs)
        if (byte == p.upper) return p.lower;
    return byte;
}

std::size_t charLength(int codePage, std::string_view text) {
    if (text.empty()) return 0;
    if (text.size() >= 2 && text[1] != '\0' && isLeadByte(codePage, static_cast<unsigned char>(text[0])))
        return 2;
    return 1;
}

std::string folded(std::string_view text, int codePage) {
    std::string result(text);
    for (std::size_t i = 0; i < result.size();) {
        std::size_t n = charLength(codePage, std::string_view(result).substr(i));
        if (n == 1) result[i] = static_cast<char>(toUpper(codePage, static_cast<unsigned char>(result[i])));
        i += n;
    }
    return result;
}

}  // namespace platform::codepage
