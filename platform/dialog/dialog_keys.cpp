// The keyboard of dialogs: Tab and Shift+Tab over the tab stops, Enter for the default button,
// Escape for Cancel; everything else goes to the window it is for.
#include "dialog/controls.h"
#include "dialog/dialog_state.h"
#include "user/window.h"

#include <vector>

namespace platform::dialog {
namespace {

// Shift as the dialogs have seen it go down and up.
bool gShiftDown = false;

std::vector<HWND> tabStops(HWND dialog) {
    std::vector<HWND> stops;
    user::Window* w = user::localWindow(dialog);
    if (!w) return stops;
    // Children are kept topmost first; the tab order is the order of creation.
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) {
        user::Window* c = user::localWindow(*it);
        if (c && (c->style & WS_TABSTOP) && c->visible() && !(c->style & WS_DISABLED)) stops.push_back(*it);
    }
    return stops;
}

HWND focusedChild(HWND dialog) {
    HWND focus = GetFocus();
    while (focus && GetParent(focus) != dialog && IsChild(dialog, focus)) focus = GetParent(focus);
    return focus && IsChild(dialog, focus) ? focus : nullptr;
}

void moveFocus(HWND dialog, HWND to) {
    if (!to) return;
    SetFocus(to);
    if (DialogState* state = stateOf(dialog)) state->lastFocus = to;
    if (SendMessageA(to, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageA(to, EM_SETSEL, 0, -1);
}

void command(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    if (control && !IsWindowEnabled(control)) return;
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

void pressEnter(HWND dialog, HWND focus) {
    int id = IDOK;
    if (focus && (SendMessageA(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
        id = GetDlgCtrlID(focus);
    } else {
        LRESULT def = SendMessageA(dialog, DM_GETDEFID, 0, 0);
        if (HIWORD(def) == DC_HASDEFID) id = LOWORD(def);
    }
    command(dialog, id);
}

}  // namespace
}  // namespace platform::dialog

using namespace platform::dialog;

HWND WINAPI GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
    std::vector<HWND> stops = tabStops(dialog);
    if (stops.empty()) return nullptr;
    auto n = static_cast<std::ptrdiff_t>(stops.size());
    std::ptrdiff_t at = -1;
    for (std::ptrdiff_t i = 0; i < n; ++i)
        if (stops[static_cast<std::size_t>(i)] == control) at = i;
    if (at < 0) return previous ? stops.back() : stops.front();
    return stops[static_cast<std::size_t>(((at + (previous ? -1 : 1)) % n + n) % n)];
}

BOOL WINAPI IsDialogMessageA(HWND dialog, LPMSG msg) {
    if (!msg || !dialog || (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd))) return FALSE;
    if ((msg->message == WM_KEYDOWN || msg->message == WM_KEYUP) && msg->wParam == VK_SHIFT)
        gShiftDown = msg->message == WM_KEYDOWN;
    if (msg->message == WM_KEYDOWN) {
        LRESULT code = SendMessageA(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
        HWND focus = focusedChild(dialog);
        switch (msg->wParam) {
        case VK_TAB:
            if (code & (DLGC_WANTTAB | DLGC_WANTALLKEYS)) break;
            moveFocus(dialog, GetNextDlgTabItem(dialog, focus, gShiftDown ? TRUE : FALSE));
            return TRUE;
        case VK_RETURN:
            if (code & DLGC_WANTALLKEYS) break;
            pressEnter(dialog, focus);
            return TRUE;
        case VK_ESCAPE:
            if (code & DLGC_WANTALLKEYS) break;
            command(dialog, IDCANCEL);
            return TRUE;
        }
    }
    if (msg->message == WM_CHAR && (msg->wParam == VK_TAB || msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) {
        LRESULT code = SendMessageA(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
        if (!(code & (DLGC_WANTALLKEYS | DLGC_WANTTAB))) return TRUE;  // already acted on at the key press
    }
    TranslateMessage(msg);
    DispatchMessageA(msg);
    return TRUE;
}
