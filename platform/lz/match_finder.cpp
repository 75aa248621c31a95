#include "lz/match_finder.h"

#include <algorithm>

namespace platform::lz {
namespace {

constexpr unsigned kHashBits = 15;

// Hash chains over the file preceded by the window's initial blanks.
class HashChains {
public:
    explicit HashChains(Bytes data) : text_(kWindowSize, kWindowFill), head_(1u << kHashBits, -1) {
        text_.insert(text_.end(), data.begin(), data.end());
        previous_.assign(text_.size(), -1);
    }

    std::vector<Match> run(std::size_t chainLimit) {
        std::size_t size = text_.size();
        std::vector<Match> matches(size - kWindowSize);
        // Only the blanks just before the first byte are needed: any earlier blank run is
        // also found there.
        for (std::size_t at = kWindowSize - kMaxMatch; at + kMinMatch <= size; ++at) {
            if (at >= kWindowSize) matches[at - kWindowSize] = longestAt(at, chainLimit);
            insert(at);
        }
        return matches;
    }

private:
    unsigned hashAt(std::size_t at) const {
        std::uint32_t key = text_[at] | text_[at + 1] << 8 | text_[at + 2] << 16;
        return (key * 2654435761u) >> (32 - kHashBits);
    }

    void insert(std::size_t at) {
        unsigned hash = hashAt(at);
        previous_[at] = head_[hash];
        head_[hash] = static_cast<std::int32_t>(at);
    }

    Match longestAt(std::size_t at, std::size_t chainLimit) const {
        std::size_t limit = std::min(kMaxMatch, text_.size() - at);
        std::size_t oldest = at - kWindowSize;
        const std::uint8_t* here = text_.data() + at;
        Match best;
        std::size_t bestLength = kMinMatch - 1;
        std::int32_t candidate = head_[hashAt(at)];
        for (std::size_t steps = 0; candidate >= 0 && static_cast<std::size_t>(candidate) >= oldest && steps < chainLimit;
             ++steps, candidate = previous_[candidate]) {
            const std::uint8_t* there = text_.data() + candidate;
            if (there[bestLength] != here[bestLength]) continue;
            std::size_t length = 0;
            while (length < limit && there[length] == here[length]) ++length;
            if (length > bestLength) {
                bestLength = length;
                best = {static_cast<std::uint16_t>(length), static_cast<std::uint16_t>(at - candidate)};
                if (length == limit) break;
            }
        }
        return best;
    }

    std::vector<std::uint8_t> text_;
    std::vector<std::int32_t> head_;
    std::vector<std::int32_t> previous_;
};

}  // namespace

std::vector<Match> longestMatches(Bytes data, std::size_t chainLimit) {
    if (data.size() < kMinMatch) return std::vector<Match>(data.size());
    return HashChains(data).run(chainLimit);
}

}  // namespace platform::lz
