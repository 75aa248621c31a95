// Profile actions: the product's changes to WIN.INI program lists, SYSTEM.INI driver lines,
// CONFIG.SYS and AUTOEXEC.BAT lines and single values of initialization files, and their undoing.
#pragma once

#include "actions/action_context.h"

// Mode 1 (install): carries out each entry of [PROFILE] of SOURCE_PATH (the setup script) and,
// while the record flag is on, writes into RECORD_PATH what the uninstall run needs.
// Mode 0 (uninstall): undoes each entry of [PROFILE] of SOURCE_PATH (the record).
// Returns 1 when every entry was handled, 0 when the run ended at an entry with an invalid
// location prefix (that entry and the later ones are neither carried out nor recorded).
int applyProfileSection(const ActionContext& context, BYTE mode, LPCSTR sourcePath, LPCSTR recordPath);
