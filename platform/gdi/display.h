// What drawing needs to know about the PC's display: its size and the ANSI code page of text.
#pragma once

namespace platform::gdi {

struct Display {
    int width;
    int height;
    int codePage;
};

// The display of the PC this process belongs to (the PC's defaults when it has none).
Display currentDisplay();

}  // namespace platform::gdi
