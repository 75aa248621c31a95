// The location prefix at the start of a PROFILE field: "@", a location letter and one separator
// character, which is dropped. C is the install path, W the Windows directory, S the system
// directory, D (where allowed) the install path's drive letter alone.
#pragma once

#include "actions/action_context.h"

#define PREFIX_INVALID 0   // "@" followed by a character that is no allowed location letter
#define PREFIX_EXPANDED 1  // expanded, or used unchanged (no prefix)
#define PREFIX_UNUSABLE 2  // the result does not fit, or its directory is unknown

// Expands FIELD into RESULT (CAPACITY bytes). "@C\PLAYER.EXE" with the install path C:\PLAYER
// gives C:\PLAYER\PLAYER.EXE; a field of the prefix alone ("@W", "@W\") gives the directory.
int expandLocationPrefix(const ActionContext& context, LPCSTR field, BOOL allowDrive, LPSTR result,
                         size_t capacity);

// TRUE when FIELD begins with "@" and a letter that expandLocationPrefix accepts.
BOOL hasLocationPrefix(LPCSTR field, BOOL allowDrive);
