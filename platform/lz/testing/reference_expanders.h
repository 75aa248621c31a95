// Independent expanders of the LZ expand format, to check our files against: libmspack's
// decoder, run in memory, and Debian's msexpand program.
#pragma once

#include "lz/format.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace platform::lz::testing {

// Expands FILE with libmspack; throws std::runtime_error when libmspack refuses it.
std::vector<std::uint8_t> expandWithLibmspack(Bytes file);

// True when the msexpand program is installed.
bool haveMsexpand();
// Expands FILE with msexpand; throws std::runtime_error when it fails.
std::vector<std::uint8_t> expandWithMsexpand(Bytes file);

// Compresses DATA with Debian's mscompress; nullopt when the program is not installed.
std::optional<std::vector<std::uint8_t>> compressWithMscompress(Bytes data);

}  // namespace platform::lz::testing
