// The PC's screen: the desktop colour with the pictures of the visible top-level windows laid
// over it by z-order.
#pragma once

#include "desktop/wire.h"
#include "gdi/framebuffer.h"

#include <filesystem>
#include <vector>

namespace platform::paint {

// WINDOWS is topmost first, as the desktop lists them. A window whose picture is missing or
// unreadable (not painted yet, or gone meanwhile) is left out.
gdi::Framebuffer composeScreen(const std::vector<desktop::WindowRecord>& windows,
                               const std::filesystem::path& runFolder, int width, int height);

}  // namespace platform::paint
