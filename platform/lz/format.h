// The LZ expand file format: a 14-byte header, then LZSS data over a 4096-byte window.
//
// Header: the magic "SZDD" 0x88 0xF0 0x27 0x33, the mode byte 'A', the character that the
// compressed file's name lost (its original last character, or 0), and the expanded length as a
// 32-bit little-endian number. Data: groups of a control byte and up to eight items; the control
// byte's bits, from the lowest, mark a literal byte (1) or a two-byte match (0). A match names a
// window position (12 bits) and a length of 3 to 18. The window starts filled with blanks and the
// first byte is written at position 4096 - 16.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

namespace platform::lz {

using Bytes = std::span<const std::uint8_t>;

inline constexpr std::array<std::uint8_t, 8> kMagic{'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
inline constexpr std::uint8_t kModeLzss = 'A';
inline constexpr std::size_t kHeaderSize = 14;
inline constexpr std::size_t kWindowSize = 4096;
inline constexpr std::size_t kWindowMask = kWindowSize - 1;
inline constexpr std::size_t kFirstWritePosition = kWindowSize - 16;
inline constexpr std::uint8_t kWindowFill = ' ';
inline constexpr std::size_t kMinMatch = 3;
inline constexpr std::size_t kMaxMatch = 18;
inline constexpr std::size_t kItemsPerGroup = 8;
// The most bytes one group can take: the control byte and eight matches.
inline constexpr std::size_t kMaxGroupSize = 1 + kItemsPerGroup * 2;

struct Header {
    char missing = 0;          // last character of the original name, 0 when not recorded
    std::uint32_t length = 0;  // expanded length
};

// Why a file cannot be expanded.
enum class Fault {
    BadHeader,    // too short, or not the LZ expand magic
    UnknownMode,  // a mode byte other than 'A'
    Truncated,    // the data ends before the recorded length is reached
    Overlong,     // the data goes on past the recorded length
};

class FormatError : public std::runtime_error {
public:
    FormatError(Fault fault, const std::string& what) : std::runtime_error(what), fault_(fault) {}
    Fault fault() const { return fault_; }

private:
    Fault fault_;
};

// True when FILE begins with the magic of the format.
bool hasMagic(Bytes file);

// Reads the header at the start of FILE; throws FormatError when it is not a valid header.
Header readHeader(Bytes file);

// The 14 header bytes for HEADER.
std::array<std::uint8_t, kHeaderSize> makeHeader(const Header& header);

}  // namespace platform::lz
