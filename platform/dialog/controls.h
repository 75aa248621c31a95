// The standard controls as window classes, and what they share.
#pragma once

#include "win/dialog.h"
#include "win/gdi.h"

#include <string>

namespace platform::dialog {

inline constexpr const char* kButtonClass = "Button";
inline constexpr const char* kEditClass = "Edit";
inline constexpr const char* kStaticClass = "Static";
inline constexpr const char* kListBoxClass = "ListBox";

LRESULT CALLBACK buttonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK editProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK staticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK listBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The class name of a class atom of a dialog template item (0x80 button ... 0x83 list box);
// null for any other.
const char* controlClassOfAtom(int atom);

// Sends a notification (WM_COMMAND with CODE) from a control to its parent.
void notifyParent(HWND control, int code);

// The brush and colours a control's parent chooses for it (WM_CTLCOLOR...), or the defaults:
// FACE background and window text.
HBRUSH controlColours(HWND control, HDC dc, UINT ctlColorMessage, int defaultBackground);

// A control's font, set by WM_SETFONT (the system font when none was set).
HFONT fontOf(HWND control);
void setFont(HWND control, HFONT font);
void forgetFont(HWND control);

// The answers every control class gives alike: its font (WM_SETFONT, WM_GETFONT), and no
// separate erase of the background, since each control's paint fills it. True when MESSAGE was
// one of them, with its answer in RESULT.
bool commonControlMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

}  // namespace platform::dialog
