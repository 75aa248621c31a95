// Where a window's drawing goes. Each top-level window has one framebuffer of its whole window
// rectangle; its child windows draw into it at their place, clipped to their own and their
// ancestors' client areas.
#pragma once

#include "gdi/framebuffer.h"
#include "user/window.h"

#include <optional>

namespace platform::paint {

struct Target {
    gdi::FramebufferPtr pixels;
    POINT origin;  // device position of the logical origin
    RECT clip;     // device rectangle that drawing may touch
};

// The client area (CLIENT) or the whole window of a window of this process; null for others.
std::optional<Target> targetOf(HWND window, bool client);

// The framebuffer of a top-level window of this process, made or resized to its rectangle.
gdi::FramebufferPtr framebufferOf(user::Window& topLevel);

// Hands the picture of WINDOW's top-level window to the other programs of the PC.
void publishPicture(HWND window);

// The window rectangle of a window in screen coordinates.
RECT screenRectOf(const user::Window& window);

}  // namespace platform::paint
