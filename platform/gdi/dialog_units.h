// Dialog units: a dialog's sizes are given in quarters of its font's average character width
// and eighths of its character height, measured as the platform measures them.
#pragma once

#include "win/gdi.h"

namespace platform::gdi {

// The base units of FONT: cx = the average width of the 52 letters, rounded; cy = the cell
// height. Zero sizes when the font cannot be measured.
SIZE dialogBaseUnits(HFONT font);
// Dialog units to pixels: x and width times cx / 4, y and height times cy / 8, rounded.
RECT dialogUnitsToPixels(const RECT& units, SIZE base);

}  // namespace platform::gdi
