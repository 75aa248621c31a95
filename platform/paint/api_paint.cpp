// The paint cycle and the device contexts of windows.
//
// An update always covers the whole client area: the window layer keeps one "needs paint" mark
// per window, not a region. The non-client frame is drawn at the start of each paint.
#include "gdi/device_context.h"
#include "gdi/display.h"
#include "paint/frame.h"
#include "paint/surface.h"
#include "user/window.h"
#include "win/kernel.h"
#include "win/paint.h"
#include "win/user.h"

#include <cstring>

using namespace platform;

namespace {

HDC dcOn(HWND window, bool client) {
    std::optional<paint::Target> target = paint::targetOf(window, client);
    if (!target) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    return gdi::createDc(target->pixels, target->origin, target->clip);
}

// Drawing on the desktop itself goes into a picture of the screen that nothing shows: the
// desktop repaints itself over whatever programs draw there.
HDC screenDc() {
    static gdi::FramebufferPtr screen = [] {
        gdi::Display display = gdi::currentDisplay();
        return gdi::makeFramebuffer(display.width, display.height, GetSysColor(COLOR_DESKTOP));
    }();
    return gdi::createDc(screen, POINT{0, 0}, gdi::boundsOf(*screen));
}

// The default handling of WM_PAINT is a paint cycle with nothing drawn: frame and background.
const bool gDefaultPaintInstalled = [] {
    user::windowEvents().paint = [](HWND window) {
        PAINTSTRUCT ps;
        if (BeginPaint(window, &ps)) EndPaint(window, &ps);
    };
    return true;
}();

}  // namespace

HDC WINAPI BeginPaint(HWND window, LPPAINTSTRUCT paint) {
    user::Window* w = user::localWindow(window);
    if (!w || !paint) {
        SetLastError(w ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    std::memset(paint, 0, sizeof *paint);
    paint::drawNonClient(window);
    HDC dc = dcOn(window, true);
    if (!dc) return nullptr;
    user::validate(window);
    GetClientRect(window, &paint->rcPaint);
    paint->hdc = dc;
    paint->fErase = SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
    return dc;
}

BOOL WINAPI EndPaint(HWND window, const PAINTSTRUCT* paint) {
    user::Window* w = user::localWindow(window);
    if (!w || !paint) {
        SetLastError(w ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    gdi::releaseDc(paint->hdc);
    // The parent's paint covered its children's places: they paint again on top of it.
    for (HWND child : w->children)
        if (user::Window* c = user::localWindow(child); c && c->visible()) user::invalidate(child);
    paint::publishPicture(window);
    return TRUE;
}

HDC WINAPI GetDC(HWND window) {
    if (!window) return screenDc();
    return dcOn(window, true);
}

HDC WINAPI GetWindowDC(HWND window) {
    if (!window) return screenDc();
    return dcOn(window, false);
}

int WINAPI ReleaseDC(HWND window, HDC dc) {
    if (!gdi::findDc(dc)) return 0;
    gdi::releaseDc(dc);
    if (window) paint::publishPicture(window);
    return 1;
}
