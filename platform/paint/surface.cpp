#include "paint/surface.h"

#include "gdi/device_context.h"
#include "kernel/pc.h"
#include "paint/picture_file.h"
#include "user/dispatch.h"
#include "win/gdi.h"

#include <memory>

namespace platform::paint {
namespace {

struct Surface {
    gdi::FramebufferPtr pixels;
    std::unique_ptr<PictureFile> shared;  // null when the process has no PC
};

Surface& surfaceOf(user::Window& top) {
    auto surface = std::static_pointer_cast<Surface>(top.surface);
    if (!surface) {
        surface = std::make_shared<Surface>();
        if (Pc::hasCurrent())
            surface->shared = std::make_unique<PictureFile>(
                pictureFile(Pc::current().runFolder(), reinterpret_cast<std::uintptr_t>(top.handle)));
        top.surface = surface;
    }
    int width = std::max(0, static_cast<int>(top.rect.right - top.rect.left));
    int height = std::max(0, static_cast<int>(top.rect.bottom - top.rect.top));
    COLORREF face = GetSysColor(COLOR_3DFACE);
    if (!surface->pixels) surface->pixels = gdi::makeFramebuffer(width, height, face);
    else if (surface->pixels->width() != width || surface->pixels->height() != height)
        surface->pixels->resize(width, height, face);
    return *surface;
}

RECT offset(RECT r, POINT by) { return RECT{r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y}; }

RECT clientRectOnScreen(const user::Window& w) {
    RECT insets = user::frameInsets(w.style, w.exStyle);
    RECT screen = screenRectOf(w);
    return RECT{screen.left + insets.left, screen.top + insets.top, screen.right - insets.right,
                screen.bottom - insets.bottom};
}

}  // namespace

RECT screenRectOf(const user::Window& w) {
    if (!w.isChild()) return w.rect;
    if (user::Window* parent = user::localWindow(w.parent)) return offset(w.rect, user::clientOrigin(*parent));
    return w.rect;
}

gdi::FramebufferPtr framebufferOf(user::Window& top) { return surfaceOf(top).pixels; }

std::optional<Target> targetOf(HWND handle, bool client) {
    user::Window* w = user::localWindow(handle);
    if (!w) return std::nullopt;
    user::Window* top = user::localWindow(user::topLevelOf(handle));
    if (!top) return std::nullopt;
    gdi::FramebufferPtr pixels = framebufferOf(*top);
    // Screen coordinates to framebuffer coordinates.
    POINT toDevice{-top->rect.left, -top->rect.top};
    RECT area = client ? clientRectOnScreen(*w) : screenRectOf(*w);
    RECT clip = area;
    for (user::Window* up = w; up->isChild();) {
        up = user::localWindow(up->parent);
        if (!up) break;
        clip = gdi::intersect(clip, clientRectOnScreen(*up));
    }
    clip = gdi::intersect(offset(clip, toDevice), gdi::boundsOf(*pixels));
    if (gdi::isEmpty(clip)) clip = RECT{0, 0, 0, 0};
    return Target{pixels, POINT{area.left + toDevice.x, area.top + toDevice.y}, clip};
}

void publishPicture(HWND handle) {
    user::Window* top = user::localWindow(user::topLevelOf(handle));
    if (!top) return;
    Surface& surface = surfaceOf(*top);
    if (surface.shared) surface.shared->write(*surface.pixels);
}

}  // namespace platform::paint
