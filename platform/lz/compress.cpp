#include "lz/compress.h"

#include "lz/match_finder.h"

#include <limits>
#include <stdexcept>

namespace platform::lz {
namespace {

// Bits per item, the control bit included.
constexpr std::uint64_t kLiteralCost = 9;
constexpr std::uint64_t kMatchCost = 17;

// The cheapest item lengths (1 for a literal) by dynamic programming from the end: at each
// position every length up to the longest match is tried, since any prefix of a match is one.
std::vector<std::uint16_t> cheapestParse(const std::vector<Match>& matches) {
    std::size_t size = matches.size();
    std::vector<std::uint64_t> cost(size + 1, 0);
    std::vector<std::uint16_t> step(size, 1);
    for (std::size_t at = size; at-- > 0;) {
        cost[at] = kLiteralCost + cost[at + 1];
        for (std::size_t length = kMinMatch; length <= matches[at].length; ++length) {
            std::uint64_t viaMatch = kMatchCost + cost[at + length];
            if (viaMatch < cost[at]) {
                cost[at] = viaMatch;
                step[at] = static_cast<std::uint16_t>(length);
            }
        }
    }
    return step;
}

}  // namespace

std::vector<std::uint8_t> compress(Bytes data, char missing) {
    if (data.size() > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("a file of 4 GiB or more cannot be compressed in the LZ expand format");
    std::vector<Match> matches = longestMatches(data);
    std::vector<std::uint16_t> steps = cheapestParse(matches);

    auto header = makeHeader({missing, static_cast<std::uint32_t>(data.size())});
    std::vector<std::uint8_t> out(header.begin(), header.end());
    out.reserve(header.size() + data.size() + data.size() / 8 + 1);
    std::size_t at = 0;
    while (at < data.size()) {
        std::size_t control = out.size();
        out.push_back(0);
        for (unsigned item = 0; item < kItemsPerGroup && at < data.size(); ++item) {
            std::size_t length = steps[at];
            if (length == 1) {
                out[control] |= static_cast<std::uint8_t>(1u << item);
                out.push_back(data[at]);
            } else {
                std::size_t position = (kFirstWritePosition + at - matches[at].distance) & kWindowMask;
                out.push_back(static_cast<std::uint8_t>(position & 0xFF));
                out.push_back(static_cast<std::uint8_t>((position >> 4 & 0xF0) | (length - kMinMatch)));
            }
            at += length;
        }
    }
    return out;
}

char missingCharacter(std::string_view fileName) { return fileName.empty() ? '\0' : fileName.back(); }

}  // namespace platform::lz
