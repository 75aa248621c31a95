// What the installer actions need to know of the program that calls them.
// The setup program and the uninstall program each fill one from their own state record;
// the actions never look at a program's variables directly.
#pragma once

#include "win/types.h"

class ActionContext {
public:
    virtual ~ActionContext() = default;

    // The installation directory the user confirmed (no trailing backslash).
    virtual LPCSTR installPath() const = 0;
    // The Program Manager group name the user confirmed.
    virtual LPCSTR groupName() const = 0;
    // Nonzero while the uninstall record is to be written ([SETUP] UNSETUP of the script).
    virtual BOOL recordFlag() const = 0;
    // The directory of the running program's own file: WININST.INF is written there.
    virtual LPCSTR programDirectory() const = 0;
};

// Modes of the installer actions.
#define ACTION_UNINSTALL 0
#define ACTION_INSTALL 1
