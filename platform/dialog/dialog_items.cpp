// Reaching a dialog's controls by identifier, and dialog units.
#include "dialog/dialog_state.h"
#include "gdi/dialog_units.h"
#include "user/window.h"
#include "win/kernel.h"

using namespace platform;
using namespace platform::dialog;

HWND WINAPI GetDlgItem(HWND dialog, int id) {
    user::Window* w = user::localWindow(dialog);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) {
        user::Window* c = user::localWindow(*it);
        if (c && static_cast<int>(reinterpret_cast<LONG_PTR>(c->menuOrId)) == id) return *it;
    }
    SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
    return nullptr;
}

int WINAPI GetDlgCtrlID(HWND control) {
    user::Window* w = user::localWindow(control);
    if (!w || !w->isChild()) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return static_cast<int>(reinterpret_cast<LONG_PTR>(w->menuOrId));
}

BOOL WINAPI SetDlgItemTextA(HWND dialog, int id, LPCSTR text) {
    HWND control = GetDlgItem(dialog, id);
    return control ? SetWindowTextA(control, text) : FALSE;
}

UINT WINAPI GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int size) {
    HWND control = GetDlgItem(dialog, id);
    if (!control) {
        if (buffer && size > 0) buffer[0] = 0;
        return 0;
    }
    return static_cast<UINT>(GetWindowTextA(control, buffer, size));
}

LRESULT WINAPI SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND control = GetDlgItem(dialog, id);
    return control ? SendMessageA(control, message, wParam, lParam) : 0;
}

LONG WINAPI GetDialogBaseUnits() {
    SIZE base = gdi::dialogBaseUnits(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
    return static_cast<LONG>(MAKELONG(base.cx, base.cy));
}

BOOL WINAPI MapDialogRect(HWND dialog, LPRECT rect) {
    DialogState* state = stateOf(dialog);
    if (!state || !rect) {
        SetLastError(state ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    *rect = gdi::dialogUnitsToPixels(*rect, state->baseUnits);
    return TRUE;
}
