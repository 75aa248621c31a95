// pc key DIR KEY...: keys for the window that has the keyboard: names (Enter, Escape, Tab,
// Shift+Tab, Space, Backspace, Delete, Home, End, arrows) or text typed character by character.
#include "automation/automation.h"
#include "automation_args.h"
#include "commands.h"

#include <climits>

int cmdKey(const Args& args) {
    AutomationArgs a = parseAutomationArgs(args, "pc key DIR KEY...", 1, SIZE_MAX);
    platform::automation::keys(a.positional);
    return 0;
}
