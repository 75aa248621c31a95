// The non-client part of a window: its border, dialog frame and caption, as its style gives them.
#pragma once

#include "win/types.h"

namespace platform::paint {

void drawNonClient(HWND window);

}  // namespace platform::paint
