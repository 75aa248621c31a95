// The command script WININST.INF: one command per line, "VERB:argument", run one line at a time.
#pragma once

#include "win/types.h"

// The longest line of a command script, in characters.
#define SCRIPT_LINE_MAX 255

// Executes one script line through the DDE engine. WINDOW is the window whose title a TITLE line
// sets. The separators of LINE are overwritten with terminating zeros.
void runScriptLine(HWND window, LPSTR line);
