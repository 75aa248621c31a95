// Whole host files for the kit's commands: read at once, written so that a failure never leaves
// a partial file behind.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace kit {

// The content of FILE; throws std::runtime_error naming FILE when it cannot be read.
std::vector<std::uint8_t> readHostFile(const std::filesystem::path& file);

// Replaces FILE with DATA: written to a temporary file in the same folder, then renamed over
// FILE. Throws std::runtime_error naming FILE on failure, with FILE untouched.
void writeHostFileAtomically(const std::filesystem::path& file, std::span<const std::uint8_t> data);

}  // namespace kit
