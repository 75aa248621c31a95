// The window object of this process, for the layers built on windows (dialogs, controls,
// painting). A window lives in the table of the process that created it and is handled on the
// thread that created it; other programs see it through the desktop service.
//
// Coordinates: `rect` is the window rectangle, in screen coordinates for a top-level window and
// in the parent's client coordinates for a child. The client area lies inside the non-client
// frame that the style gives (see frameInsets).
#pragma once

#include "win/user.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform::user {

struct ThreadQueue;

struct WindowClass {
    std::string name;
    ATOM atom = 0;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int classExtra = 0;
    int windowExtra = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    std::string menuName;
    int windows = 0;  // windows of this class that exist
};

struct Window {
    HWND handle = nullptr;
    std::shared_ptr<WindowClass> windowClass;
    std::string title;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;  // WS_CHILD windows only
    HWND owner = nullptr;   // owned pop-ups and overlapped windows
    HMENU menuOrId = nullptr;
    HINSTANCE instance = nullptr;
    WNDPROC proc = nullptr;
    RECT rect{};
    RECT restoreRect{};            // the normal placement while minimised or maximised
    std::vector<HWND> children;    // z-order, topmost first
    std::vector<std::byte> extra;  // cbWndExtra bytes
    LONG_PTR userData = 0;
    std::shared_ptr<ThreadQueue> queue;
    bool needsPaint = false;
    bool destroying = false;
    // Whatever the painting layer keeps for this window (its framebuffer).
    std::shared_ptr<void> surface;

    bool visible() const { return (style & WS_VISIBLE) != 0; }
    bool isChild() const { return (style & WS_CHILD) != 0; }
};

// Widths of the non-client frame on each side (caption included at the top).
RECT frameInsets(DWORD style, DWORD exStyle);

// The window object of a window of this process, or null (other programs' windows and
// destroyed ones). Only the window's own thread may change it.
Window* localWindow(HWND handle);
// Screen coordinates of the client area's top-left corner.
POINT clientOrigin(const Window& window);

// Marks the window for a WM_PAINT (the message is made when the queue is otherwise empty).
void invalidate(HWND handle);
void validate(HWND handle);

// Calls that the painting layer and the dialogs can hang on window events.
struct WindowEvents {
    std::function<void(Window&)> created;    // after WM_CREATE succeeded
    std::function<void(Window&)> destroyed;  // before the object goes away
    std::function<void(Window&)> changed;    // shown, hidden, moved, resized or retitled
    std::function<void(HWND)> paint;         // DefWindowProcA's WM_PAINT: an empty paint cycle
};
WindowEvents& windowEvents();

}  // namespace platform::user
