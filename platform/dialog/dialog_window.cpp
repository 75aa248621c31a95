// The dialog class: it hands each message to the dialog procedure first and gives the
// platform's default dialog handling to what the procedure leaves.
#include "dialog/controls.h"
#include "dialog/dialog_state.h"
#include "dialog/dialog_record.h"
#include "user/window.h"
#include "win/paint.h"

#include <map>
#include <mutex>

namespace platform::dialog {
namespace {

struct States {
    std::mutex lock;
    std::map<HWND, std::unique_ptr<DialogState>> byWindow;
};

States& states() {
    static States s;
    return s;
}

// Messages whose answer is the dialog procedure's own return value instead of DWL_MSGRESULT.
bool answersDirectly(UINT message) {
    return message == WM_INITDIALOG || (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC);
}

HWND firstTabStop(HWND dialog) { return GetNextDlgTabItem(dialog, nullptr, FALSE); }

// The default push button of the dialog: the DM_SETDEFID choice, else the first
// BS_DEFPUSHBUTTON control.
int defaultButton(HWND dialog, const DialogState& state) {
    if (state.defaultId) return state.defaultId;
    if (user::Window* w = user::localWindow(dialog)) {
        for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) {
            user::Window* c = user::localWindow(*it);
            if (c && c->windowClass->name == kButtonClass && (c->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
                return static_cast<int>(reinterpret_cast<LONG_PTR>(c->menuOrId));
        }
    }
    return 0;
}

LRESULT defaultHandling(HWND dialog, DialogState* state, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(dialog, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_3DFACE));
        return 1;
    }
    case WM_PAINT: {
        // A procedure that painted and still said "not handled" leaves nothing to paint.
        user::Window* w = user::localWindow(dialog);
        if (w && !w->needsPaint) return 0;
        PAINTSTRUCT ps;
        if (BeginPaint(dialog, &ps)) EndPaint(dialog, &ps);
        return 0;
    }
    case WM_CLOSE: {
        // Closing a dialog is pressing its Cancel button (when that is not disabled).
        HWND cancel = GetDlgItem(dialog, IDCANCEL);
        if (cancel && !IsWindowEnabled(cancel)) return 0;
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
        return 0;
    }
    case WM_SETFOCUS: {
        HWND target = state && state->lastFocus && IsChild(dialog, state->lastFocus) ? state->lastFocus : firstTabStop(dialog);
        if (target) SetFocus(target);
        return 0;
    }
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(state ? state->font : nullptr);
    case DM_GETDEFID: {
        int id = state ? defaultButton(dialog, *state) : 0;
        return id ? MAKELRESULT(id, DC_HASDEFID) : 0;
    }
    case DM_SETDEFID:
        if (!state) return FALSE;
        state->defaultId = static_cast<int>(wParam);
        return TRUE;
    case WM_NEXTDLGCTL: {
        HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                     : GetNextDlgTabItem(dialog, GetFocus(), wParam ? TRUE : FALSE);
        if (target) {
            SetFocus(target);
            if (state) state->lastFocus = target;
            if (SendMessageA(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageA(target, EM_SETSEL, 0, -1);
        }
        return 0;
    }
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR: {
        // Keys sent to the dialog window itself belong to its focused control.
        HWND focus = GetFocus();
        if (focus && focus != dialog && IsChild(dialog, focus)) return SendMessageA(focus, message, wParam, lParam);
        return 0;
    }
    case WM_NCDESTROY:
        if (state && state->ownsFont) DeleteObject(state->font);
        forgetDialogRecord(dialog);
        dropState(dialog);
        break;
    }
    return DefWindowProcA(dialog, message, wParam, lParam);
}

}  // namespace

DialogState* stateOf(HWND dialog) {
    States& s = states();
    std::lock_guard guard(s.lock);
    auto it = s.byWindow.find(dialog);
    return it == s.byWindow.end() ? nullptr : it->second.get();
}

DialogState& attachState(HWND dialog, std::unique_ptr<DialogState> state) {
    States& s = states();
    std::lock_guard guard(s.lock);
    auto& slot = s.byWindow[dialog];
    slot = std::move(state);
    return *slot;
}

void dropState(HWND dialog) {
    States& s = states();
    std::lock_guard guard(s.lock);
    s.byWindow.erase(dialog);
}

LRESULT CALLBACK dialogWindowProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    DialogState* state = stateOf(dialog);
    if (state && state->proc) {
        SetWindowLongPtrA(dialog, DWL_MSGRESULT, 0);
        INT_PTR handled = state->proc(dialog, message, wParam, lParam);
        if (answersDirectly(message)) {
            if (handled || message == WM_INITDIALOG) return handled;
        } else if (handled) {
            return GetWindowLongPtrA(dialog, DWL_MSGRESULT);
        }
        state = stateOf(dialog);
    }
    return defaultHandling(dialog, state, message, wParam, lParam);
}

}  // namespace platform::dialog

using namespace platform::dialog;

LRESULT WINAPI DefDlgProcA(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return dialogWindowProc(dialog, message, wParam, lParam);
}
