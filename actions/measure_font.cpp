#include "actions/drawing.h"

#include "win/gdi.h"

#include <algorithm>
#include <iterator>

DWORD measureFont(HDC dc, HFONT font)
{
    HGDIOBJ previous = SelectObject(dc, font);

    INT widths[126 - 33 + 1];
    DWORD widest = 0;
    DWORD height = 0;
    if (GetCharWidthA(dc, 33, 126, widths)) {
        widest = static_cast<DWORD>(*std::max_element(std::begin(widths), std::end(widths)));
        SIZE letter = {};
        GetTextExtentPoint32A(dc, "I", 1, &letter);
        height = static_cast<DWORD>(letter.cy);
    }

    SelectObject(dc, previous);
    return (height << 16) + (widest & 0xFFFF);
}
