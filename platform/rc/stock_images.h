// The system's own icons (message box symbols, the application icon) and cursors, drawn here.
#pragma once

#include <optional>

#include "gdi/objects.h"
#include "win/types.h"

namespace platform::rc {

// The icon of a stock icon identifier (IDI_*), or none for another identifier.
std::optional<gdi::Icon> stockIcon(LPCSTR id);
// The cursor of a stock cursor identifier (IDC_*), or none for another identifier.
std::optional<gdi::Icon> stockCursor(LPCSTR id);

}  // namespace platform::rc
