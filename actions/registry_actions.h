// Registry actions: the keys and string values of [REGISTRY].
#pragma once

#include "actions/action_context.h"

// Mode 1 (install): creates each key of [REGISTRY] of SOURCE_PATH with its string values and,
// while the record flag is on, copies the section unchanged into RECORD_PATH.
// Mode 0 (uninstall): deletes each key listed in [REGISTRY] of SOURCE_PATH (the record).
// An entry whose root is none of the six predefined keys, or that has no subkey, is skipped.
// Always 1.
int applyRegistrySection(const ActionContext& context, BYTE mode, LPCSTR sourcePath, LPCSTR recordPath);
