#include "actions/drawing.h"

#include "win/gdi.h"
#include "win/user.h"

namespace {

void line(HDC dc, int fromX, int fromY, int toX, int toY)
{
    MoveToEx(dc, fromX, fromY, nullptr);
    LineTo(dc, toX, toY);
}

}  // namespace

void draw3dFrame(HDC dc, int x, int y, int width, int height, int style)
{
    HPEN first;
    HPEN second;
    HPEN erasing = nullptr;
    switch (style) {
    case -1:
        first = static_cast<HPEN>(GetStockObject(WHITE_PEN));
        second = static_cast<HPEN>(GetStockObject(BLACK_PEN));
        break;
    case 1:
        first = static_cast<HPEN>(GetStockObject(BLACK_PEN));
        second = static_cast<HPEN>(GetStockObject(WHITE_PEN));
        break;
    case 0:
        erasing = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOW));
        first = erasing;
        second = erasing;
        break;
    default:
        return;
    }

    HGDIOBJ previous = SelectObject(dc, first);
    line(dc, x, y, x + width, y);
    line(dc, x, y, x, y + height);
    SelectObject(dc, second);
    line(dc, x + width, y + height, x + width, y);
    line(dc, x + width, y + height, x, y + height);
    SelectObject(dc, previous);

    if (erasing)
        DeleteObject(erasing);
}

void drawDialogFrame(HWND window, HDC dc)
{
    RECT frame;
    GetClientRect(window, &frame);

    HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
    FrameRect(dc, &frame, black);
    frame.right -= 2;
    frame.bottom -= 2;
    HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 0));
    FrameRect(dc, &frame, yellow);

    DeleteObject(black);
    DeleteObject(yellow);
}
