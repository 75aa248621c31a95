// Program Manager group registration: writes the command script WININST.INF into the running
// program's own directory for the progress window to run.
#pragma once

#include "actions/action_context.h"

// Mode 1 (install): the group, one item per entry of [REGISTER] of SCRIPT_PATH and the "Remove"
// item that starts _UNSETUP.EXE with RECORD_PATH. Mode 0 (removal): deletes the whole group; both
// paths are ignored. Returns 1 when WININST.INF was written, 0 when not (no entries, or the file
// could not be created).
int writeProgmanScript(const ActionContext& context, BYTE mode, LPCSTR scriptPath, LPCSTR recordPath);
