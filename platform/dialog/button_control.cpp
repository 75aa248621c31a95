// Push buttons and default push buttons: pressed by the mouse, by Space while focused, or by
// BM_CLICK; each press sends BN_CLICKED to the parent.
#include "dialog/control_state.h"
#include "dialog/controls.h"
#include "paint/frame.h"
#include "win/kernel.h"
#include "win/paint.h"

#include <string>

namespace platform::dialog {
namespace {

struct ButtonState {
    bool pushed = false;   // shown pressed
    bool tracking = false; // the mouse button went down on it
    bool focused = false;
};

bool isDefault(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON; }

void paint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (!dc) return;
    ButtonState* s = stateOfControl<ButtonState>(window);
    controlColours(window, dc, WM_CTLCOLORBTN, COLOR_3DFACE);
    RECT r;
    GetClientRect(window, &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_3DFACE));
    if (isDefault(window)) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        r = RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    }
    if (s->pushed) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_3DSHADOW));
    } else {
        platform::paint::edgeRing(dc, r, COLOR_3DHILIGHT, COLOR_3DDKSHADOW);
        platform::paint::edgeRing(dc, r, COLOR_3DLIGHT, COLOR_3DSHADOW);
    }
    int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(window, text.data(), length + 1);
    HGDIOBJ old = SelectObject(dc, fontOf(window));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(IsWindowEnabled(window) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    RECT textArea = r;
    if (s->pushed) textArea = RECT{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
    DrawTextA(dc, text.c_str(), length, &textArea, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, old);
    EndPaint(window, &ps);
}

void show(HWND window, bool pushed) {
    ButtonState* s = stateOfControl<ButtonState>(window);
    if (s->pushed == pushed) return;
    s->pushed = pushed;
    InvalidateRect(window, nullptr, TRUE);
}

void click(HWND window) {
    if (!IsWindowEnabled(window)) return;
    notifyParent(window, BN_CLICKED);
}

}  // namespace

LRESULT CALLBACK buttonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT common = 0;
    if (commonControlMessage(window, message, wParam, lParam, common)) return common;
    switch (message) {
    case WM_NCCREATE: {
        auto create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        auto kind = static_cast<DWORD>(create->style) & BS_TYPEMASK;
        if (kind != BS_PUSHBUTTON && kind != BS_DEFPUSHBUTTON) {
            SetLastError(ERROR_INVALID_PARAMETER);  // only push buttons are offered
            return FALSE;
        }
        makeControlState<ButtonState>(window);
        break;
    }
    case WM_NCDESTROY:
        deleteControlState<ButtonState>(window);
        forgetFont(window);
        break;
    case WM_PAINT:
        paint(window);
        return 0;
    case WM_SETTEXT: {
        LRESULT done = DefWindowProcA(window, message, wParam, lParam);
        InvalidateRect(window, nullptr, TRUE);
        return done;
    }
    case WM_GETDLGCODE:
        return DLGC_BUTTON | (isDefault(window) ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case WM_ENABLE:
        InvalidateRect(window, nullptr, TRUE);
        return 0;
    case WM_SETFOCUS:
        stateOfControl<ButtonState>(window)->focused = true;
        return 0;
    case WM_KILLFOCUS:
        stateOfControl<ButtonState>(window)->focused = false;
        stateOfControl<ButtonState>(window)->tracking = false;
        show(window, false);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(window);
        stateOfControl<ButtonState>(window)->tracking = true;
        show(window, true);
        return 0;
    case WM_LBUTTONUP: {
        ButtonState* s = stateOfControl<ButtonState>(window);
        bool wasDown = s->tracking;
        s->tracking = false;
        show(window, false);
        RECT client;
        GetClientRect(window, &client);
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (wasDown && at.x >= client.left && at.x < client.right && at.y >= client.top && at.y < client.bottom)
            click(window);
        return 0;
    }
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) show(window, true);
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE && stateOfControl<ButtonState>(window)->pushed) {
            show(window, false);
            click(window);
        }
        return 0;
    case BM_CLICK:
        click(window);
        return 0;
    case BM_GETSTATE: {
        ButtonState* s = stateOfControl<ButtonState>(window);
        return (s->pushed ? BST_PUSHED : 0) | (s->focused ? BST_FOCUS : 0);
    }
    case BM_SETSTATE:
        show(window, wParam != 0);
        return 0;
    case BM_SETSTYLE: {
        DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
        SetWindowLongA(window, GWL_STYLE, static_cast<LONG>((style & ~BS_TYPEMASK) | (wParam & BS_TYPEMASK)));
        if (LOWORD(lParam)) InvalidateRect(window, nullptr, TRUE);
        return 0;
    }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace platform::dialog
