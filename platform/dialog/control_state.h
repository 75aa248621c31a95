// Each control keeps its own record in its window's extra bytes, made on WM_NCCREATE and
// deleted on WM_NCDESTROY.
#pragma once

#include "win/user.h"

namespace platform::dialog {

template <typename State>
State* stateOfControl(HWND control) {
    return reinterpret_cast<State*>(GetWindowLongPtrA(control, 0));
}

template <typename State>
void makeControlState(HWND control) {
    SetWindowLongPtrA(control, 0, reinterpret_cast<LONG_PTR>(new State));
}

template <typename State>
void deleteControlState(HWND control) {
    delete stateOfControl<State>(control);
    SetWindowLongPtrA(control, 0, 0);
}

}  // namespace platform::dialog
