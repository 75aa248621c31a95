// Expansion of files in the LZ expand format.
#pragma once

#include "lz/format.h"

#include <cstdint>
#include <vector>

namespace platform::lz {

// Expands FILE (header and data) into exactly the length that its header records.
// Throws FormatError when the header is not valid, when the data ends before that length is
// reached, or when it goes on well past it. A few stray bytes after the end are accepted:
// some compressors close with an unused partial group.
std::vector<std::uint8_t> expand(Bytes file);

}  // namespace platform::lz
