// Modal dialogs: their own message loop, the owner disabled meanwhile, the result of EndDialog.
#include "dialog/dialog_create.h"
#include "dialog/dialog_state.h"
#include "user/dispatch.h"
#include "win/kernel.h"

namespace platform::dialog {

INT_PTR runModal(HWND dialog, HWND owner) {
    HWND top = owner ? user::topLevelOf(owner) : nullptr;
    bool disabledOwner = top && IsWindowEnabled(top);
    if (disabledOwner) EnableWindow(top, FALSE);
    ShowWindow(dialog, SW_SHOW);
    SetActiveWindow(dialog);
    INT_PTR result = -1;
    for (;;) {
        DialogState* state = stateOf(dialog);
        if (!state || !IsWindow(dialog)) break;
        if (state->ended) {
            result = state->result;
            break;
        }
        MSG msg;
        if (!GetMessageA(&msg, nullptr, 0, 0)) {
            // The quit request belongs to the program's own loop: hand it on.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    if (disabledOwner) EnableWindow(top, TRUE);
    if (IsWindow(dialog)) DestroyWindow(dialog);
    if (top && IsWindow(top)) SetActiveWindow(top);
    return result;
}

}  // namespace platform::dialog

using namespace platform::dialog;

INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc, LPARAM param) {
    HWND dialog = createDialog(instance, templateName, parent, proc, param);
    if (!dialog) return -1;
    return runModal(dialog, parent);
}

BOOL WINAPI EndDialog(HWND dialog, INT_PTR result) {
    DialogState* state = stateOf(dialog);
    if (!state) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    state->ended = true;
    state->result = result;
    ShowWindow(dialog, SW_HIDE);
    // Wakes the modal loop, which may be waiting for a message.
    PostMessageA(dialog, WM_NULL, 0, 0);
    return TRUE;
}
