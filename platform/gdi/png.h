// Pictures to PNG files (screen shots).
#pragma once

#include <filesystem>

#include "gdi/framebuffer.h"

namespace platform::gdi {

// Writes FRAME as an 8-bit RGB PNG file; throws std::runtime_error naming the file on failure.
void writePng(const Framebuffer& frame, const std::filesystem::path& file);

}  // namespace platform::gdi
