// Making dialog windows.
#pragma once

#include "win/dialog.h"

namespace platform::dialog {

// A dialog from the template NAME of INSTANCE, owned by PARENT; null with the error set when
// the template is missing or malformed or a control cannot be made.
HWND createDialog(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc, LPARAM param);

// The last steps of every dialog once its controls exist: its font, WM_INITDIALOG (the focus
// to the first tab stop unless the procedure set it) and showing it when SHOW.
void finishDialog(HWND dialog, LPARAM param, bool show);

}  // namespace platform::dialog
