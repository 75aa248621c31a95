// The window layer's side of the desktop: the window table of the PC and the routes to
// windows of other programs.
#pragma once

#include "desktop/connection.h"
#include "desktop/wire.h"
#include "user/window.h"

#include <optional>
#include <vector>

namespace platform::user::link {

// The connection, with this process's inbox installed. Throws when there is no desktop.
desktop::Connection& connection();

desktop::WindowRecord recordOf(const Window& window);
// A new handle from the desktop; null (with the error set) when there is no desktop.
HWND registerWindow(const Window& window);
void publish(const Window& window);
void raise(HWND handle);
void forget(HWND handle);

std::optional<desktop::WindowRecord> query(HWND handle);
HWND find(LPCSTR className, LPCSTR title);
std::vector<desktop::WindowRecord> topLevelWindows();
// Posts to a window of another program; false when it does not exist.
bool post(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace platform::user::link
