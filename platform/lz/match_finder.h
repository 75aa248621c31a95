// The longest earlier match for every position of a file, as the LZ expand window sees it:
// up to 4096 bytes back, the window's initial blanks included, overlapping allowed.
#pragma once

#include "lz/format.h"

#include <cstdint>
#include <vector>

namespace platform::lz {

struct Match {
    std::uint16_t length = 0;    // 0 when no match of kMinMatch bytes exists
    std::uint16_t distance = 0;  // 1 to kWindowSize bytes back
};

// For each position of DATA, the longest match (at most kMaxMatch bytes, not past the end).
// CHAIN_LIMIT bounds the candidates looked at per position.
std::vector<Match> longestMatches(Bytes data, std::size_t chainLimit = 1024);

}  // namespace platform::lz
