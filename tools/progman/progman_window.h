// The Program Manager window: class "Progman", title "Program Manager". It is the DDE server for
// service and topic "Progman": it answers initiations, carries out executes with a positive or
// negative acknowledgement each, answers a request for the "Groups" item with text data, and
// answers terminates. An execute with ExitProgman is acknowledged first and then ends the program.
// While visible it shows the groups and, indented below each, its items.
#pragma once

#include "win/types.h"

inline constexpr const char* kProgmanClass = "Progman";
inline constexpr const char* kProgmanTitle = "Program Manager";

LRESULT CALLBACK ProgmanWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Registers the class and creates the window, shown with SHOWCOMMAND; null when that fails.
HWND createProgmanWindow(HINSTANCE instance, int showCommand);
