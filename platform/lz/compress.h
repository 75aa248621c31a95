// Compression into the LZ expand format.
#pragma once

#include "lz/format.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace platform::lz {

// Compresses DATA into a whole file of the format (header and data). MISSING is recorded in the
// header as the character that the compressed name replaces (see missingCharacter).
// Throws std::length_error for data of 4 GiB or more, which the header cannot record.
std::vector<std::uint8_t> compress(Bytes data, char missing = 0);

// The character that a compressed file's name loses: the last character of the original name,
// 0 for an empty name.
char missingCharacter(std::string_view fileName);

}  // namespace platform::lz
