// Stock objects and system colours: made once per process, never deleted.
#pragma once

#include "gdi/device_context.h"
#include "gdi/objects.h"

namespace platform::gdi {

// The handle of stock object INDEX (GetStockObject numbering), or null for an unknown index.
HGDIOBJ stockObject(int index);
// The 1 by 1 bitmap that a fresh memory DC holds.
HBITMAP defaultBitmap();
// The font that a fresh DC draws with.
const Font& systemFont();
// Selects the stock black pen, white brush and system font (and, in a memory DC, the default
// bitmap) into a fresh DC.
void selectDefaults(DeviceContext& dc);

// Windows 95 colours of the system colour indices; false for an index that has none.
bool systemColor(int index, COLORREF& color);
// The colour that BRUSH paints with: a brush handle, or a system colour index + 1 as the
// platform accepts in FillRect and class backgrounds. False when it paints nothing.
bool brushColor(HBRUSH brush, COLORREF& color);

}  // namespace platform::gdi
