#include "paint/frame.h"

#include "gdi/device_context.h"
#include "paint/surface.h"
#include "user/window.h"
#include "win/gdi.h"

namespace platform::paint {
namespace {

void caption(HDC dc, const RECT& bar, const std::string& title) {
    FillRect(dc, &bar, GetSysColorBrush(COLOR_ACTIVECAPTION));
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_CAPTIONTEXT));
    RECT text{bar.left + 3, bar.top, bar.right - 3, bar.bottom};
    DrawTextA(dc, title.c_str(), static_cast<int>(title.size()), &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    DeleteObject(font);
}

}  // namespace

void drawNonClient(HWND handle) {
    user::Window* w = user::localWindow(handle);
    if (!w) return;
    RECT insets = user::frameInsets(w->style, w->exStyle);
    if (insets.left == 0 && insets.top == 0) return;
    std::optional<Target> target = targetOf(handle, false);
    if (!target) return;
    HDC dc = gdi::createDc(target->pixels, target->origin, target->clip);
    RECT r{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
    if (w->style & WS_THICKFRAME) {
        edgeRing(dc, r, COLOR_3DLIGHT, COLOR_3DDKSHADOW);
        edgeRing(dc, r, COLOR_3DHILIGHT, COLOR_3DSHADOW);
        edgeRing(dc, r, COLOR_3DFACE, COLOR_3DFACE);
        edgeRing(dc, r, COLOR_3DFACE, COLOR_3DFACE);
    } else if ((w->style & WS_DLGFRAME) || (w->exStyle & WS_EX_DLGMODALFRAME)) {
        edgeRing(dc, r, COLOR_3DLIGHT, COLOR_3DDKSHADOW);
        edgeRing(dc, r, COLOR_3DHILIGHT, COLOR_3DSHADOW);
        edgeRing(dc, r, COLOR_3DFACE, COLOR_3DFACE);
    } else if (w->style & WS_BORDER) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        r = RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    }
    if ((w->style & WS_CAPTION) == WS_CAPTION) {
        RECT bar{r.left, r.top, r.right, r.top + insets.top - insets.left - 1};
        caption(dc, bar, w->title);
        RECT line{r.left, bar.bottom, r.right, bar.bottom + 1};
        FillRect(dc, &line, GetSysColorBrush(COLOR_3DFACE));
    }
    gdi::releaseDc(dc);
}

void edgeRing(HDC dc, RECT& r, int light, int dark) {
    RECT top{r.left, r.top, r.right - 1, r.top + 1};
    RECT left{r.left, r.top, r.left + 1, r.bottom - 1};
    RECT bottom{r.left, r.bottom - 1, r.right, r.bottom};
    RECT right{r.right - 1, r.top, r.right, r.bottom};
    FillRect(dc, &top, GetSysColorBrush(light));
    FillRect(dc, &left, GetSysColorBrush(light));
    FillRect(dc, &bottom, GetSysColorBrush(dark));
    FillRect(dc, &right, GetSysColorBrush(dark));
    r = RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
}


}  // namespace platform::paint
