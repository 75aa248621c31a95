// Painting helpers of the borderless windows that the setup program, the uninstall program and
// the bootstrap share.
#pragma once

#include "win/types.h"

// The widest of the characters "!" to "~" and the height of "I" in FONT, packed as
// height * 65536 + widest; 0 when the widths cannot be read.
DWORD measureFont(HDC dc, HFONT font);

// Outline of the rectangle (x, y)-(x + width, y + height): style -1 raised (white top and left,
// black right and bottom), 1 sunken (the other way round), 0 erased in the window colour; any
// other style draws nothing.
void draw3dFrame(HDC dc, int x, int y, int width, int height, int style);

// The frame of the kit's dialogs: black round the client area, yellow inside it, 2 pixels in
// from the right and bottom.
void drawDialogFrame(HWND window, HDC dc);

// A device bitmap made from the bitmap resource ID of MODULE (1, 4 or 8 bits per pixel), or
// nullptr when the module holds none or its depth is another. The caller deletes it.
HBITMAP loadBitmapResource(HINSTANCE module, HDC dc, int id);
