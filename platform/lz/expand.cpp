#include "lz/expand.h"

#include <cstring>
#include <string>

namespace platform::lz {
namespace {

// Decodes the data that follows the header into a flat buffer. The window is the output itself:
// a match's window position turns into a distance back from the current output byte, and a
// distance reaching before the first byte reads the blanks that the window started with.
class Decoder {
public:
    Decoder(Bytes data, std::uint8_t* out, std::size_t length)
        : in_(data.data()), inEnd_(data.data() + data.size()), base_(out), out_(out), outEnd_(out + length) {}

    void run() {
        while (out_ < outEnd_) {
            if (in_ == inEnd_) truncated();
            unsigned control = *in_++;
            if (inEnd_ - in_ >= static_cast<std::ptrdiff_t>(kItemsPerGroup * 2) &&
                outEnd_ - out_ >= static_cast<std::ptrdiff_t>(kItemsPerGroup * kMaxMatch))
                fullGroup(control);
            else
                lastGroups(control);
        }
        std::size_t left = static_cast<std::size_t>(inEnd_ - in_);
        if (left > kMaxGroupSize)
            throw FormatError(Fault::Overlong, "the data goes on past the recorded length of " +
                                                   std::to_string(length()) + " bytes (" + std::to_string(left) +
                                                   " bytes left over)");
    }

private:
    std::size_t length() const { return static_cast<std::size_t>(outEnd_ - base_); }
    std::size_t written() const { return static_cast<std::size_t>(out_ - base_); }

    [[noreturn]] void truncated() const {
        throw FormatError(Fault::Truncated, "the data ends after " + std::to_string(written()) + " of " +
                                                std::to_string(length()) + " bytes");
    }

    // Distance back from the current output byte to window position POSITION: 1 to 4096.
    std::size_t distanceTo(std::size_t position) const {
        std::size_t writePosition = (kFirstWritePosition + written()) & kWindowMask;
        return ((writePosition - position - 1) & kWindowMask) + 1;
    }

    // A group with room for eight items on both sides: no bounds checks per item. The room also
    // lets a short match be copied in one 16-byte move.
    void fullGroup(unsigned control) {
        if (control == 0xFF) {
            std::memcpy(out_, in_, kItemsPerGroup);
            out_ += kItemsPerGroup;
            in_ += kItemsPerGroup;
            return;
        }
        for (std::size_t item = 0; item < kItemsPerGroup; ++item, control >>= 1) {
            if (control & 1) {
                *out_++ = *in_++;
                continue;
            }
            auto [distance, count] = readMatch();
            if (distance <= written())
                copyMatch(distance, count);
            else
                copyMatchFromStart(distance, count);
        }
    }

    // Groups near the end of either side: every item is checked.
    void lastGroups(unsigned control) {
        for (std::size_t item = 0; item < kItemsPerGroup && out_ < outEnd_; ++item, control >>= 1) {
            if (control & 1) {
                if (in_ == inEnd_) truncated();
                *out_++ = *in_++;
                continue;
            }
            if (inEnd_ - in_ < 2) truncated();
            auto [distance, count] = readMatch();
            if (count > static_cast<std::size_t>(outEnd_ - out_))
                throw FormatError(Fault::Overlong, "a match at byte " + std::to_string(written()) +
                                                       " runs past the recorded length of " +
                                                       std::to_string(length()) + " bytes");
            copyMatchFromStart(distance, count);
        }
    }

    struct Match {
        std::size_t distance;
        std::size_t count;
    };
    Match readMatch() {
        std::size_t low = in_[0], high = in_[1];
        in_ += 2;
        return {distanceTo(low | (high & 0xF0) << 4), (high & 0x0F) + kMinMatch};
    }

    // A match whose source lies wholly in the output written so far. Overlapping matches repeat
    // the bytes just written, as the window does.
    void copyMatch(std::size_t distance, std::size_t count) {
        const std::uint8_t* from = out_ - distance;
        if (distance >= 16) {
            std::memcpy(out_, from, 16);
            if (count > 16) {
                out_[16] = from[16];
                out_[17] = from[17];
            }
        } else if (distance == 1) {
            std::memset(out_, from[0], count);
        } else {
            for (std::size_t i = 0; i < count; ++i) out_[i] = from[i];
        }
        out_ += count;
    }

    // A match that may begin in the blanks before the first byte.
    void copyMatchFromStart(std::size_t distance, std::size_t count) {
        auto from = static_cast<std::ptrdiff_t>(written()) - static_cast<std::ptrdiff_t>(distance);
        for (std::size_t i = 0; i < count; ++i, ++from) *out_++ = from < 0 ? kWindowFill : base_[from];
    }

    const std::uint8_t* in_;
    const std::uint8_t* inEnd_;
    std::uint8_t* base_;
    std::uint8_t* out_;
    std::uint8_t* outEnd_;
};

}  // namespace

std::vector<std::uint8_t> expand(Bytes file) {
    Header header = readHeader(file);
    // Refuse a length that the data cannot reach before making room for it: a damaged header
    // must not cost gigabytes. Each data byte yields at most half a longest match.
    std::size_t dataSize = file.size() - kHeaderSize;
    if (header.length > dataSize * (kMaxMatch / 2))
        throw FormatError(Fault::Truncated, "the recorded length of " + std::to_string(header.length) +
                                                " bytes is more than " + std::to_string(dataSize) +
                                                " bytes of data can hold");
    std::vector<std::uint8_t> out(header.length);
    Decoder(file.subspan(kHeaderSize), out.data(), header.length).run();
    return out;
}

}  // namespace platform::lz
