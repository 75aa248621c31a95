// What the dialog manager keeps for each dialog window of this process.
#pragma once

#include "win/dialog.h"
#include "win/gdi.h"

#include <memory>
#include <string>

namespace platform::dialog {

// The window class of dialogs.
inline constexpr const char* kDialogClass = "#32770";

struct DialogState {
    DLGPROC proc = nullptr;
    HFONT font = nullptr;       // the dialog's font (owned unless it is a stock font)
    bool ownsFont = false;
    SIZE baseUnits{};           // dialog units of that font
    std::string templateName;   // "EXECPATH", or "#300" for a numbered template; empty for message boxes
    bool ended = false;
    INT_PTR result = 0;
    int defaultId = 0;          // 0: the first default push button
    HWND lastFocus = nullptr;   // the control to give the focus back to
};

// Registers the dialog class and the control classes once per process.
void registerClasses();
// Makes OpenFile with OF_PROMPT show the platform's Retry/Cancel box for a missing file.
void installMissingFileBox();

// The state of a dialog window of this process, or null.
DialogState* stateOf(HWND dialog);
DialogState& attachState(HWND dialog, std::unique_ptr<DialogState> state);
void dropState(HWND dialog);

// Runs a modal loop for DIALOG until EndDialog; the owner is disabled meanwhile. Returns the
// result given to EndDialog (-1 when the dialog went away without one).
INT_PTR runModal(HWND dialog, HWND owner);

// The window procedure of the dialog class (the platform's default dialog handling).
LRESULT CALLBACK dialogWindowProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace platform::dialog
