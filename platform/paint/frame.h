// The non-client part of a window: its border, dialog frame and caption, as its style gives them.
#pragma once

#include "win/types.h"

namespace platform::paint {

void drawNonClient(HWND window);

// One ring of a 3-D edge: system colour LIGHT on the top and left sides, DARK on the bottom and
// right; R shrinks by one pixel on each side.
void edgeRing(HDC dc, RECT& r, int light, int dark);

}  // namespace platform::paint
