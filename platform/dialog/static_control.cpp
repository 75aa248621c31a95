// Static controls: text placed left, centred or right (wrapped at words), or an icon.
#include "dialog/control_state.h"
#include "dialog/controls.h"
#include "win/paint.h"

#include <string>

namespace platform::dialog {
namespace {

struct StaticState {
    HICON icon = nullptr;
};

UINT textFormat(DWORD style) {
    switch (style & SS_TYPEMASK) {
    case SS_CENTER: return DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS;
    case SS_RIGHT: return DT_RIGHT | DT_WORDBREAK | DT_EXPANDTABS;
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP: return DT_LEFT | DT_SINGLELINE | DT_EXPANDTABS;
    default: return DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS;
    }
}

void paint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (!dc) return;
    auto style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    RECT client;
    GetClientRect(window, &client);
    HBRUSH background = controlColours(window, dc, WM_CTLCOLORSTATIC, COLOR_3DFACE);
    FillRect(dc, &client, background);
    if ((style & SS_TYPEMASK) == SS_ICON) {
        if (StaticState* s = stateOfControl<StaticState>(window); s && s->icon) DrawIcon(dc, 0, 0, s->icon);
    } else {
        int length = GetWindowTextLengthA(window);
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        GetWindowTextA(window, text.data(), length + 1);
        HGDIOBJ old = SelectObject(dc, fontOf(window));
        SetBkMode(dc, TRANSPARENT);
        UINT format = textFormat(style) | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0);
        DrawTextA(dc, text.c_str(), length, &client, format);
        SelectObject(dc, old);
    }
    EndPaint(window, &ps);
}

}  // namespace

LRESULT CALLBACK staticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT common = 0;
    if (commonControlMessage(window, message, wParam, lParam, common)) return common;
    switch (message) {
    case WM_NCCREATE:
        makeControlState<StaticState>(window);
        break;
    case WM_CREATE: {
        // An icon static names its icon in its text: a resource number ("#1") or a name.
        auto create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        if ((create->style & SS_TYPEMASK) == SS_ICON && create->lpszName) {
            LPCSTR name = create->lpszName;
            if (!IS_INTRESOURCE(name) && name[0] == '#') name = MAKEINTRESOURCEA(std::atoi(name + 1));
            stateOfControl<StaticState>(window)->icon = LoadIconA(create->hInstance, name);
        }
        return 0;
    }
    case WM_NCDESTROY:
        deleteControlState<StaticState>(window);
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
        return DLGC_STATIC;
    case STM_SETICON: {
        StaticState* s = stateOfControl<StaticState>(window);
        HICON previous = s->icon;
        s->icon = reinterpret_cast<HICON>(wParam);
        InvalidateRect(window, nullptr, TRUE);
        return reinterpret_cast<LRESULT>(previous);
    }
    case STM_GETICON:
        return reinterpret_cast<LRESULT>(stateOfControl<StaticState>(window)->icon);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace platform::dialog
