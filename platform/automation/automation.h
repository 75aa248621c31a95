// Driving the windows of a PC from outside, as a user would: find a window, press its buttons,
// type into its edits, read its texts, send keys, close it, take a picture of the screen.
// Tests and the `pc` tool use it alike; windows of this process and of other programs of the
// PC are reached the same way, through the desktop.
//
// A window is named by its title, its class name or, for a dialog, the name of the template it
// was made from (compared without regard to case). Texts are UTF-8 here and the PC's code page
// in the programs.
#pragma once

#include "desktop/wire.h"
#include "gdi/framebuffer.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform::automation {

class AutomationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Control {
    int id;
    desktop::WindowRecord record;
};

struct Window {
    desktop::WindowRecord record;
    std::string templateName;       // empty unless the window is a dialog from a template
    std::vector<Control> controls;  // a dialog's controls in their tab order (empty otherwise)
};

// The top-level windows of the PC, topmost first.
std::vector<Window> windows();

// The window that NAME names, waiting for it up to TIMEOUT milliseconds of the process's clock;
// visible windows are preferred. Throws AutomationError when none appears.
Window findWindow(const std::string& name, std::uint64_t timeoutMilliseconds);

// Presses control ID of WINDOW (BM_CLICK).
void click(const Window& window, int id);
// Replaces the text of edit control ID as if typed: all of it selected, then the characters.
void type(const Window& window, int id, const std::string& utf8);
// The text of control ID (the first of that identifier), of one control, or the title of the
// window itself.
std::string text(const Window& window, int id);
std::string text(const Control& control);
std::string title(const Window& window);
// Sends keys to the foreground window: names (Enter, Escape, Tab, Space, Backspace, Delete,
// Home, End, Left, Right, Up, Down; "Shift+Tab") or else text, one character after the other.
void keys(const std::vector<std::string>& keys);
// Closes WINDOW as its system menu does (SC_CLOSE).
void close(const Window& window);

// The screen as the PC shows it now.
gdi::Framebuffer screenShot();

}  // namespace platform::automation
